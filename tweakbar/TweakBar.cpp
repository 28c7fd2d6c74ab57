// The C API: argument checks and error texts; the work is done by Library,
// WindowContext and Bar.

#include "tweakbar/TweakBar.h"

#include <memory>
#include <optional>
#include <string>

#include "tweakbar/Definition.h"
#include "tweakbar/Library.h"

using tweakbar::Bar;
using tweakbar::Definition;
using tweakbar::Entry;
using tweakbar::Library;
using tweakbar::Problems;
using tweakbar::WindowContext;

namespace {

Library& lib() {
    return Library::get();
}

bool checkInitialised() {
    return lib().initialised() || lib().fail("the library is not initialised (call TwInit)");
}

std::string joined(const Problems& problems) {
    std::string text;
    for (const std::string& p : problems) {
        text += (text.empty() ? "" : "; ") + p;
    }
    return text;
}

// Reads an entry's options; malformed ones are reported and skipped, the entry
// is added all the same.
void applyEntryDefinition(Entry& entry, const char* def) {
    if (!def) {
        return;
    }
    Problems problems;
    entry.applyOptions(readEntryOptions(tweakbar::parseOptions(def, problems), problems));
    if (!problems.empty()) {
        lib().fail(entry.name() + ": " + joined(problems));
    }
}

// The checks and the options every entry shares; bind attaches the variable,
// callbacks or button. Value entries need a name and a supported type; buttons
// and separators (fixedKind) need neither.
template <typename Bind>
int addEntry(TwBar* handle, const char* name, TwType type,
             std::optional<tweakbar::EntryKind> fixedKind, const char* def, Bind bind) {
    if (!checkInitialised()) {
        return 0;
    }
    Bar* bar = lib().findBar(handle);
    if (!bar) {
        return lib().fail("unknown bar");
    }
    std::string entryName = name ? name : "";
    if (!fixedKind && entryName.empty()) {
        return lib().fail("an entry needs a name");
    }
    if (!entryName.empty() && bar->find(entryName)) {
        return lib().fail("bar " + bar->name() + " already has an entry named " + entryName);
    }
    auto info = fixedKind ? tweakbar::TypeInfo{*fixedKind, 0}
                          : tweakbar::typeInfo(type, lib().enums().isEnum(type));
    if (!info) {
        return lib().fail(entryName + ": type " + std::to_string(int(type)) + " is not supported");
    }
    auto entry = std::make_shared<Entry>(lib().newId(), entryName, type, info->kind, info->size);
    if (!bind(*entry)) {
        return 0;
    }
    applyEntryDefinition(*entry, def);
    bar->add(entry);
    return 1;
}

}  // namespace

int TW_CALL TwInit(TwGraphAPI graphAPI, void* /*device*/) {
    if (graphAPI != TW_OPENGL) {
        return lib().fail("only TW_OPENGL (OpenGL 2 compatibility) is supported");
    }
    if (lib().initialised()) {
        return lib().fail("the library is already initialised");
    }
    lib().initialise();
    return 1;
}

int TW_CALL TwTerminate(void) {
    if (!checkInitialised()) {
        return 0;
    }
    if (!lib().terminate()) {
        return lib().fail("TwTerminate cannot run while TwDraw runs");
    }
    return 1;
}

int TW_CALL TwSetCurrentWindow(int windowID) {
    if (!checkInitialised()) {
        return 0;
    }
    lib().setCurrentWindow(windowID);
    return 1;
}

int TW_CALL TwGetCurrentWindow(void) {
    return lib().currentWindow();
}

int TW_CALL TwWindowSize(int width, int height) {
    if (!checkInitialised()) {
        return 0;
    }
    if (width < 0 || height < 0) {
        return lib().fail("a window size cannot be negative");
    }
    lib().currentContext().setSize(width, height);
    return 1;
}

