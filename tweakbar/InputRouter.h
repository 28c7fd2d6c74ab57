#pragma once
// Decides, at the moment an event arrives, whether it belongs to the bars of
// one window: from the bar rectangles as last drawn and from who owns each
// pressed button. A press over a bar starts a drag that the bars keep until the
// release, wherever the pointer goes; a press elsewhere belongs to the
// application, which keeps moves and the release even over a bar. A release
// of a button that is not down ends every drag.

#include <array>
#include <vector>

namespace tweakbar {

struct Rect {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool contains(float x, float y) const { return x >= x1 && x < x2 && y >= y1 && y < y2; }
};

class InputRouter {
public:
    // editing: a field of the bars takes keys (text being typed, a widget held).
    void setLastDrawn(std::vector<Rect> rects, bool editing);

    bool mouseMoved(int x, int y);
    bool mouseButton(int index, bool pressed);  // index as in InputQueue.h
    bool mouseWheel() const;
    bool keyPressed() const { return editing_; }

private:
    enum class Owner { None, Bar, Application };
    bool overBar() const;
    bool anyOwnedBy(Owner owner) const;

    std::vector<Rect> rects_;
    bool editing_ = false;
    float x_ = -1e30f, y_ = -1e30f;
    std::array<Owner, 3> owners_{Owner::None, Owner::None, Owner::None};
};

}  // namespace tweakbar
