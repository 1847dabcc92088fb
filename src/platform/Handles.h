#pragma once
#include "platform/Win.h"

#include <atomic>
#include <utility>

namespace orvane::platform {

// A move-only owner of one Windows resource; Traits::Close releases it. Each Traits counts
// the resources its holders hold, so that tests and benchmarks can see leaks where the
// system does not count them (GetGuiResources answers 0 under Wine).
template <class Traits> class Owned {
public:
    using Type = typename Traits::Type;
    Owned() = default;
    explicit Owned(Type value) : value_(value) { Count(value_, 1); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : value_(std::exchange(other.value_, Traits::Invalid())) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset();
            value_ = std::exchange(other.value_, Traits::Invalid());
        }
        return *this;
    }
    ~Owned() { Reset(); }

    Type Get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::Invalid(); }
    Type Release() {
        Count(value_, -1);
        return std::exchange(value_, Traits::Invalid());
    }
    void Reset(Type value = Traits::Invalid()) {
        if (value_ != Traits::Invalid()) {
            Traits::Close(value_);
            Count(value_, -1);
        }
        value_ = value;
        Count(value_, 1);
    }
    // Resources of this kind held by holders now.
    static long Held() { return held_.load(std::memory_order_relaxed); }

private:
    static void Count(Type value, long change) {
        if (value != Traits::Invalid()) held_.fetch_add(change, std::memory_order_relaxed);
    }

    Type value_ = Traits::Invalid();
    inline static std::atomic<long> held_{0};
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { CloseHandle(h); }
};
struct IconTraits {
    using Type = HICON;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DestroyIcon(h); }
};
template <class T> struct GdiObjectTraits {
    using Type = T;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DeleteObject(h); }
};
struct MemoryDcTraits {
    using Type = HDC;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DeleteDC(h); }
};
struct MenuTraits {
    using Type = HMENU;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DestroyMenu(h); }
};

using UniqueHandle = Owned<KernelHandleTraits>;
using UniqueIcon = Owned<IconTraits>;
using UniqueBitmap = Owned<GdiObjectTraits<HBITMAP>>;
using UniqueFont = Owned<GdiObjectTraits<HFONT>>;
using UniqueBrush = Owned<GdiObjectTraits<HBRUSH>>;
using UniquePen = Owned<GdiObjectTraits<HPEN>>;
using UniqueMemoryDc = Owned<MemoryDcTraits>;
using UniqueMenu = Owned<MenuTraits>;

// Icons, bitmaps, fonts, brushes, pens, memory DCs and menus held now: the GDI and USER
// objects that GetGuiResources would count on Windows.
inline long HeldGuiResources() {
    return UniqueIcon::Held() + UniqueBitmap::Held() + UniqueFont::Held() + UniqueBrush::Held() +
           UniquePen::Held() + UniqueMemoryDc::Held() + UniqueMenu::Held();
}
inline long HeldKernelHandles() {
    return UniqueHandle::Held();
}

// A window's device context, released to that window.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC for the lifetime of the holder.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    ~Selected() { SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Memory committed inside another process, released with it.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, SIZE_T size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size,
                                                     MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    ~RemoteMemory() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    void* Address() const { return address_; }
    explicit operator bool() const { return address_ != nullptr; }
    // Left to the other process, which may still write into it.
    void Abandon() { address_ = nullptr; }

private:
    HANDLE process_;
    void* address_;
};

} // namespace orvane::platform
