#pragma once
// Tweak bars: small panels of named values drawn over an OpenGL scene, behind
// the AntTweakBar C API (the subset the framework's panel uses). Bars are drawn
// and hit-tested with Dear ImGui through its OpenGL 2 backend.
//
// Unsupported here: string types, packed 32-bit colours, quaternions, custom
// struct types, and the Direct3D and core-profile graphics APIs.

#ifdef __cplusplus
#include <string>
#endif

#define TW_CALL

#ifdef __cplusplus
extern "C" {
#endif

typedef struct TwBar TwBar;

// TwDefineEnum hands out types from 0x1000 on, past the named values: in C++
// those are valid TwType values only with a fixed underlying type.
// clang-format off
typedef enum ETwType
#ifdef __cplusplus
    : int
#endif
{
    // clang-format on
    TW_TYPE_UNDEF = 0,
    TW_TYPE_BOOLCPP = 1,
    TW_TYPE_BOOL8 = 2,
    TW_TYPE_BOOL16 = 3,
    TW_TYPE_BOOL32 = 4,
    TW_TYPE_CHAR = 5,
    TW_TYPE_INT8 = 6,
    TW_TYPE_UINT8 = 7,
    TW_TYPE_INT16 = 8,
    TW_TYPE_UINT16 = 9,
    TW_TYPE_INT32 = 10,
    TW_TYPE_UINT32 = 11,
    TW_TYPE_FLOAT = 12,
    TW_TYPE_DOUBLE = 13,
    TW_TYPE_COLOR32 = 14,
    TW_TYPE_COLOR3F = 15,
    TW_TYPE_COLOR4F = 16,
    TW_TYPE_DIR3F = 21,
    TW_TYPE_DIR3D = 22
} TwType;

typedef enum ETwGraphAPI {
    TW_OPENGL = 1,
    TW_DIRECT3D9 = 2,
    TW_DIRECT3D10 = 3,
    TW_DIRECT3D11 = 4,
    TW_OPENGL_CORE = 5
} TwGraphAPI;

typedef enum ETwMouseAction { TW_MOUSE_RELEASED = 0, TW_MOUSE_PRESSED = 1 } TwMouseAction;

typedef enum ETwMouseButtonID {
    TW_MOUSE_LEFT = 1,
    TW_MOUSE_MIDDLE = 2,
    TW_MOUSE_RIGHT = 3
} TwMouseButtonID;

typedef enum ETwKeyModifier {
    TW_KMOD_NONE = 0x0000,
    TW_KMOD_SHIFT = 0x0003,
    TW_KMOD_CTRL = 0x00c0,
    TW_KMOD_ALT = 0x0100,
    TW_KMOD_META = 0x0c00
} TwKeyModifier;

// Keys without a character; printable keys are passed as their character.
typedef enum EKeySpecial {
    TW_KEY_BACKSPACE = 8,
    TW_KEY_TAB = 9,
    TW_KEY_CLEAR = 0x0c,
    TW_KEY_RETURN = 13,
    TW_KEY_PAUSE = 0x13,
    TW_KEY_ESCAPE = 27,
    TW_KEY_SPACE = ' ',
    TW_KEY_DELETE = 127,
    TW_KEY_UP = 273,
    TW_KEY_DOWN = 274,
    TW_KEY_RIGHT = 275,
    TW_KEY_LEFT = 276,
    TW_KEY_INSERT = 277,
    TW_KEY_HOME = 278,
    TW_KEY_END = 279,
    TW_KEY_PAGE_UP = 280,
    TW_KEY_PAGE_DOWN = 281,
    TW_KEY_F1 = 282,
    TW_KEY_F2 = 283,
    TW_KEY_F3 = 284,
    TW_KEY_F4 = 285,
    TW_KEY_F5 = 286,
    TW_KEY_F6 = 287,
    TW_KEY_F7 = 288,
    TW_KEY_F8 = 289,
    TW_KEY_F9 = 290,
    TW_KEY_F10 = 291,
    TW_KEY_F11 = 292,
    TW_KEY_F12 = 293,
    TW_KEY_F13 = 294,
    TW_KEY_F14 = 295,
    TW_KEY_F15 = 296
} TwKeySpecial;

typedef struct CTwEnumVal {
    int Value;
    const char* Label;
} TwEnumVal;

typedef void(TW_CALL* TwSetVarCallback)(const void* value, void* clientData);
typedef void(TW_CALL* TwGetVarCallback)(void* value, void* clientData);
typedef void(TW_CALL* TwButtonCallback)(void* clientData);

// Library lifetime. TwInit returns 0 for a graphics API other than TW_OPENGL.
// TwTerminate releases every window context; its fonts textures are deleted in
// whatever GL context is current at that moment.
int TW_CALL TwInit(TwGraphAPI graphAPI, void* device);
int TW_CALL TwTerminate(void);

// Window contexts: each id has its own bars, input state and display size.
int TW_CALL TwSetCurrentWindow(int windowID);
int TW_CALL TwGetCurrentWindow(void);
int TW_CALL TwWindowSize(int width, int height);

// Draws the current window's bars into the bound framebuffer; leaves the GL
// state as it found it. Button and setter callbacks run at its end.
int TW_CALL TwDraw(void);

TwBar* TW_CALL TwNewBar(const char* barName);
int TW_CALL TwDeleteBar(TwBar* bar);
int TW_CALL TwDeleteAllBars(void);

// Definitions: "barName option=value ...", "barName/entryName option=value ...",
// or "GLOBAL option=value ..."; several may be separated by newlines.
int TW_CALL TwDefine(const char* def);
TwType TW_CALL TwDefineEnum(const char* name, const TwEnumVal* enumValues, unsigned int nbValues);

int TW_CALL TwAddVarRW(TwBar* bar, const char* name, TwType type, void* var, const char* def);
int TW_CALL TwAddVarRO(TwBar* bar, const char* name, TwType type, const void* var, const char* def);
// A null setter makes the entry read-only.
int TW_CALL TwAddVarCB(TwBar* bar, const char* name, TwType type, TwSetVarCallback setCallback,
                       TwGetVarCallback getCallback, void* clientData, const char* def);
// A null callback shows the button's name as a plain text line.
int TW_CALL TwAddButton(TwBar* bar, const char* name, TwButtonCallback callback, void* clientData,
                        const char* def);
int TW_CALL TwAddSeparator(TwBar* bar, const char* name, const char* def);
// Returns 0 when the bar has no entry of that name.
int TW_CALL TwRemoveVar(TwBar* bar, const char* name);
int TW_CALL TwRemoveAllVars(TwBar* bar);

// Input. Each returns non-zero when the event went to a bar of the current
// window: the pointer is over a bar as last drawn, a drag began on one, or (for
// keys) one of its fields is being edited. Events reach the widgets at the
// next TwDraw.
int TW_CALL TwMouseButton(TwMouseAction action, TwMouseButtonID button);
int TW_CALL TwMouseMotion(int mouseX, int mouseY);
// pos is the absolute wheel position; bars scroll by its change.
int TW_CALL TwMouseWheel(int pos);
int TW_CALL TwKeyPressed(int key, int modifiers);

// The last error as text, or null when none occurred since it was last read.
const char* TW_CALL TwGetLastError(void);

#ifdef __cplusplus
}  // extern "C"

typedef void(TW_CALL* TwCopyStdStringToClient)(std::string& destinationClientString,
                                               const std::string& sourceString);
void TW_CALL TwCopyStdStringToClientFunc(TwCopyStdStringToClient copyStdStringFunc);
#endif
