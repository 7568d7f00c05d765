#pragma once

#include <windows.h>

namespace talvine {

// Registers a window class of the program's own. A class already registered (by an
// earlier window of this process) is as good as a fresh one.
inline bool RegisterClassOnce(const WNDCLASSEXA& wc) {
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace talvine
