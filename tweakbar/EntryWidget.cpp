#include "tweakbar/EntryWidget.h"

#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cfloat>
#include <cstdio>
#include <cstring>
#include <limits>

#include "tweakbar/DirectionWidget.h"
#include "tweakbar/EnumRegistry.h"

namespace tweakbar {
namespace {

ImGuiDataType dataType(TwType type) {
    switch (type) {
        case TW_TYPE_INT8:
            return ImGuiDataType_S8;
        case TW_TYPE_UINT8:
            return ImGuiDataType_U8;
        case TW_TYPE_INT16:
            return ImGuiDataType_S16;
        case TW_TYPE_UINT16:
            return ImGuiDataType_U16;
        case TW_TYPE_INT32:
            return ImGuiDataType_S32;
        case TW_TYPE_UINT32:
            return ImGuiDataType_U32;
        case TW_TYPE_DOUBLE:
            return ImGuiDataType_Double;
        default:
            return ImGuiDataType_Float;
    }
}

// The drag bounds of a number field: the entry's min and max within what the
// type can hold.
void numberBounds(const Entry& entry, ValueBuffer& lo, ValueBuffer& hi) {
    double lowest = -DBL_MAX, highest = DBL_MAX;
    if (entry.type() == TW_TYPE_FLOAT) {
        lowest = -FLT_MAX;
        highest = FLT_MAX;
    }
    setNumberValue(entry.type(), lo, std::clamp(entry.min().value_or(lowest), lowest, highest));
    setNumberValue(entry.type(), hi, std::clamp(entry.max().value_or(highest), lowest, highest));
}

// The label, clipped to its cell; with open, a disclosure arrow that toggles it.
void labelCell(const Entry& entry, float width, bool* open) {
    const ImGuiStyle& style = ImGui::GetStyle();
    ImVec2 pos = ImGui::GetCursorScreenPos();
    ImVec2 size(std::max(width, 1.0f), ImGui::GetFrameHeight());
    if (open) {
        if (ImGui::InvisibleButton("##label", size)) {
            *open = !*open;
        }
    } else {
        ImGui::Dummy(size);
    }
    bool hovered = ImGui::IsItemHovered();

    ImDrawList* draw = ImGui::GetWindowDrawList();
    ImU32 colour = ImGui::GetColorU32(ImGuiCol_Text);
    float x = pos.x;
    float y = pos.y + style.FramePadding.y;
    draw->PushClipRect(pos, ImVec2(pos.x + size.x, pos.y + size.y), true);
    if (open) {
        ImGui::RenderArrow(draw, ImVec2(x, y), colour, *open ? ImGuiDir_Down : ImGuiDir_Right,
                           0.7f);
        x += ImGui::GetFontSize();
    }
    draw->AddText(ImVec2(x, y), colour, entry.label().c_str());
    draw->PopClipRect();

    if (hovered && !entry.help().empty()) {
        ImGui::SetTooltip("%s", entry.help().c_str());
    }
}

bool isTyping() {
    return ImGui::TempInputIsActive(ImGui::GetItemID());
}

void numberCell(const Entry& entry, ValueBuffer& value, float width, bool& changed, bool& editing) {
    ValueBuffer lo, hi;
    numberBounds(entry, lo, hi);
    char format[16] = "%d";
    const char* formatArg = nullptr;  // integers: the type's own format
    if (entry.type() == TW_TYPE_FLOAT || entry.type() == TW_TYPE_DOUBLE) {
        std::snprintf(format, sizeof format, "%%.%df", entry.precision());
        formatArg = format;
    }
    ImGui::SetNextItemWidth(width);
    changed = ImGui::DragScalar("##value", dataType(entry.type()), value.bytes, float(entry.step()),
                                lo.bytes, hi.bytes, formatArg, ImGuiSliderFlags_AlwaysClamp);
    editing = isTyping();
}

void colorCell(const Entry& entry, ValueBuffer& value, float width, bool& changed) {
    float c[4] = {0, 0, 0, 1};
    size_t count = entry.type() == TW_TYPE_COLOR4F ? 4 : 3;
    std::memcpy(c, value.bytes, count * sizeof(float));
    ImGuiColorEditFlags flags =
        ImGuiColorEditFlags_Float |
        (count == 4 ? ImGuiColorEditFlags_AlphaBar | ImGuiColorEditFlags_AlphaPreviewHalf
                    : ImGuiColorEditFlags_NoAlpha);
    if (ImGui::ColorButton("##swatch", ImVec4(c[0], c[1], c[2], c[3]), flags,
                           ImVec2(width, ImGui::GetFrameHeight()))) {
        ImGui::OpenPopup("##picker");
    }
    if (ImGui::BeginPopup("##picker")) {
        changed |= count == 4 ? ImGui::ColorPicker4("##picker", c, flags)
                              : ImGui::ColorPicker3("##picker", c, flags);
        ImGui::EndPopup();
    }
    if (entry.opened()) {
        ImGui::Indent();
        ImGui::SetNextItemWidth(-FLT_MIN);
        changed |=
            count == 4
                ? ImGui::ColorEdit4("##components", c, flags | ImGuiColorEditFlags_DisplayRGB)
                : ImGui::ColorEdit3("##components", c, flags | ImGuiColorEditFlags_DisplayRGB);
        ImGui::Unindent();
    }
    std::memcpy(value.bytes, c, count * sizeof(float));
}

void directionCell(const Entry& entry, ValueBuffer& value, float valueX, float width, bool& changed,
                   bool& editing) {
    float d[3];
    bool isDouble = entry.type() == TW_TYPE_DIR3D;
    if (isDouble) {
        double dd[3];
        std::memcpy(dd, value.bytes, sizeof dd);
        std::copy(dd, dd + 3, d);
    } else {
        std::memcpy(d, value.bytes, sizeof d);
    }
    bool interactive = !entry.readOnly();
    float h = ImGui::GetFrameHeight();
    changed |= directionDisc("##disc", d, h, interactive);
    if (!entry.opened()) {
        // The components, clipped to the value column; opened, they have rows.
        ImGui::SameLine();
        ImVec2 pos = ImGui::GetCursorScreenPos();
        float right = ImGui::GetWindowPos().x + valueX + width;
        char text[64];
        std::snprintf(text, sizeof text, "%.2f %.2f %.2f", d[0], d[1], d[2]);
        ImGui::PushClipRect(pos, ImVec2(right, pos.y + h), true);
        ImGui::AlignTextToFramePadding();
        ImGui::TextUnformatted(text);
        ImGui::PopClipRect();
    } else {
        ImGui::SetCursorPosX(valueX);
        changed |= directionDisc("##bigdisc", d, std::min(width, 5 * h), interactive);
        static const char* const axes[3] = {"x", "y", "z"};
        for (int i = 0; i < 3; ++i) {
            ImGui::PushID(i);
            ImGui::SetCursorPosX(valueX - ImGui::GetFontSize() - ImGui::GetStyle().ItemSpacing.x);
            ImGui::AlignTextToFramePadding();
            ImGui::TextUnformatted(axes[i]);
            ImGui::SameLine(valueX);
            ImGui::SetNextItemWidth(width);
            changed |= ImGui::DragFloat("##component", &d[i], 0.01f, -1.0f, 1.0f, "%.3f",
                                        ImGuiSliderFlags_AlwaysClamp);
            editing |= isTyping();
            ImGui::PopID();
        }
    }
    if (isDouble) {
        double dd[3] = {d[0], d[1], d[2]};
        std::memcpy(value.bytes, dd, sizeof dd);
    } else {
        std::memcpy(value.bytes, d, sizeof d);
    }
}

void enumCell(const Entry& entry, const EnumRegistry& enums, ValueBuffer& value, float width,
              bool& changed) {
    int current = 0;
    std::memcpy(&current, value.bytes, sizeof current);
    const std::vector<EnumValue>& values = enums.values(entry.type());
    std::string preview = std::to_string(current);
    for (const EnumValue& v : values) {
        if (v.value == current) {
            preview = v.label;
            break;
        }
    }
    ImGui::SetNextItemWidth(width);
    if (ImGui::BeginCombo("##value", preview.c_str())) {
        for (size_t i = 0; i < values.size(); ++i) {
            ImGui::PushID(int(i));
            bool selected = values[i].value == current;
            if (ImGui::Selectable(values[i].label.c_str(), selected)) {
                current = values[i].value;
                changed = true;
            }
            if (selected) {
                ImGui::SetItemDefaultFocus();
            }
            ImGui::PopID();
        }
        ImGui::EndCombo();
    }
    std::memcpy(value.bytes, &current, sizeof current);
}

bool buttonRow(const Entry& entry) {
    bool pressed = false;
    if (entry.readOnly()) {
        ImGui::AlignTextToFramePadding();
        ImGui::TextUnformatted(entry.label().c_str());
    } else {
        pressed = ImGui::Button(entry.label().c_str(), ImVec2(-FLT_MIN, 0));
    }
    if (ImGui::IsItemHovered() && !entry.help().empty()) {
        ImGui::SetTooltip("%s", entry.help().c_str());
    }
    return pressed;
}

bool valueRow(Entry& entry, const EnumRegistry& enums, float valueX, float valueWidth,
              ValueBuffer& value) {
    bool expandable = entry.kind() == EntryKind::Color || entry.kind() == EntryKind::Direction;
    bool open = entry.opened();
    float labelWidth = valueX - ImGui::GetCursorPosX() - ImGui::GetStyle().ItemSpacing.x;
    labelCell(entry, labelWidth, expandable ? &open : nullptr);
    entry.setOpened(open);
    ImGui::SameLine(valueX);

    value = entry.read();
    bool readOnly = entry.readOnly();
    bool changed = false, editing = false;
    ImGui::BeginDisabled(readOnly);
    switch (entry.kind()) {
        case EntryKind::Bool: {
            bool on = std::any_of(value.bytes, value.bytes + sizeof value.bytes,
                                  [](unsigned char b) { return b != 0; });
            if (ImGui::Checkbox("##value", &on)) {
                changed = true;
                value = ValueBuffer();
                value.bytes[0] = on ? 1 : 0;
            }
            break;
        }
        case EntryKind::Number:
            numberCell(entry, value, valueWidth, changed, editing);
            break;
        case EntryKind::Color:
            colorCell(entry, value, valueWidth, changed);
            break;
        case EntryKind::Direction:
            directionCell(entry, value, valueX, valueWidth, changed, editing);
            break;
        case EntryKind::Enum:
            enumCell(entry, enums, value, valueWidth, changed);
            break;
        default:
            break;
    }
    ImGui::EndDisabled();
    // Typed text is taken when the field is left (Return or a click elsewhere).
    return changed && !editing && !readOnly;
}

}  // namespace

bool entryRow(Entry& entry, const EnumRegistry& enums, float valueX, float valueWidth,
              ValueBuffer& value) {
    ImGui::PushID(entry.id());
    bool commit = false;
    switch (entry.kind()) {
        case EntryKind::Separator:
            ImGui::Separator();
            break;
        case EntryKind::Button:
            commit = buttonRow(entry);
            break;
        default:
            commit = valueRow(entry, enums, valueX, valueWidth, value);
            break;
    }
    ImGui::PopID();
    return commit;
}

}  // namespace tweakbar
