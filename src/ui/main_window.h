// The main window and its members, with the events they raise and the
// properties that handlers read and write.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/create_window.h"
#include "base/dpi.h"
#include "base/handles.h"
#include "ui/balloon.h"
#include "ui/layout.h"
#include "ui/link_control.h"
#include "ui/window_events.h"

namespace talvine {

// The main window's class; a second start finds the running copy's window by it.
inline constexpr char kMainWindowClass[] = "TalvineMainWindow";

// A handler's answer to an event that asks a question. Only a No changes anything:
// may-close keeps the window open, left-button-pressed consumes the press.
enum class Answer { None, Yes, No };

// The handlers bound to the window's and its members' events, each slot named for
// its event. An empty slot means the event has no handler.
struct Bindings {
    void (*created)() = nullptr;
    Answer (*mayClose)() = nullptr;
    void (*positionChanged)() = nullptr;
    void (*sizeChanged)() = nullptr;
    void (*trayEvent)(TrayEvent type) = nullptr;
    // WM_DESTROY, while the window still exists: its tray icon goes with it.
    void (*destroyed)() = nullptr;
    // WM_ENDSESSION: ending is false when the session goes on after all.
    void (*sessionEnded)(bool ending) = nullptr;
    // The notification area was created anew (the shell restarted) and knows no icons.
    void (*notificationAreaCreated)() = nullptr;
    // 按钮5's click.
    void (*copySwitchClicked)() = nullptr;
    // 按钮6's left-button-pressed: the press position, unsigned, and the key state.
    Answer (*helpPressed)(int32_t x, int32_t y, int32_t keyState) = nullptr;
    // 标签1's feedback: a hotkey identifier, then 0.
    void (*hotkeyFeedback)(int32_t first, int32_t second) = nullptr;
    // The notices that keep the mouse hooks in place.
    void (*watchNotice)(WatchNotice notice) = nullptr;
    // Not an event but a question the window asks on every WM_HOTKEY: which control,
    // if any, hears of the press before the window's own handling.
    HWND (*hotkeyReceiver)(HWND window, WPARAM id) = nullptr;
};

struct EditBox {
    HWND hwnd = nullptr;
    // Outer top-left corner in the main window's client area.
    int32_t Left() const;
    int32_t Top() const;
    // Replaces the whole text; null writes the empty text.
    void SetText(const char* text) const;
};

struct Button {
    HWND hwnd = nullptr;
    std::string caption;  // the caption last written, read back byte for byte
    // A copy of the caption last written.
    std::string Caption() const { return caption; }
    void SetCaption(const char* text);
};

class MainWindow;

// 标签1: raises its feedback event when a hotkey notification is forwarded to it.
class Label {
public:
    HWND hwnd = nullptr;

private:
    friend class MainWindow;
    template <typename T>
    friend LRESULT CALLBACK WindowTrampoline(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    MainWindow* owner_ = nullptr;
};

class MainWindow {
public:
    // Creates the window and all its members, hidden and raising no event, laid out
    // for the DPI of the screen it starts on, as `dpi` tells it. Returns false, with
    // nothing left behind, when any of them cannot be created.
    bool Create(HINSTANCE instance, const Bindings& bindings, CreateWindowFn createWindow = &CreateWindowExA,
                const DpiFunctions& dpi = SystemDpiFunctions());

    // The rest of the window's creation: shows the controls without activating them,
    // raises created, position-changed and size-changed, then shows the window.
    // Each step after the created event runs only if the window still exists.
    void Open();

    // Looks at a message before the loop delivers it. Returns true when the message
    // is consumed and must not be delivered.
    bool PreTranslate(const MSG& msg);

    // The message loop's step for one message: the pre-translation, then, unless it
    // consumed the message, translation into characters and dispatch.
    void Deliver(const MSG& msg);

    bool Exists() const { return hwnd != nullptr && IsWindow(hwnd); }

    // Properties of the main window itself.
    int32_t Left() const;  // outer rectangle, screen coordinates
    int32_t Top() const;
    void SetVisible(bool visible) const;
    WindowPosition Position() const;  // Minimised, Maximised or Normal
    void SetPosition(WindowPosition position) const;

    // The DPI the window and its members are laid out for.
    int32_t Dpi() const { return dpi_; }
    // The window's outer size at `dpi`.
    Extent OuterSize(int32_t dpi) const;

    HWND hwnd = nullptr;
    EditBox 编辑框1;
    Button 按钮5;
    Button 按钮6;
    LinkControl 超级链接框1;
    Label 标签1;
    Balloon 气球提示框1;

private:
    template <typename T>
    friend LRESULT CALLBACK WindowTrampoline(HWND, UINT, WPARAM, LPARAM);
    friend class Label;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool RegisterClasses(HINSTANCE instance);
    bool CreateMembers(HINSTANCE instance, CreateWindowFn createWindow);
    void Paint(HDC dc) const;
    void MoveFocus(bool forward) const;
    // Lays the members out for `dpi`: places, fonts, icons, the link's cursor and the
    // balloon's next pop-up. The window's own rectangle is the caller's to set.
    void ApplyDpi(int32_t dpi);
    HFONT Font() const;

    Bindings bindings_;
    bool eventsOn_ = false;  // no event is raised while the window is being created
    bool opened_ = false;    // the loop runs only for a window that was opened
    UINT taskbarCreated_ = 0;  // broadcast when the notification area is (re)created
    const DpiFunctions* dpiFunctions_ = &SystemDpiFunctions();
    int32_t dpi_ = kDesignDpi;
    UniqueGdiObject font_;  // the members' font at dpi_
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
};

}  // namespace talvine
