#pragma once
// A bar: a movable, resizable, collapsible window of entries in the order they
// were added, entries with a group gathered under the group's collapsible
// header where its first entry would stand.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tweakbar/Definition.h"
#include "tweakbar/Entry.h"

namespace tweakbar {

class EnumRegistry;

// An edit of a callback entry or a button press, run after the frame that saw
// it, once the widgets are done with the entry list.
struct PendingCall {
    int barId;
    int entryId;
    ValueBuffer value;
};

class Bar {
public:
    // index: how many bars the window has besides; it staggers the first position.
    Bar(int id, std::string name, int index);

    int id() const { return id_; }
    const std::string& name() const { return name_; }
    bool visible() const { return visible_; }

    // False when an entry of that (non-empty) name exists.
    bool add(std::shared_ptr<Entry> entry);
    bool remove(const std::string& name);
    void removeAll() { entries_.clear(); }
    std::shared_ptr<Entry> find(const std::string& name) const;
    std::shared_ptr<Entry> findById(int id) const;

    void applyOptions(const BarOptions& options);
    // Options of a group some entry belongs to; false when no entry names it or
    // the parent group would contain the group itself.
    bool defineGroup(const std::string& name, const EntryOptions& options, Problems& problems);

    // Submits the bar's window for the current frame; edits of variables are
    // stored at once, edits of callback entries and button presses go to calls.
    void draw(const EnumRegistry& enums, std::vector<PendingCall>& calls);

private:
    struct Group {
        std::string parent, label;
        bool opened = true;
        bool openedChanged = true;
        bool visible = true;
    };
    std::vector<std::string> groupChain(const std::string& group) const;
    bool groupExists(const std::string& name) const;
    void drawContainer(const std::string& container,
                       const std::vector<std::shared_ptr<Entry>>& entries,
                       const EnumRegistry& enums, std::vector<PendingCall>& calls, int depth);
    void drawGroup(const std::string& name, const std::vector<std::shared_ptr<Entry>>& entries,
                   const EnumRegistry& enums, std::vector<PendingCall>& calls, int depth);
    void drawEntry(Entry& entry, const EnumRegistry& enums, std::vector<PendingCall>& calls);

    int id_;
    std::string name_;
    std::vector<std::shared_ptr<Entry>> entries_;
    std::map<std::string, Group> groups_;

    std::string label_;
    int width_ = 200, height_ = 320;
    int x_, y_;
    int color_[3] = {40, 40, 40};
    int alpha_ = 200;
    int valuesWidth_ = 0;                // 0: a share of the width
    float valueX_ = 0, valueWidth_ = 0;  // value column of the frame being drawn
    bool visible_ = true, movable_ = true, resizable_ = true, iconifiable_ = true;
    bool iconified_ = false;
    bool sizeChanged_ = false, positionChanged_ = false, iconifiedChanged_ = false;
};

}  // namespace tweakbar
