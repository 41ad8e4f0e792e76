// Owners of Win32 handles. Each type is non-copyable, movable, closes its handle exactly once,
// and lends the raw handle through get(). Every module of the stub keeps its handles in these.
#pragma once
#include <windows.h>
#include <utility>

namespace stub {

template <typename Traits>
class Owned {
public:
    using Handle = typename Traits::Handle;
    Owned() = default;
    explicit Owned(Handle h) : h_(h) {}
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& o) noexcept : h_(o.release()) {}
    Owned& operator=(Owned&& o) noexcept
    {
        if (this != &o)
            reset(o.release());
        return *this;
    }
    Handle get() const { return h_; }
    explicit operator bool() const { return Traits::valid(h_); }
    Handle release() { return std::exchange(h_, Traits::none()); }
    void reset(Handle h = Traits::none())
    {
        if (Traits::valid(h_))
            Traits::close(h_);
        h_ = h;
    }

private:
    Handle h_ = Traits::none();
};

struct KernelHandleTraits {  // files use INVALID_HANDLE_VALUE, most others null: both are "none"
    using Handle = HANDLE;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Handle h) { CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle none() { return INVALID_HANDLE_VALUE; }
    static bool valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Handle h) { FindClose(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { RegCloseKey(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { FreeLibrary(h); }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { DeleteObject(h); }
};
struct GlobalAtomTraits {
    using Handle = ATOM;
    static Handle none() { return 0; }
    static bool valid(Handle h) { return h != 0; }
    static void close(Handle h) { GlobalDeleteAtom(h); }
};
struct WindowTraits {
    using Handle = HWND;
    static Handle none() { return nullptr; }
    static bool valid(Handle h) { return h != nullptr; }
    static void close(Handle h) { DestroyWindow(h); }
};

using UniqueHandle = Owned<KernelHandleTraits>;  // files, processes, threads, events
using FindHandle = Owned<FindHandleTraits>;      // FindFirstFile searches
using RegKey = Owned<RegKeyTraits>;
using Module = Owned<ModuleTraits>;              // LoadLibrary
using GdiObject = Owned<GdiObjectTraits>;        // fonts, pens, brushes, bitmaps
using GlobalAtom = Owned<GlobalAtomTraits>;
using OwnedWindow = Owned<WindowTraits>;

// A device context obtained with GetDC, released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND w) : w_(w), dc_(GetDC(w)) {}
    ~WindowDC() { if (dc_) ReleaseDC(w_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND w_;
    HDC dc_;
};

// The device context of a WM_PAINT, between BeginPaint and EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND w) : w_(w), dc_(BeginPaint(w, &ps_)) {}
    ~PaintDC() { EndPaint(w_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND w_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects a GDI object into a DC for a scope and puts the previous one back.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~SelectScope() { if (old_) SelectObject(dc_, old_); }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A critical section that lives as long as its owner.
class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&cs_); }
    ~CriticalSection() { DeleteCriticalSection(&cs_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    void lock() { EnterCriticalSection(&cs_); }
    void unlock() { LeaveCriticalSection(&cs_); }

private:
    CRITICAL_SECTION cs_;
};

} // namespace stub
