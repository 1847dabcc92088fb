#pragma once

namespace orvane::platform {

// Process-wide stand-in points. Real<I>() is the Windows implementation of interface I;
// a test installs its own with ScopedOverride for the span of one test.
template <class I> I& Real();

template <class I> I*& Override() {
    static I* current = nullptr;
    return current;
}

template <class I> I& Use() {
    I* current = Override<I>();
    return current ? *current : Real<I>();
}

template <class I> class ScopedOverride {
public:
    explicit ScopedOverride(I& replacement) : saved_(Override<I>()) {
        Override<I>() = &replacement;
    }
    ScopedOverride(const ScopedOverride&) = delete;
    ScopedOverride& operator=(const ScopedOverride&) = delete;
    ~ScopedOverride() { Override<I>() = saved_; }

private:
    I* saved_;
};

} // namespace orvane::platform
