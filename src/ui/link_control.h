// 超级链接框1: a self-drawn child window that opens the maker's web page when pressed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "base/create_window.h"
#include "base/handles.h"
#include "base/window_trampoline.h"
#include "ui/link_open.h"

namespace talvine {

class LinkControl {
public:
    static bool RegisterWindowClass(HINSTANCE instance);

    // Creates the control hidden, with no extended style, then gives it its raised
    // double frame. Returns false when the window cannot be created.
    bool Create(HINSTANCE instance, HWND parent, CreateWindowFn createWindow, int x, int y,
                int width, int height, const char* caption, int id);

    // Opens the maker's web page; true when that worked.
    bool OpenLink(int showCommand) const;

    // Shows the pointing hand `size` pixels square over the control: its 32 x 32
    // pixels scaled to the control's DPI.
    void SetCursorSize(int32_t size);

    HWND hwnd = nullptr;
    bool hover = false;    // from the first move over the control until the pointer is seen outside
    bool visited = false;  // the latest open's result
    LinkLaunchers launchers;
    // Runs after every open, whatever its result.
    std::function<void()> afterOpen;

private:
    template <typename T>
    friend LRESULT CALLBACK WindowTrampoline(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(POINT at);
    void OnMouseLeft();
    void Paint(HDC dc, const RECT& area) const;

    HFONT font_ = nullptr;  // WM_SETFONT's; the owner keeps it alive
    UniqueCursor cursor_;
};

}  // namespace talvine
