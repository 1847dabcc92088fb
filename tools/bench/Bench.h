#pragma once
// What the benchmark programs share: a clock in seconds, medians, and message boxes that
// are printed instead of waiting for a user.
#include "platform/Dialogs.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace orvane::bench {

inline double Seconds() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class PrintedDialogs final : public platform::Dialogs {
public:
    int ShowMessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT) override {
        const std::wstring line = L"message box \"" + caption + L"\": " + text + L"\n";
        std::string utf8(static_cast<size_t>(line.size() * 3), '\0');
        utf8.resize(static_cast<size_t>(
            WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data(),
                                static_cast<int>(utf8.size()), nullptr, nullptr)));
        std::fputs(utf8.c_str(), stderr);
        return IDOK;
    }

private:
    platform::ScopedOverride<platform::Dialogs> installed_{*this};
};

} // namespace orvane::bench
