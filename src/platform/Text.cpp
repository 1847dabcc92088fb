#include "platform/Text.h"

#include "platform/Win.h"

namespace orvane::platform {

std::wstring Lowered(std::wstring text) {
    if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

} // namespace orvane::platform
