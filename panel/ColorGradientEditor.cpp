#include "panel/ColorGradientEditor.h"

#include <sstream>

namespace thalorin {

std::string ColorGradientEditor::colorLabel(size_t stop) {
    std::ostringstream label;
    label << "Color" << stop;
    return label.str();
}

std::string ColorGradientEditor::startLabel(size_t stop) {
    std::ostringstream label;
    label << "Color" << stop << " starts at";
    return label.str();
}

void ColorGradientEditor::addEntries(size_t stop) {
    panel_.addParam(colorLabel(stop), &model_.gradientColors[stop], "");
    panel_.addParam(startLabel(stop), &model_.gradientStarts[stop], "min=0 max=1.0 step=0.05");
}

void ColorGradientEditor::removeEntries(size_t stop) {
    panel_.removeParam(colorLabel(stop));
    panel_.removeParam(startLabel(stop));
}

void ColorGradientEditor::addStopEntries() {
    for (size_t i = 0; i < model_.gradientColors.size(); ++i) {
        addEntries(i);
    }
}

void ColorGradientEditor::addColor() {
    const size_t n = model_.gradientColors.size();
    for (size_t i = 0; i < n; ++i) {
        removeEntries(i);
    }
    // Appending may move both lists: every entry is bound again afterwards.
    model_.gradientColors.push_back(reef::Color(0, 0, 0));
    model_.gradientStarts.push_back(1.0f);
    addStopEntries();
}

void ColorGradientEditor::removeColor() {
    const size_t n = model_.gradientColors.size();
    if (n <= 2) {
        return;
    }
    removeEntries(n - 1);
    model_.gradientColors.pop_back();
    model_.gradientStarts.pop_back();
}

}  // namespace thalorin
