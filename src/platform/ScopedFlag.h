#pragma once

#include <utility>

namespace orvane::platform {

// A flag that is true for the life of the holder, however the scope is left.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;
    ~ScopedFlag() { flag_ = false; }

private:
    bool& flag_;
};

// A value that holds for the life of the holder; the earlier one comes back however the
// scope is left.
template <class T> class ScopedValue {
public:
    ScopedValue(T& place, T value) : place_(place), earlier_(std::exchange(place, value)) {}
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;
    ~ScopedValue() { place_ = earlier_; }

private:
    T& place_;
    T earlier_;
};

} // namespace orvane::platform
