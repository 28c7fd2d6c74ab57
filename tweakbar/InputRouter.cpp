#include "tweakbar/InputRouter.h"

#include <algorithm>

namespace tweakbar {

void InputRouter::setLastDrawn(std::vector<Rect> rects, bool editing) {
    rects_ = std::move(rects);
    editing_ = editing;
}

bool InputRouter::overBar() const {
    return std::any_of(rects_.begin(), rects_.end(),
                       [&](const Rect& r) { return r.contains(x_, y_); });
}

bool InputRouter::anyOwnedBy(Owner owner) const {
    return std::find(owners_.begin(), owners_.end(), owner) != owners_.end();
}

bool InputRouter::mouseMoved(int x, int y) {
    x_ = float(x);
    y_ = float(y);
    return anyOwnedBy(Owner::Bar) || (!anyOwnedBy(Owner::Application) && overBar());
}

bool InputRouter::mouseButton(int index, bool pressed) {
    if (index < 0 || index > 2) {
        return false;
    }
    Owner& owner = owners_[index];
    if (pressed) {
        owner = Owner::None;  // a release we never saw
        // A drag in progress takes the other buttons with it.
        if (anyOwnedBy(Owner::Bar)) {
            owner = Owner::Bar;
        } else if (anyOwnedBy(Owner::Application)) {
            owner = Owner::Application;
        } else {
            owner = overBar() ? Owner::Bar : Owner::Application;
        }
        return owner == Owner::Bar;
    }
    if (owner == Owner::None) {
        // The button was not down: the pointer state is out of step (a window
        // that lost the focus during a drag sends one release for all buttons).
        // Every drag ends here.
        bool used = anyOwnedBy(Owner::Bar) || (!anyOwnedBy(Owner::Application) && overBar());
        owners_.fill(Owner::None);
        return used;
    }
    bool used = owner == Owner::Bar;
    owner = Owner::None;
    return used;
}

bool InputRouter::mouseWheel() const {
    return anyOwnedBy(Owner::Bar) || (!anyOwnedBy(Owner::Application) && overBar());
}

}  // namespace tweakbar