int TW_CALL TwDraw(void) {
    if (!checkInitialised()) {
        return 0;
    }
    WindowContext* context = lib().currentContextIfMade();
    if (!context) {
        return 1;  // no bars and no size yet
    }
    // Callbacks may select another window; the caller's stays current.
    struct KeepWindow {
        int id = lib().currentWindow();
        ~KeepWindow() { lib().setCurrentWindow(id); }
    } keep;
    if (!context->draw(lib().enums())) {
        return lib().fail("TwDraw cannot run inside TwDraw for the same window");
    }
    return 1;
}

TwBar* TW_CALL TwNewBar(const char* barName) {
    if (!checkInitialised()) {
        return nullptr;
    }
    if (!barName || !*barName) {
        lib().fail("a bar needs a name");
        return nullptr;
    }
    Bar* bar = lib().currentContext().newBar(lib().newId(), barName);
    if (!bar) {
        lib().fail(std::string("a bar named ") + barName + " already exists");
        return nullptr;
    }
    return reinterpret_cast<TwBar*>(bar);
}

int TW_CALL TwDeleteBar(TwBar* bar) {
    if (!checkInitialised()) {
        return 0;
    }
    WindowContext* owner = nullptr;
    if (!lib().findBar(bar, &owner)) {
        return lib().fail("unknown bar");
    }
    owner->deleteBar(reinterpret_cast<const Bar*>(bar));
    return 1;
}

int TW_CALL TwDeleteAllBars(void) {
    if (!checkInitialised()) {
        return 0;
    }
    if (WindowContext* context = lib().currentContextIfMade()) {
        context->deleteAllBars();
    }
    return 1;
}

int TW_CALL TwDefine(const char* def) {
    if (!def) {
        return lib().fail("TwDefine needs a text");
    }
    Problems problems;
    std::vector<Definition> definitions = tweakbar::parseDefinitions(def, problems);
    for (const Definition& d : definitions) {
        if (d.target == Definition::Target::Global) {
            // Global options may come before TwInit (the font scale must).
            auto global = tweakbar::readGlobalOptions(d.options, problems);
            if (global.fontScaling) {
                lib().setFontScale(*global.fontScaling);
            }
            continue;
        }
        if (!lib().initialised()) {
            problems.push_back("the library is not initialised (call TwInit)");
            continue;
        }
        WindowContext* context = lib().currentContextIfMade();
        Bar* bar = context ? context->findBar(d.barName) : nullptr;
        if (!bar) {
            problems.push_back("no bar named " + d.barName + " in window " +
                               std::to_string(lib().currentWindow()));
            continue;
        }
        if (d.target == Definition::Target::Bar) {
            bar->applyOptions(tweakbar::readBarOptions(d.options, problems));
        } else if (auto entry = bar->find(d.entryName)) {
            entry->applyOptions(tweakbar::readEntryOptions(d.options, problems));
        } else {
            bar->defineGroup(d.entryName, tweakbar::readEntryOptions(d.options, problems),
                             problems);
        }
    }
    if (!problems.empty()) {
        return lib().fail(joined(problems));
    }
    return 1;
}

TwType TW_CALL TwDefineEnum(const char* name, const TwEnumVal* enumValues, unsigned int nbValues) {
    if (!checkInitialised()) {
        return TW_TYPE_UNDEF;
    }
    if (!name || !*name) {
        lib().fail("an enumerated type needs a name");
        return TW_TYPE_UNDEF;
    }
    if (nbValues > 0 && !enumValues) {
        lib().fail(std::string("enumerated type ") + name + " has no values");
        return TW_TYPE_UNDEF;
    }
    std::vector<tweakbar::EnumValue> values;
    values.reserve(nbValues);
    for (unsigned i = 0; i < nbValues; ++i) {
        const char* label = enumValues[i].Label;
        values.push_back({enumValues[i].Value, label ? label : ""});
    }
    return lib().enums().define(name, std::move(values));
}

int TW_CALL TwAddVarRW(TwBar* bar, const char* name, TwType type, void* var, const char* def) {
    return addEntry(bar, name, type, std::nullopt, def, [&](Entry& entry) {
        if (!var) {
            return lib().fail(std::string(name) + ": no variable");
        }
        entry.bindVariable(var, false);
        return true;
    });
}

