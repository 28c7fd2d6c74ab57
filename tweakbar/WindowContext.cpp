#include "tweakbar/WindowContext.h"

#include <backends/imgui_impl_opengl2.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cstring>

#include "tweakbar/EnumRegistry.h"
#include "tweakbar/GlStateGuard.h"
#include "tweakbar/TweakBar.h"

namespace tweakbar {
namespace {

// At most this many widget frames per draw; later events wait for the next.
constexpr int kMaxFramesPerDraw = 16;
// Time given to the extra frames that only take input.
constexpr float kInputFrameSeconds = 0.001f;

// Makes one widget context current for a scope and restores the previous one.
class ContextScope {
public:
    explicit ContextScope(ImGuiContext* context) : previous_(ImGui::GetCurrentContext()) {
        ImGui::SetCurrentContext(context);
    }
    ~ContextScope() { ImGui::SetCurrentContext(previous_); }
    // For a scope that destroys its context.
    void forget(ImGuiContext* context) {
        if (previous_ == context) {
            previous_ = nullptr;
        }
    }

private:
    ImGuiContext* previous_;
};

void configure(ImGuiIO& io, float fontScale) {
    io.IniFilename = nullptr;  // nothing is written to files
    io.LogFilename = nullptr;
    io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange;
    io.ConfigDragClickToInputText = true;
    io.ConfigWindowsMoveFromTitleBarOnly = true;
    // Every TwKeyPressed is one press; repeats come from the window system.
    io.KeyRepeatDelay = 1e9f;

    io.KeyMap[ImGuiKey_Tab] = TW_KEY_TAB;
    io.KeyMap[ImGuiKey_LeftArrow] = TW_KEY_LEFT;
    io.KeyMap[ImGuiKey_RightArrow] = TW_KEY_RIGHT;
    io.KeyMap[ImGuiKey_UpArrow] = TW_KEY_UP;
    io.KeyMap[ImGuiKey_DownArrow] = TW_KEY_DOWN;
    io.KeyMap[ImGuiKey_PageUp] = TW_KEY_PAGE_UP;
    io.KeyMap[ImGuiKey_PageDown] = TW_KEY_PAGE_DOWN;
    io.KeyMap[ImGuiKey_Home] = TW_KEY_HOME;
    io.KeyMap[ImGuiKey_End] = TW_KEY_END;
    io.KeyMap[ImGuiKey_Insert] = TW_KEY_INSERT;
    io.KeyMap[ImGuiKey_Delete] = TW_KEY_DELETE;
    io.KeyMap[ImGuiKey_Backspace] = TW_KEY_BACKSPACE;
    io.KeyMap[ImGuiKey_Space] = TW_KEY_SPACE;
    io.KeyMap[ImGuiKey_Enter] = TW_KEY_RETURN;
    io.KeyMap[ImGuiKey_Escape] = TW_KEY_ESCAPE;
    io.KeyMap[ImGuiKey_KeyPadEnter] = TW_KEY_RETURN;
    io.KeyMap[ImGuiKey_A] = 'A';
    io.KeyMap[ImGuiKey_C] = 'C';
    io.KeyMap[ImGuiKey_V] = 'V';
    io.KeyMap[ImGuiKey_X] = 'X';
    io.KeyMap[ImGuiKey_Y] = 'Y';
    io.KeyMap[ImGuiKey_Z] = 'Z';

    ImGui::StyleColorsDark();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowRounding = 2.0f;
    style.WindowBorderSize = 1.0f;
    ImFontConfig font;
    font.SizePixels = 13.0f * fontScale;
    io.Fonts->AddFontDefault(&font);
    if (fontScale != 1.0f) {
        style.ScaleAllSizes(fontScale);
    }
}

void apply(const FrameInput& input, ImGuiIO& io) {
    bool far = input.mouseX < -1e29f;
    io.MousePos = far ? ImVec2(-FLT_MAX, -FLT_MAX) : ImVec2(input.mouseX, input.mouseY);
    for (int i = 0; i < 3; ++i) {
        io.MouseDown[i] = input.mouseDown[size_t(i)];
    }
    io.MouseWheel = input.wheel;
    for (unsigned c : input.characters) {
        io.AddInputCharacter(c);
    }
    std::fill(std::begin(io.KeysDown), std::end(io.KeysDown), false);
    if (input.keyDown >= 0 && input.keyDown < int(IM_ARRAYSIZE(io.KeysDown))) {
        io.KeysDown[input.keyDown] = true;
    }
    io.KeyShift = input.shift;
    io.KeyCtrl = input.ctrl;
    io.KeyAlt = input.alt;
    io.KeySuper = input.super;
}

}  // namespace

WindowContext::WindowContext(float fontScale) {
    ContextScope scope(ImGui::GetCurrentContext());  // creating one may make it current
    context_ = ImGui::CreateContext();
    ImGui::SetCurrentContext(context_);
    configure(ImGui::GetIO(), fontScale);
    ImGui_ImplOpenGL2_Init();
}

WindowContext::~WindowContext() {
    ContextScope scope(context_);
    ImGui_ImplOpenGL2_Shutdown();
    scope.forget(context_);
    ImGui::DestroyContext(context_);
}

void WindowContext::setSize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
}

