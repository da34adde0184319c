#pragma once
// One owning wrapper for every kind of Win32 handle, and guards for the handles that need a second
// value to release (a window's DC, a paint DC, a selected GDI object). Every path through the code
// that gets such a handle gives it back.

#include <windows.h>

#include <utility>

namespace forms {

template <typename Handle, auto Close, Handle Invalid = Handle{}>
class unique_any {
public:
    unique_any() noexcept = default;
    explicit unique_any(Handle handle) noexcept : handle_(handle) {}
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : handle_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~unique_any() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Invalid; }
    Handle release() noexcept { return std::exchange(handle_, Invalid); }
    void reset(Handle handle = Invalid) noexcept {
        if (handle_ != Invalid) Close(handle_);
        handle_ = handle;
    }
    // For out-parameters: releases what is held and gives the place to write a new handle.
    Handle* put() noexcept {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Invalid;
};

using unique_hdc = unique_any<HDC, &::DeleteDC>;
using unique_hbitmap = unique_any<HBITMAP, &::DeleteObject>;
using unique_hfont = unique_any<HFONT, &::DeleteObject>;
using unique_hbrush = unique_any<HBRUSH, &::DeleteObject>;
using unique_hmenu = unique_any<HMENU, &::DestroyMenu>;
using unique_hicon = unique_any<HICON, &::DestroyIcon>;
using unique_handle = unique_any<HANDLE, &::CloseHandle>;
using unique_hglobal = unique_any<HGLOBAL, &::GlobalFree>;
using unique_hwnd = unique_any<HWND, &::DestroyWindow>;

// A COM interface pointer, released once at the end.
template <typename Interface>
class unique_com {
public:
    unique_com() noexcept = default;
    unique_com(const unique_com&) = delete;
    unique_com& operator=(const unique_com&) = delete;
    ~unique_com() { reset(); }

    Interface* get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }
    void reset() noexcept {
        if (pointer_) std::exchange(pointer_, nullptr)->Release();
    }
    // For out-parameters of the COM functions that hand out an interface.
    Interface** put() noexcept {
        reset();
        return &pointer_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

private:
    Interface* pointer_ = nullptr;
};

// A window's DC, released to its window.
class unique_hdc_window {
public:
    explicit unique_hdc_window(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    unique_hdc_window(const unique_hdc_window&) = delete;
    unique_hdc_window& operator=(const unique_hdc_window&) = delete;
    ~unique_hdc_window() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// The DC of one WM_PAINT, ended with EndPaint.
class unique_hdc_paint {
public:
    explicit unique_hdc_paint(HWND window) noexcept : window_(window) { BeginPaint(window_, &paint_); }
    unique_hdc_paint(const unique_hdc_paint&) = delete;
    unique_hdc_paint& operator=(const unique_hdc_paint&) = delete;
    ~unique_hdc_paint() { EndPaint(window_, &paint_); }
    HDC get() const noexcept { return paint_.hdc; }
    const RECT& area() const noexcept { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

// An object selected into a DC, with the previous one selected back at the end.
class unique_select_object {
public:
    unique_select_object(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    unique_select_object(const unique_select_object&) = delete;
    unique_select_object& operator=(const unique_select_object&) = delete;
    ~unique_select_object() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace forms
