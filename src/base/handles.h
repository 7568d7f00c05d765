// Owners for Win32 handles: one generic owner, one alias per handle type, and the
// scoped pairs that GDI drawing needs. Copying is deleted, so every handle is
// released in exactly one place.
#pragma once

#include <windows.h>

#include <utility>

namespace talvine {

template <typename Handle, auto Release, Handle Empty = Handle{}>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Empty; }

    Handle release() { return std::exchange(handle_, Empty); }
    void reset(Handle h = Empty) {
        Handle old = std::exchange(handle_, h);
        if (old != Empty) Release(old);
    }

private:
    Handle handle_ = Empty;
};

namespace detail {
inline void CloseKey(HKEY k) { RegCloseKey(k); }
inline void DeleteGdiObject(HGDIOBJ o) { DeleteObject(o); }
inline void DeleteRegion(HRGN r) { DeleteObject(r); }
inline void DestroyIconHandle(HICON i) { DestroyIcon(i); }
inline void DestroyCursorHandle(HCURSOR c) { DestroyCursor(c); }
inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }
inline void RemoveHook(HHOOK hook) { UnhookWindowsHookEx(hook); }
}  // namespace detail

using UniqueIcon = UniqueHandle<HICON, detail::DestroyIconHandle>;
using UniqueCursor = UniqueHandle<HCURSOR, detail::DestroyCursorHandle>;
using UniqueRegKey = UniqueHandle<HKEY, detail::CloseKey>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, detail::DeleteGdiObject>;
using UniqueRegion = UniqueHandle<HRGN, detail::DeleteRegion>;
using UniqueMemoryDc = UniqueHandle<HDC, detail::DeleteMemoryDc>;
using UniqueHook = UniqueHandle<HHOOK, detail::RemoveHook>;

// The screen's device context, for as long as it is in scope.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// An object selected into a DC for as long as it is in scope; the DC's previous
// object is selected back at the end, so that the caller's object can be deleted.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace talvine