Bar* WindowContext::newBar(int id, const std::string& name) {
    if (findBar(name)) {
        return nullptr;
    }
    bars_.push_back(std::make_shared<Bar>(id, name, int(bars_.size())));
    return bars_.back().get();
}

bool WindowContext::deleteBar(const Bar* bar) {
    auto it =
        std::find_if(bars_.begin(), bars_.end(), [&](const auto& b) { return b.get() == bar; });
    if (it == bars_.end()) {
        return false;
    }
    bars_.erase(it);
    return true;
}

Bar* WindowContext::findBar(const std::string& name) const {
    for (const auto& bar : bars_) {
        if (bar->name() == name) {
            return bar.get();
        }
    }
    return nullptr;
}

bool WindowContext::owns(const Bar* bar) const {
    return std::any_of(bars_.begin(), bars_.end(), [&](const auto& b) { return b.get() == bar; });
}

bool WindowContext::draw(const EnumRegistry& enums) {
    if (drawing_) {
        return false;
    }
    if (width_ == 0 || height_ == 0) {
        return true;  // nothing to draw into
    }
    // Cleared on every way out, a throwing callback included.
    struct DrawingFlag {
        bool& flag;
        explicit DrawingFlag(bool& f) : flag(f) { flag = true; }
        ~DrawingFlag() { flag = false; }
    } drawingFlag(drawing_);
    ContextScope scope(context_);
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(float(width_), float(height_));
    if (!io.Fonts->TexID) {
        GlStateGuard guard;
        ImGui_ImplOpenGL2_NewFrame();  // uploads the font texture
    }
    auto now = std::chrono::steady_clock::now();
    float elapsed = std::chrono::duration<float>(now - lastFrame_).count();
    io.DeltaTime = (drawnBefore_ && elapsed > 0) ? elapsed : 1.0f / 60.0f;
    lastFrame_ = now;
    drawnBefore_ = true;

    for (int frame = 0;; ++frame) {
        apply(queue_.nextFrame(), io);
        bool last = queue_.empty() || frame + 1 == kMaxFramesPerDraw;
        if (frame > 0) {
            io.DeltaTime = kInputFrameSeconds;
        }
        ImGui::NewFrame();
        std::vector<PendingCall> calls;
        auto bars = bars_;  // getters may add or delete bars
        try {
            for (const auto& bar : bars) {
                bar->draw(enums, calls);
            }
        } catch (...) {
            // A throwing getter: close the windows and the frame it left open
            // so the next draw starts clean.
            ImGui::ErrorCheckEndFrameRecover(nullptr);
            const ImGuiContext& g = *ImGui::GetCurrentContext();
            ImGui::PopStyleColor(g.ColorStack.Size);  // the bar's colours
            ImGui::PopStyleVar(g.StyleVarStack.Size);
            ImGui::EndFrame();
            throw;
        }
        if (last) {
            ImGui::Render();
            GlStateGuard guard;
            ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
        } else {
            ImGui::EndFrame();
        }
        rememberLastDrawn();
        runCalls(calls);
        ImGui::SetCurrentContext(context_);
        if (last) {
            break;
        }
    }
    return true;
}

void WindowContext::runCalls(const std::vector<PendingCall>& calls) {
    for (const PendingCall& call : calls) {
        // An earlier call may have removed the entry or its bar.
        auto bar = std::find_if(bars_.begin(), bars_.end(),
                                [&](const auto& b) { return b->id() == call.barId; });
        if (bar == bars_.end()) {
            continue;
        }
        std::shared_ptr<Bar> keepBar = *bar;
        if (std::shared_ptr<Entry> entry = keepBar->findById(call.entryId)) {
            entry->call(call.value);
        }
    }
}

void WindowContext::rememberLastDrawn() {
    const ImGuiContext& g = *ImGui::GetCurrentContext();
    std::vector<Rect> rects;
    for (const ImGuiWindow* window : g.Windows) {
        bool shown =
            window->LastFrameActive == g.FrameCount && !window->Hidden && !window->IsFallbackWindow;
        bool passive = (window->Flags & ImGuiWindowFlags_Tooltip) != 0;
        if (shown && !passive) {
            const ImRect& r = window->OuterRectClipped;
            rects.push_back({r.Min.x, r.Min.y, r.Max.x, r.Max.y});
        }
    }
    // A field being typed into, a drag or a held widget is the active item.
    router_.setLastDrawn(std::move(rects), g.ActiveId != 0);
}

bool WindowContext::mouseButton(int index, bool pressed) {
    bool used = router_.mouseButton(index, pressed);
    queue_.mouseButton(index, pressed);
    return used;
}

bool WindowContext::mouseMotion(int x, int y) {
    bool used = router_.mouseMoved(x, y);
    queue_.mouseMoved(x, y);
    return used;
}

bool WindowContext::mouseWheel(float delta) {
    bool used = router_.mouseWheel();
    queue_.mouseWheel(delta);
    return used;
}

bool WindowContext::keyPressed(int key, int modifiers) {
    // Keys the bars do not take are the application's; the widgets never see them.
    if (!router_.keyPressed()) {
        return false;
    }
    queue_.keyPressed(key, modifiers);
    return true;
}

}  // namespace tweakbar
