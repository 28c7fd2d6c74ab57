#include "tweakbar/Bar.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>

#include "tweakbar/EntryWidget.h"
#include "tweakbar/EnumRegistry.h"

namespace tweakbar {
namespace {

// Nesting deeper than this is cut; it also bounds a walk up the parents.
constexpr int kMaxGroupDepth = 32;

ImVec4 shade(const ImVec4& c, float factor, float alpha) {
    return ImVec4(c.x * factor, c.y * factor, c.z * factor, std::min(alpha, 1.0f));
}

}  // namespace

Bar::Bar(int id, std::string name, int index)
    : id_(id), name_(std::move(name)), x_(16 + 24 * index), y_(16 + 24 * index) {}

bool Bar::add(std::shared_ptr<Entry> entry) {
    if (!entry->name().empty() && find(entry->name())) {
        return false;
    }
    entries_.push_back(std::move(entry));
    return true;
}

bool Bar::remove(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const auto& e) { return e->name() == name; });
    if (it == entries_.end()) {
        return false;
    }
    entries_.erase(it);
    return true;
}

std::shared_ptr<Entry> Bar::find(const std::string& name) const {
    for (const auto& entry : entries_) {
        if (entry->name() == name) {
            return entry;
        }
    }
    return nullptr;
}

std::shared_ptr<Entry> Bar::findById(int id) const {
    for (const auto& entry : entries_) {
        if (entry->id() == id) {
            return entry;
        }
    }
    return nullptr;
}

void Bar::applyOptions(const BarOptions& options) {
    if (options.size) {
        width_ = (*options.size)[0];
        height_ = (*options.size)[1];
        sizeChanged_ = true;
    }
    if (options.position) {
        x_ = (*options.position)[0];
        y_ = (*options.position)[1];
        positionChanged_ = true;
    }
    if (options.color) {
        std::copy(options.color->begin(), options.color->end(), color_);
    }
    if (options.alpha) {
        alpha_ = *options.alpha;
    }
    if (options.valuesWidth) {
        valuesWidth_ = *options.valuesWidth;
    }
    if (options.iconified) {
        iconified_ = *options.iconified;
        iconifiedChanged_ = true;
    }
    if (options.visible) {
        visible_ = *options.visible;
    }
    if (options.movable) {
        movable_ = *options.movable;
    }
    if (options.resizable) {
        resizable_ = *options.resizable;
    }
    if (options.iconifiable) {
        iconifiable_ = *options.iconifiable;
    }
    if (options.label) {
        label_ = *options.label;
    }
}

std::vector<std::string> Bar::groupChain(const std::string& group) const {
    std::vector<std::string> chain;
    std::string current = group;
    while (!current.empty() && int(chain.size()) < kMaxGroupDepth &&
           std::find(chain.begin(), chain.end(), current) == chain.end()) {
        chain.push_back(current);
        auto it = groups_.find(current);
        current = it == groups_.end() ? std::string() : it->second.parent;
    }
    return chain;
}

bool Bar::groupExists(const std::string& name) const {
    for (const auto& entry : entries_) {
        auto chain = groupChain(entry->group());
        if (std::find(chain.begin(), chain.end(), name) != chain.end()) {
            return true;
        }
    }
    return false;
}

bool Bar::defineGroup(const std::string& name, const EntryOptions& options, Problems& problems) {
    if (!groupExists(name)) {
        problems.push_back("bar " + name_ + " has no entry or group named " + name);
        return false;
    }
    Group& group = groups_[name];
    if (options.group) {
        auto chain = groupChain(*options.group);
        if (std::find(chain.begin(), chain.end(), name) != chain.end()) {
            problems.push_back("group " + name + " cannot be inside " + *options.group);
            return false;
        }
        group.parent = *options.group;
    }
    if (options.label) {
        group.label = *options.label;
    }
    if (options.opened) {
        group.opened = *options.opened;
        group.openedChanged = true;
    }
    if (options.visible) {
        group.visible = *options.visible;
    }
    return true;
}

