#pragma once
#include "platform/Win.h"

#include <string>

namespace orvane::ui {

// The tooltip of one window: shown while the pointer rests on it, line breaks kept.
class Hint {
public:
    Hint(HWND tool, const std::wstring& text);
    Hint(const Hint&) = delete;
    Hint& operator=(const Hint&) = delete;
    ~Hint();

    const std::wstring& Text() const { return text_; }
    void SetText(const std::wstring& text);

private:
    HWND tool_;
    HWND tip_;
    std::wstring text_;
};

} // namespace orvane::ui
