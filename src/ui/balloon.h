// 气球提示框1: the balloon-tip component of the main window. Its window is a hidden
// pop-up until PopUpBalloon shows it; the program's next click or key press, or the
// program losing activation, hides it again.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/create_window.h"
#include "base/handles.h"
#include "base/window_trampoline.h"
#include "ui/balloon_layout.h"

namespace talvine {

class Balloon {
public:
    // Creates the hidden pop-up window, owned by `owner` so that it is destroyed with
    // it, laid out for `dpi`. Returns false when the window cannot be created.
    bool Create(HINSTANCE instance, HWND owner, CreateWindowFn createWindow, int32_t dpi);

    // Lays the next pop-ups out for `dpi`, the owner's: its font and every distance.
    void SetDpi(int32_t dpi);
    const BalloonMetrics& Metrics() const { return metrics_; }

    // Shows `text` with the pointer's tip on the screen pixel (x, y), without
    // activating the window, as soon as the message being handled is done. With
    // autoHide it hides itself 3000 ms after it shows.
    void Show(int32_t x, int32_t y, const char* text, bool autoHide);
    // Hides the balloon, or cancels one that is about to show.
    void Hide();
    bool Showing() const { return hwnd != nullptr && IsWindowVisible(hwnd); }

    HWND hwnd = nullptr;

private:
    template <typename T>
    friend LRESULT CALLBACK WindowTrampoline(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK WatchProc(int code, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Present();
    void Paint(HDC dc) const;

    struct Request {
        int32_t x = 0;
        int32_t y = 0;
        std::string text;
        bool autoHide = false;
    };
    std::optional<Request> pending_;  // a pop-up waiting for the current message to be done

    // The watch is in place only while the balloon shows, so that the main thread's
    // messages pass no extra hook the rest of the time.
    UniqueHook watch_;
    BalloonMetrics metrics_;
    UniqueGdiObject font_;
    // What the window shows and what the screen showed there before it: painting
    // needs the first, and the next pop-up at the same place needs both to see
    // through a balloon the screen has not yet repainted.
    PixelRect shownAt_;
    std::vector<uint32_t> shown_;
    std::vector<uint32_t> behind_;

    // The balloon the watch hides; a hook procedure has no other way to reach it.
    static Balloon* watched_;
};

// Shows the balloon of `balloon` with its pointer's tip at the screen point (x, y),
// replacing any balloon it shows. `iconIndex` picks from the component's image list;
// the component has none, so no icon shows. An empty text shows nothing.
void PopUpBalloon(Balloon& balloon, int32_t x, int32_t y, const char* text, int32_t iconIndex,
                  bool autoHide = false);

}  // namespace talvine
