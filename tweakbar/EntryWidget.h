#pragma once
// The widgets of one entry: a label cell and a value cell side by side, the
// value cell starting at the same x in every row of the bar.

#include "tweakbar/Entry.h"

namespace tweakbar {

class EnumRegistry;

// Draws entry's row in the current window; valueX is the value column's start
// and valueWidth its width, in window coordinates. Returns true when the user
// finished an edit (the new value is in value) or pressed the button.
bool entryRow(Entry& entry, const EnumRegistry& enums, float valueX, float valueWidth,
              ValueBuffer& value);

}  // namespace tweakbar
