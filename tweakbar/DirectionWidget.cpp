#include "tweakbar/DirectionWidget.h"

#include <imgui.h>

#include <cmath>

namespace tweakbar {

void rotateDirection(float dir[3], float dx, float dy, float radiansPerPixel) {
    double x = dir[0], y = dir[1], z = dir[2];
    double a = double(dx) * radiansPerPixel;  // about y
    double x1 = x * std::cos(a) + z * std::sin(a);
    double z1 = -x * std::sin(a) + z * std::cos(a);
    double b = double(dy) * radiansPerPixel;  // about x
    double y2 = y * std::cos(b) - z1 * std::sin(b);
    double z2 = y * std::sin(b) + z1 * std::cos(b);
    dir[0] = float(x1);
    dir[1] = float(y2);
    dir[2] = float(z2);
}

bool directionDisc(const char* id, float dir[3], float size, bool interactive) {
    ImVec2 corner = ImGui::GetCursorScreenPos();
    ImGui::InvisibleButton(id, ImVec2(size, size));
    bool changed = false;
    const ImGuiIO& io = ImGui::GetIO();
    if (interactive && ImGui::IsItemActive() && (io.MouseDelta.x != 0 || io.MouseDelta.y != 0)) {
        // Half a turn across the disc.
        rotateDirection(dir, io.MouseDelta.x, io.MouseDelta.y, 3.14159265f / size);
        changed = true;
    }

    ImDrawList* draw = ImGui::GetWindowDrawList();
    float radius = size * 0.5f - 1.0f;
    ImVec2 centre(corner.x + size * 0.5f, corner.y + size * 0.5f);
    bool hovered = interactive && (ImGui::IsItemHovered() || ImGui::IsItemActive());
    draw->AddCircleFilled(centre, radius,
                          ImGui::GetColorU32(hovered ? ImGuiCol_FrameBgHovered : ImGuiCol_FrameBg));
    draw->AddCircle(centre, radius, ImGui::GetColorU32(ImGuiCol_Border));
    float length = std::sqrt(dir[0] * dir[0] + dir[1] * dir[1] + dir[2] * dir[2]);
    if (length > 0 && std::isfinite(length)) {
        float r = radius - 3.0f;
        ImVec2 tip(centre.x + dir[0] / length * r, centre.y - dir[1] / length * r);
        bool towardsViewer = dir[2] >= 0;
        ImU32 colour = ImGui::GetColorU32(ImGuiCol_PlotLines, towardsViewer ? 1.0f : 0.5f);
        draw->AddLine(centre, tip, colour, 2.0f);
        if (towardsViewer) {
            draw->AddCircleFilled(tip, 3.0f, colour);
        } else {
            draw->AddCircle(tip, 3.0f, colour);
        }
    }
    return changed;
}

}  // namespace tweakbar