void Bar::draw(const EnumRegistry& enums, std::vector<PendingCall>& calls) {
    if (!visible_) {
        return;
    }
    ImGui::SetNextWindowPos(ImVec2(float(x_), float(y_)),
                            positionChanged_ ? ImGuiCond_Always : ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize(ImVec2(float(width_), float(height_)),
                             sizeChanged_ ? ImGuiCond_Always : ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowCollapsed(iconified_,
                                  iconifiedChanged_ ? ImGuiCond_Always : ImGuiCond_FirstUseEver);
    positionChanged_ = sizeChanged_ = iconifiedChanged_ = false;

    ImVec4 background(color_[0] / 255.0f, color_[1] / 255.0f, color_[2] / 255.0f, alpha_ / 255.0f);
    ImGui::PushStyleColor(ImGuiCol_WindowBg, background);
    ImGui::PushStyleColor(ImGuiCol_TitleBg, shade(background, 0.7f, background.w + 0.35f));
    ImGui::PushStyleColor(ImGuiCol_TitleBgCollapsed, shade(background, 0.7f, background.w + 0.35f));
    ImGui::PushStyleColor(ImGuiCol_TitleBgActive, shade(background, 0.85f, background.w + 0.5f));
    // Drop-down lists and colour pickers need an opaque ground to be read.
    ImGui::PushStyleColor(ImGuiCol_PopupBg, shade(background, 0.6f, 0.96f));

    ImGuiWindowFlags flags = ImGuiWindowFlags_NoSavedSettings;
    if (!movable_) {
        flags |= ImGuiWindowFlags_NoMove;
    }
    if (!resizable_) {
        flags |= ImGuiWindowFlags_NoResize;
    }
    if (!iconifiable_) {
        flags |= ImGuiWindowFlags_NoCollapse;
    }
    // The id after ### keeps the window's state when its label changes.
    std::string title = (label_.empty() ? name_ : label_) + "###bar" + std::to_string(id_);
    bool open = ImGui::Begin(title.c_str(), nullptr, flags);
    iconified_ = ImGui::IsWindowCollapsed();
    if (open) {
        // Callbacks run inside the frame (getters) may change the entry list:
        // draw from a copy that keeps every entry alive until the frame ends.
        std::vector<std::shared_ptr<Entry>> entries = entries_;
        float right = ImGui::GetWindowContentRegionMax().x;
        float full = right - ImGui::GetCursorPosX();
        valueWidth_ = valuesWidth_ > 0 ? std::min(float(valuesWidth_), full * 0.8f)
                                       : std::floor(full * 0.45f);
        valueX_ = right - valueWidth_;
        drawContainer("", entries, enums, calls, 0);
    }
    ImGui::End();
    ImGui::PopStyleColor(5);
}

void Bar::drawContainer(const std::string& container,
                        const std::vector<std::shared_ptr<Entry>>& entries,
                        const EnumRegistry& enums, std::vector<PendingCall>& calls, int depth) {
    std::vector<std::string> drawnGroups;
    for (const auto& entry : entries) {
        if (!entry->visible()) {
            continue;
        }
        auto chain = groupChain(entry->group());
        std::string child;
        if (container.empty()) {
            if (chain.empty()) {
                drawEntry(*entry, enums, calls);
                continue;
            }
            child = chain.back();
        } else {
            auto it = std::find(chain.begin(), chain.end(), container);
            if (it == chain.end()) {
                continue;
            }
            if (it == chain.begin()) {
                drawEntry(*entry, enums, calls);
                continue;
            }
            child = *(it - 1);
        }
        if (std::find(drawnGroups.begin(), drawnGroups.end(), child) == drawnGroups.end()) {
            drawnGroups.push_back(child);
            drawGroup(child, entries, enums, calls, depth + 1);
        }
    }
}

void Bar::drawGroup(const std::string& name, const std::vector<std::shared_ptr<Entry>>& entries,
                    const EnumRegistry& enums, std::vector<PendingCall>& calls, int depth) {
    Group& group = groups_[name];
    if (!group.visible || depth > kMaxGroupDepth) {
        return;
    }
    ImGui::PushID(("group:" + name).c_str());
    if (group.openedChanged) {
        ImGui::SetNextItemOpen(group.opened, ImGuiCond_Always);
        group.openedChanged = false;
    }
    group.opened =
        ImGui::CollapsingHeader(group.label.empty() ? name.c_str() : group.label.c_str());
    if (group.opened) {
        ImGui::Indent();
        drawContainer(name, entries, enums, calls, depth);
        ImGui::Unindent();
    }
    ImGui::PopID();
}

void Bar::drawEntry(Entry& entry, const EnumRegistry& enums, std::vector<PendingCall>& calls) {
    ValueBuffer value;
    if (!entryRow(entry, enums, valueX_, valueWidth_, value)) {
        return;
    }
    if (entry.kind() == EntryKind::Button) {
        calls.push_back({id_, entry.id(), value});
    } else if (entry.sanitize(value)) {
        if (entry.hasVariable()) {
            entry.writeVariable(value);
        } else {
            calls.push_back({id_, entry.id(), value});
        }
    }
}

}  // namespace tweakbar
