#pragma once
// The bars of one window with their own widget context, input queue and
// display size. Widget state never mixes between windows.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "tweakbar/Bar.h"
#include "tweakbar/InputQueue.h"
#include "tweakbar/InputRouter.h"

struct ImGuiContext;

namespace tweakbar {

class EnumRegistry;

class WindowContext {
public:
    // fontScale enlarges the font and every size of the widgets.
    explicit WindowContext(float fontScale);
    // Deletes the font texture in the GL context current at that time, if the
    // window was ever drawn.
    ~WindowContext();
    WindowContext(const WindowContext&) = delete;
    WindowContext& operator=(const WindowContext&) = delete;

    void setSize(int width, int height);

    // Null when a bar of that name exists.
    Bar* newBar(int id, const std::string& name);
    bool deleteBar(const Bar* bar);
    void deleteAllBars() { bars_.clear(); }
    Bar* findBar(const std::string& name) const;
    bool owns(const Bar* bar) const;
    bool drawing() const { return drawing_; }

    // Runs one widget frame per queued button or key transition and renders
    // the last one into the bound framebuffer. The setters and buttons the
    // frames triggered run after each frame. False when already drawing.
    bool draw(const EnumRegistry& enums);

    bool mouseButton(int index, bool pressed);
    bool mouseMotion(int x, int y);
    bool mouseWheel(float delta);
    bool keyPressed(int key, int modifiers);

private:
    void runCalls(const std::vector<PendingCall>& calls);
    void rememberLastDrawn();

    ImGuiContext* context_ = nullptr;
    std::vector<std::shared_ptr<Bar>> bars_;
    InputQueue queue_;
    InputRouter router_;
    int width_ = 0, height_ = 0;
    bool drawing_ = false;
    bool drawnBefore_ = false;
    std::chrono::steady_clock::time_point lastFrame_;
};

}  // namespace tweakbar
