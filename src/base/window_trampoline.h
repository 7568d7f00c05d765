// The one window procedure of the program's own window classes: WM_NCCREATE stores
// the object that CreateWindowEx was given, a member function handles every message
// after that, and WM_NCDESTROY unties window and object again.
#pragma once

#include <windows.h>

namespace talvine {

// T has a public `HWND hwnd` and `LRESULT HandleMessage(UINT, WPARAM, LPARAM)`,
// which may be private if T befriends this template.
template <typename T>
LRESULT CALLBACK WindowTrampoline(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        if (auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams)) {
            SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->hwnd = w;
        }
    }
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (!self) return DefWindowProcA(w, msg, wParam, lParam);
    const LRESULT result = self->HandleMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // The window's last message: from here on the object holds no stale handle,
        // and nothing the system still sends reaches the object.
        SetWindowLongPtrA(w, GWLP_USERDATA, 0);
        self->hwnd = nullptr;
    }
    return result;
}

// Handles WM_PAINT: paint(dc, area) draws the area to update, between BeginPaint and
// EndPaint.
template <typename Paint>
LRESULT PaintNow(HWND w, Paint paint) {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(w, &ps);
    paint(dc, ps.rcPaint);
    EndPaint(w, &ps);
    return 0;
}

}  // namespace talvine