int TW_CALL TwAddVarRO(TwBar* bar, const char* name, TwType type, const void* var,
                       const char* def) {
    return addEntry(bar, name, type, std::nullopt, def, [&](Entry& entry) {
        if (!var) {
            return lib().fail(std::string(name) + ": no variable");
        }
        // Never written: the entry is read-only.
        entry.bindVariable(const_cast<void*>(var), true);
        return true;
    });
}

int TW_CALL TwAddVarCB(TwBar* bar, const char* name, TwType type, TwSetVarCallback setCallback,
                       TwGetVarCallback getCallback, void* clientData, const char* def) {
    return addEntry(bar, name, type, std::nullopt, def, [&](Entry& entry) {
        if (!getCallback) {
            return lib().fail(std::string(name) + ": no get callback");
        }
        entry.bindCallbacks(setCallback, getCallback, clientData);
        return true;
    });
}

int TW_CALL TwAddButton(TwBar* bar, const char* name, TwButtonCallback callback, void* clientData,
                        const char* def) {
    return addEntry(bar, name, TW_TYPE_UNDEF, tweakbar::EntryKind::Button, def, [&](Entry& entry) {
        entry.bindButton(callback, clientData);
        return true;
    });
}

int TW_CALL TwAddSeparator(TwBar* bar, const char* name, const char* def) {
    return addEntry(bar, name, TW_TYPE_UNDEF, tweakbar::EntryKind::Separator, def,
                    [](Entry&) { return true; });
}

int TW_CALL TwRemoveVar(TwBar* handle, const char* name) {
    if (!checkInitialised()) {
        return 0;
    }
    Bar* bar = lib().findBar(handle);
    if (!bar) {
        return lib().fail("unknown bar");
    }
    if (!name || !bar->remove(name)) {
        return lib().fail("bar " + bar->name() + " has no entry named " + (name ? name : ""));
    }
    return 1;
}

int TW_CALL TwRemoveAllVars(TwBar* handle) {
    if (!checkInitialised()) {
        return 0;
    }
    Bar* bar = lib().findBar(handle);
    if (!bar) {
        return lib().fail("unknown bar");
    }
    bar->removeAll();
    return 1;
}

int TW_CALL TwMouseButton(TwMouseAction action, TwMouseButtonID button) {
    if (!lib().initialised()) {
        return 0;
    }
    int index = button == TW_MOUSE_LEFT     ? tweakbar::kMouseLeft
                : button == TW_MOUSE_RIGHT  ? tweakbar::kMouseRight
                : button == TW_MOUSE_MIDDLE ? tweakbar::kMouseMiddle
                                            : -1;
    if (index < 0 || (action != TW_MOUSE_PRESSED && action != TW_MOUSE_RELEASED)) {
        return 0;
    }
    WindowContext* context = lib().currentContextIfMade();
    return context && context->mouseButton(index, action == TW_MOUSE_PRESSED) ? 1 : 0;
}

int TW_CALL TwMouseMotion(int mouseX, int mouseY) {
    if (!lib().initialised()) {
        return 0;
    }
    WindowContext* context = lib().currentContextIfMade();
    return context && context->mouseMotion(mouseX, mouseY) ? 1 : 0;
}

int TW_CALL TwMouseWheel(int pos) {
    if (!lib().initialised()) {
        return 0;
    }
    int delta = lib().wheelMovedTo(pos);
    WindowContext* context = lib().currentContextIfMade();
    return context && context->mouseWheel(float(delta)) ? 1 : 0;
}

int TW_CALL TwKeyPressed(int key, int modifiers) {
    if (!lib().initialised()) {
        return 0;
    }
    WindowContext* context = lib().currentContextIfMade();
    return context && context->keyPressed(key, modifiers) ? 1 : 0;
}

const char* TW_CALL TwGetLastError(void) {
    return lib().takeError();
}

void TW_CALL TwCopyStdStringToClientFunc(TwCopyStdStringToClient copyStdStringFunc) {
    lib().setCopyStringFunction(copyStdStringFunc);
}
