#include "framework/params/CallbackMenu.h"

#include <cstdio>
#include <map>

#include "framework/app/App.h"
#include "framework/params/AntMgr.h"
#include "tweakbar/TweakBar.h"

namespace reef::params {

namespace {

// Process-wide, like the library itself: window-context ids for new panels and
// the accumulated wheel position.
int32_t nextTwWindowId = 0;
float wheelPosition = 0.0f;

// Framework key codes the tweak bar knows by the same number; other keys are
// passed as their character.
const std::map<int, int>& keyMap() {
    static const std::map<int, int> map = [] {
        std::map<int, int> m;
        for (int code : {8, 9, 127, 275, 276, 278, 279, 280, 281}) {
            m[code] = code;
        }
        for (int code = 282; code <= 296; ++code) {
            m[code] = code;
        }
        return m;
    }();
    return map;
}

TwMouseButtonID buttonFor(const app::MouseEvent& event) {
    if (event.getInitiator() & app::LEFT_DOWN) {
        return TW_MOUSE_LEFT;
    }
    if (event.getInitiator() & app::RIGHT_DOWN) {
        return TW_MOUSE_RIGHT;
    }
    return TW_MOUSE_MIDDLE;
}

template <typename T>
void setTrampoline(const void* value, void* clientData) {
    T copy = *static_cast<const T*>(value);
    static_cast<Accessors<T>*>(clientData)->setter(copy);
}

template <typename T>
void getTrampoline(void* value, void* clientData) {
    *static_cast<T*>(value) = static_cast<Accessors<T>*>(clientData)->getter();
}

void buttonTrampoline(void* clientData) {
    (*static_cast<std::function<void()>*>(clientData))();
}

void copyStdString(std::string& destination, const std::string& source) {
    if (&destination != &source) {
        destination = source;
    }
}

template <typename T>
constexpr int typeIdOf();
template <>
constexpr int typeIdOf<bool>() {
    return TW_TYPE_BOOLCPP;
}
template <>
constexpr int typeIdOf<float>() {
    return TW_TYPE_FLOAT;
}
template <>
constexpr int typeIdOf<int32_t>() {
    return TW_TYPE_INT32;
}
template <>
constexpr int typeIdOf<Vec3f>() {
    return TW_TYPE_DIR3F;
}

}  // namespace

CallbackMenuRef CallbackMenu::create(const std::string& title, const Vec2i& size,
                                     const ColorA& color) {
    return std::make_shared<CallbackMenu>(app::App::get()->getWindow(), title, size, color);
}

CallbackMenu::CallbackMenu(app::WindowRef win, const std::string& title, const Vec2i& size,
                           const ColorA& color)
    : window(win) {
    const float scale = win->getContentScale();
    AntMgr::ensureStarted(static_cast<int>(scale));

    twWindowId = nextTwWindowId++;
    TwSetCurrentWindow(twWindowId);
    const int32_t id = twWindowId;
    bar = std::shared_ptr<TwBar>(TwNewBar(title.c_str()), [id](TwBar* b) {
        TwSetCurrentWindow(id);
        TwDeleteBar(b);
    });
    TwWindowSize(static_cast<int>(scale * win->getWidth()),
                 static_cast<int>(scale * win->getHeight()));

    char definition[1024];
    std::snprintf(definition, sizeof(definition), "`%s` size='%d %d' color='%d %d %d' alpha=%d",
                  title.c_str(), size.x, size.y, static_cast<int>(color.r * 255.0f),
                  static_cast<int>(color.g * 255.0f), static_cast<int>(color.b * 255.0f),
                  static_cast<int>(color.a * 255.0f));
    TwDefine(definition);
    TwCopyStdStringToClientFunc(copyStdString);
    connectEvents(win);
}

CallbackMenu::~CallbackMenu() {
    // Accessors and callbacks first, then the bar (its deleter selects this
    // panel's window context), then the window reference.
    storedAccessors.clear();
    buttonCallbacks.clear();
    bar.reset();
}

void CallbackMenu::connectEvents(const app::WindowRef& win) {
    // The handlers hold only the context id and a weak window: they outlive the
    // panel harmlessly and never keep the window alive.
    const int32_t id = twWindowId;
    const std::weak_ptr<app::Window> weakWindow = win;

    win->getSignalMouseDown().connect([id](app::MouseEvent& event) {
        TwSetCurrentWindow(id);
        event.setHandled(TwMouseButton(TW_MOUSE_PRESSED, buttonFor(event)) != 0);
    });
    win->getSignalMouseUp().connect([id](app::MouseEvent& event) {
        TwSetCurrentWindow(id);
        event.setHandled(TwMouseButton(TW_MOUSE_RELEASED, buttonFor(event)) != 0);
    });
    win->getSignalMouseWheel().connect([id](app::MouseEvent& event) {
        TwSetCurrentWindow(id);
        wheelPosition += event.getWheelIncrement();
        event.setHandled(TwMouseWheel(static_cast<int>(wheelPosition)) != 0);
    });
    const auto motion = [id, weakWindow](app::MouseEvent& event) {
        TwSetCurrentWindow(id);
        const app::WindowRef w = weakWindow.lock();
        if (!w || !w->isValid()) {
            return;
        }
        const float scale = w->getContentScale();
        event.setHandled(TwMouseMotion(static_cast<int>(scale * event.getX()),
                                       static_cast<int>(scale * event.getY())) != 0);
    };
    win->getSignalMouseMove().connect(motion);
    win->getSignalMouseDrag().connect(motion);
    win->getSignalKeyDown().connect([id](app::KeyEvent& event) {
        TwSetCurrentWindow(id);
        const auto found = keyMap().find(event.getCode());
        const int key = found != keyMap().end()
                            ? found->second
                            : static_cast<int>(static_cast<signed char>(event.getChar()));
        int modifiers = 0;
        if (event.isShiftDown()) {
            modifiers |= TW_KMOD_SHIFT;
        }
        if (event.isControlDown()) {
            modifiers |= TW_KMOD_CTRL;
        }
        if (event.isAltDown()) {
            modifiers |= TW_KMOD_ALT;
        }
        event.setHandled(TwKeyPressed(key, modifiers) != 0);
    });
    win->getSignalResize().connect([id, weakWindow]() {
        TwSetCurrentWindow(id);
        const app::WindowRef w = weakWindow.lock();
        if (!w || !w->isValid()) {
            return;
        }
        const float scale = w->getContentScale();
        TwWindowSize(static_cast<int>(scale * w->getWidth()),
                     static_cast<int>(scale * w->getHeight()));
    });
}

void CallbackMenu::addVar(const std::string& name, int type, void* target,
                          const std::string& options, bool readOnly) {
    TwSetCurrentWindow(twWindowId);
    if (readOnly) {
        TwAddVarRO(bar.get(), name.c_str(), static_cast<TwType>(type), target, options.c_str());
    } else {
        TwAddVarRW(bar.get(), name.c_str(), static_cast<TwType>(type), target, options.c_str());
    }
}

void CallbackMenu::addParam(const std::string& name, bool* target, const std::string& options,
                            bool readOnly) {
    addVar(name, TW_TYPE_BOOLCPP, target, options, readOnly);
}

void CallbackMenu::addParam(const std::string& name, float* target, const std::string& options,
                            bool readOnly) {
    addVar(name, TW_TYPE_FLOAT, target, options, readOnly);
}

void CallbackMenu::addParam(const std::string& name, Color* target, const std::string& options,
                            bool readOnly) {
    addVar(name, TW_TYPE_COLOR3F, target, options, readOnly);
}

void CallbackMenu::addParam(const std::string& name, const std::vector<std::string>& names,
                            int32_t* target, const std::string& options) {
    TwSetCurrentWindow(twWindowId);
    std::vector<TwEnumVal> values(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        values[i].Value = static_cast<int>(i);
        values[i].Label = names[i].c_str();
    }
    const TwType type = TwDefineEnum((name + "EnumType").c_str(), values.data(),
                                     static_cast<unsigned>(values.size()));
    TwAddVarRW(bar.get(), name.c_str(), type, target, options.c_str());
}

template <typename T>
void CallbackMenu::addParam(const std::string& name, std::function<void(T)> setter,
                            std::function<T()> getter, const std::string& options) {
    auto record = std::make_shared<Accessors<T>>(std::move(setter), std::move(getter));
    storedAccessors.push_back(record);
    addCallbackVar(name, typeIdOf<T>(), &setTrampoline<T>, &getTrampoline<T>, record.get(),
                   options);
}

template void CallbackMenu::addParam<bool>(const std::string&, std::function<void(bool)>,
                                           std::function<bool()>, const std::string&);
template void CallbackMenu::addParam<float>(const std::string&, std::function<void(float)>,
                                            std::function<float()>, const std::string&);
template void CallbackMenu::addParam<int32_t>(const std::string&, std::function<void(int32_t)>,
                                              std::function<int32_t()>, const std::string&);
template void CallbackMenu::addParam<Vec3f>(const std::string&, std::function<void(Vec3f)>,
                                            std::function<Vec3f()>, const std::string&);

void CallbackMenu::addCallbackVar(const std::string& name, int type,
                                  void (*setter)(const void*, void*), void (*getter)(void*, void*),
                                  void* record, const std::string& options) {
    TwSetCurrentWindow(twWindowId);
    TwAddVarCB(bar.get(), name.c_str(), static_cast<TwType>(type), setter, getter, record,
               options.c_str());
}

void CallbackMenu::addSeparator(const std::string& name, const std::string& options) {
    TwSetCurrentWindow(twWindowId);
    TwAddSeparator(bar.get(), name.c_str(), options.c_str());
}

void CallbackMenu::addButton(const std::string& name, const std::function<void()>& callback,
                             const std::string& options) {
    TwSetCurrentWindow(twWindowId);
    auto copy = std::make_shared<std::function<void()>>(callback);
    buttonCallbacks.push_back(copy);
    TwAddButton(bar.get(), name.c_str(), buttonTrampoline, copy.get(), options.c_str());
}

void CallbackMenu::removeParam(const std::string& name) {
    TwSetCurrentWindow(twWindowId);
    TwRemoveVar(bar.get(), name.c_str());
}

void CallbackMenu::draw() {
    TwSetCurrentWindow(twWindowId);
    TwDraw();
}

}  // namespace reef::params
