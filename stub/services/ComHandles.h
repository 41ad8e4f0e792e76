// Owners for COM objects and OLE Automation values, in the manner of Handles.h: non-copyable,
// movable, released exactly once, the raw pointer lent through get().
#pragma once
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <utility>

namespace stub {

// One reference to a COM interface.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComRef& operator=(ComRef&& o) noexcept
    {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    T** put()
    {
        reset();
        return &p_;
    }
    void reset()
    {
        if (p_)
            p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

// A BSTR owned for a scope.
class Bstr {
public:
    explicit Bstr(const wchar_t* text) : s_(SysAllocString(text)) {}
    ~Bstr() { SysFreeString(s_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return s_; }
    explicit operator bool() const { return s_ != nullptr; }

private:
    BSTR s_;
};

// A VARIANT cleared at the end of its scope.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* get() { return &v_; }
    const VARIANT& value() const { return v_; }

private:
    VARIANT v_;
};

// COM initialised on this thread for a scope. A thread that already runs another apartment
// type keeps it (the call then fails with RPC_E_CHANGED_MODE and nothing is undone).
class ComScope {
public:
    explicit ComScope(DWORD model = COINIT_MULTITHREADED) : hr_(CoInitializeEx(nullptr, model)) {}
    ~ComScope() { if (SUCCEEDED(hr_)) CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    // COM can be used on this thread (initialised here or before).
    bool usable() const { return SUCCEEDED(hr_) || hr_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT hr_;
};

} // namespace stub
