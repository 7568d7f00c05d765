// The DPI a window is shown at, and the system's measures at a given DPI. The
// functions that answer per monitor exist only from Windows 10 1607, so they are
// looked up at run time and the program still starts on Windows 7 and 8, where the
// older functions answer for the system's one DPI.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "base/geometry.h"

namespace talvine {

// The per-monitor functions of user32, each null where the system lacks it.
struct DpiFunctions {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;
};

// This system's, looked up once.
const DpiFunctions& SystemDpiFunctions();

// The DPI of the screen the system lays windows out for: LOGPIXELSX of the screen.
int32_t SystemDpi();

// The DPI the window is shown at: GetDpiForWindow, else the system's DPI.
int32_t WindowDpi(HWND window, const DpiFunctions& f = SystemDpiFunctions());

// A system metric at `dpi`: GetSystemMetricsForDpi, else GetSystemMetrics, which
// answers for the system's DPI.
int32_t SystemMetricForDpi(int index, int32_t dpi, const DpiFunctions& f = SystemDpiFunctions());

// The size of the title bar and borders that a window of these styles, with no
// menu, has at `dpi`: AdjustWindowRectExForDpi on an empty rectangle. None where the
// system cannot tell it for another DPI than its own.
std::optional<Extent> FrameForDpi(DWORD style, DWORD exStyle, int32_t dpi,
                                  const DpiFunctions& f = SystemDpiFunctions());

}  // namespace talvine
