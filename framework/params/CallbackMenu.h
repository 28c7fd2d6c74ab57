#pragma once
// The framework's panel: one tweak bar in one window, with entries bound to
// program values by address, by a list of names, or through a setter and a
// getter. It forwards the window's input to the bar and marks every event the
// bar consumed as handled, so the application never sees it.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/app/Window.h"
#include "framework/math/Color.h"
#include "framework/math/Vector.h"
#include "framework/params/Accessors.h"

struct TwBar;

namespace reef::params {

class CallbackMenu;
using CallbackMenuRef = std::shared_ptr<CallbackMenu>;

class CallbackMenu {
public:
    // A panel for the application's current window. Throws reef::Exception when
    // the tweak-bar library cannot start.
    static CallbackMenuRef create(const std::string& title, const Vec2i& size, const ColorA& color);

    CallbackMenu(app::WindowRef window, const std::string& title, const Vec2i& size,
                 const ColorA& color);
    ~CallbackMenu();
    CallbackMenu(const CallbackMenu&) = delete;
    CallbackMenu& operator=(const CallbackMenu&) = delete;

    // The target must stay alive, at a fixed address, while the entry exists.
    void addParam(const std::string& name, bool* target, const std::string& options = "",
                  bool readOnly = false);
    void addParam(const std::string& name, float* target, const std::string& options = "",
                  bool readOnly = false);
    void addParam(const std::string& name, Color* target, const std::string& options = "",
                  bool readOnly = false);
    // An enumerated choice: the int holds the position of the chosen name.
    void addParam(const std::string& name, const std::vector<std::string>& names, int32_t* target,
                  const std::string& options = "");
    // Value types bool, float, int32_t and Vec3f; every read goes through the
    // getter and every edit through the setter.
    template <typename T>
    void addParam(const std::string& name, std::function<void(T)> setter, std::function<T()> getter,
                  const std::string& options = "");

    void addSeparator(const std::string& name = "", const std::string& options = "");
    void addButton(const std::string& name, const std::function<void()>& callback,
                   const std::string& options = "");
    // Removing a name that does not exist is not an error.
    void removeParam(const std::string& name);
    void draw();

    int getTwWindowId() const { return twWindowId; }

private:
    void addVar(const std::string& name, int type, void* target, const std::string& options,
                bool readOnly);
    void addCallbackVar(const std::string& name, int type, void (*setter)(const void*, void*),
                        void (*getter)(void*, void*), void* record, const std::string& options);
    void connectEvents(const app::WindowRef& window);

    std::weak_ptr<app::Window> window;
    std::shared_ptr<TwBar> bar;
    int32_t twWindowId = 0;
    std::vector<std::shared_ptr<std::function<void()>>> buttonCallbacks;
    std::vector<std::shared_ptr<void>> storedAccessors;
};

}  // namespace reef::params
