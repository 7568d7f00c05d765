// 超级链接框1: a self-drawn child window that opens the maker's web page when pressed.
#pragma once

#include <windows.h>

#include "ui/create_window.h"

namespace talvine {

class LinkControl {
public:
    static bool RegisterWindowClass(HINSTANCE instance);

    // Creates the control hidden, with no extended style, then gives it its raised
    // double frame. Returns false when the window cannot be created.
    bool Create(HINSTANCE instance, HWND parent, CreateWindowFn createWindow, int x, int y,
                int width, int height, const char* caption, int id);

    HWND hwnd = nullptr;
    bool hover = false;
    bool visited = false;

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc, const RECT& area) const;
};

}  // namespace talvine
