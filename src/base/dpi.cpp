#include "base/dpi.h"

#include "base/handles.h"

namespace talvine {

namespace {

template <typename F>
F Lookup(HMODULE module, const char* name) {
    // A function pointer through a generic one: GetProcAddress's own return type.
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

DpiFunctions LookUpDpiFunctions() {
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    DpiFunctions f;
    f.getDpiForWindow = Lookup<decltype(f.getDpiForWindow)>(user32, "GetDpiForWindow");
    f.adjustWindowRectExForDpi = Lookup<decltype(f.adjustWindowRectExForDpi)>(user32, "AdjustWindowRectExForDpi");
    f.getSystemMetricsForDpi = Lookup<decltype(f.getSystemMetricsForDpi)>(user32, "GetSystemMetricsForDpi");
    return f;
}

}  // namespace

const DpiFunctions& SystemDpiFunctions() {
    static const DpiFunctions functions = LookUpDpiFunctions();
    return functions;
}

int32_t SystemDpi() {
    const ScreenDc screen;
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : 96;
}

int32_t WindowDpi(HWND window, const DpiFunctions& f) {
    if (f.getDpiForWindow) {
        // Zero for a handle that is no window.
        if (const UINT dpi = f.getDpiForWindow(window)) return static_cast<int32_t>(dpi);
    }
    return SystemDpi();
}

int32_t SystemMetricForDpi(int index, int32_t dpi, const DpiFunctions& f) {
    if (f.getSystemMetricsForDpi) return f.getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
    return GetSystemMetrics(index);
}

std::optional<Extent> FrameForDpi(DWORD style, DWORD exStyle, int32_t dpi, const DpiFunctions& f) {
    if (!f.adjustWindowRectExForDpi) return std::nullopt;
    RECT r{0, 0, 0, 0};
    if (!f.adjustWindowRectExForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi))) return std::nullopt;
    return Extent{r.right - r.left, r.bottom - r.top};
}

}  // namespace talvine
