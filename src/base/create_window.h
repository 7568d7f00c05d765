#pragma once

#include <windows.h>

namespace talvine {

// Every window the form creates goes through a function of CreateWindowExA's
// signature, so that a test can make any one of them fail.
using CreateWindowFn = HWND(WINAPI*)(DWORD, LPCSTR, LPCSTR, DWORD, int, int, int, int, HWND,
                                     HMENU, HINSTANCE, LPVOID);

}  // namespace talvine
