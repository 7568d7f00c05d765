// Registering the program's own window classes.
#pragma once

#include <windows.h>

#include "base/window_trampoline.h"

namespace talvine {

// Fills and registers a window class whose messages reach T through the trampoline,
// with the given class styles and cursor and the hollow brush, so that erasing
// paints nothing: every window of the program paints itself. A class that an
// earlier window of this process registered is as good as a fresh one.
template <typename T>
bool RegisterWindowClass(HINSTANCE instance, const char* name, UINT style, HCURSOR cursor) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &WindowTrampoline<T>;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace talvine
