#pragma once
// Text as lines, the way a multi-line edit holds it.
#include <string>
#include <vector>

namespace orvane::ui {

// Lines end at CR LF, a lone CR or a lone LF; a break at the very end opens no further
// line, so "" has no line and "\r\n" one empty line.
std::vector<std::wstring> SplitLines(const std::wstring& text);
// Every line followed by CR LF.
std::wstring JoinLines(const std::vector<std::wstring>& lines);

} // namespace orvane::ui
