#pragma once
#include "platform/Win.h"

#include <utility>

namespace orvane::platform {

// An owned reference to a COM interface, released with its holder.
template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { Reset(); }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For the functions that hand out a new reference.
    T** Put() {
        Reset();
        return &p_;
    }
    void Reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    // Another interface of the same object; empty when it has none.
    template <class U> ComPtr<U> As(REFIID id) const {
        ComPtr<U> other;
        if (p_) p_->QueryInterface(id, reinterpret_cast<void**>(other.Put()));
        return other;
    }

private:
    T* p_ = nullptr;
};

} // namespace orvane::platform
