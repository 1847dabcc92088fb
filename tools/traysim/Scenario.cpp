#include "traysim/Scenario.h"

#include <cwchar>
#include <initializer_list>
#include <optional>
#include <set>
#include <utility>

namespace traysim {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

std::wstring_view TrimLeft(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::wstring_view TrimRight(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Takes the next blank-separated word off the front of text.
std::wstring_view NextWord(std::wstring_view& text) {
    text = TrimLeft(text);
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    const std::wstring_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

std::wstring Quoted(std::wstring_view text) {
    return L"'" + std::wstring(text) + L"'";
}

int DigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Decimal, or hexadecimal after "0x"; no sign; at most 32 bits.
std::optional<std::uint32_t> ParseNumber(std::wstring_view text) {
    unsigned base = 10;
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (const wchar_t c : text) {
        const int digit = DigitValue(c);
        if (digit < 0 || static_cast<unsigned>(digit) >= base) return std::nullopt;
        value = value * base + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<std::uint32_t> ParseColor(std::wstring_view text) {
    if (text.size() != 7 || text[0] != L'#') return std::nullopt;
    std::uint32_t value = 0;
    for (const wchar_t c : text.substr(1)) {
        const int digit = DigitValue(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

// \n is a line break and \\ a backslash; nothing else may follow a backslash.
bool Unescape(std::wstring_view text, std::wstring& out, std::wstring& error) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\') {
            out += text[i];
            continue;
        }
        if (i + 1 == text.size()) {
            error = L"tip ends with a lone backslash";
            return false;
        }
        const wchar_t next = text[++i];
        if (next == L'n') {
            out += L'\n';
        } else if (next == L'\\') {
            out += L'\\';
        } else {
            error = L"unknown escape \\" + std::wstring(1, next) + L" in tip";
            return false;
        }
    }
    if (out.size() > kMaxTip) {
        error = L"tip longer than " + std::to_wstring(kMaxTip) + L" units";
        return false;
    }
    return true;
}

template <class E> struct Named {
    std::wstring_view word;
    E value;
};

template <class E>
std::optional<E> Choose(std::wstring_view word, std::initializer_list<Named<E>> names) {
    for (const Named<E>& name : names) {
        if (name.word == word) return name.value;
    }
    return std::nullopt;
}

std::optional<Area> ParseArea(std::wstring_view word) {
    return Choose<Area>(
        word, {{L"tray", Area::Tray}, {L"overflow", Area::Overflow}, {L"system", Area::System}});
}

std::optional<Layout> ParseLayout(std::wstring_view word) {
    return Choose<Layout>(word, {{L"win7", Layout::Win7},
                                 {L"vista", Layout::Vista},
                                 {L"nopager", Layout::NoPager},
                                 {L"nooverflow", Layout::NoOverflow},
                                 {L"win11", Layout::Win11}});
}

std::optional<TaskbarMonitor> ParseMonitor(std::wstring_view word) {
    return Choose<TaskbarMonitor>(
        word, {{L"primary", TaskbarMonitor::Primary}, {L"other", TaskbarMonitor::Other}});
}

// A line's one word, which `parse` names; an error text, empty when it was taken.
template <class T, class Parse>
std::wstring ParseChoice(std::wstring_view rest, const wchar_t* what, Parse parse, T& value) {
    const std::wstring_view name = NextWord(rest);
    const std::optional<T> parsed = parse(name);
    if (!parsed) return L"unknown " + std::wstring(what) + L" " + Quoted(name);
    if (!TrimLeft(rest).empty()) return L"unexpected " + Quoted(TrimRight(TrimLeft(rest)));
    value = *parsed;
    return {};
}

// Applies one key=value option to the icon; returns the error, empty on success.
std::wstring ApplyOption(std::wstring_view key, std::wstring_view value, IconSpec& icon,
                         std::optional<std::uint32_t>& fill) {
    const auto bad = [&] { return L"bad value " + Quoted(value) + L" for " + std::wstring(key); };
    if (key == L"id" || key == L"msg" || key == L"tipfill" || key == L"cmd" || key == L"version") {
        const auto number = ParseNumber(value);
        if (!number) return bad();
        if (key == L"id") {
            icon.id = *number;
        } else if (key == L"cmd") {
            if (*number < 1 || *number > 0x7FFF) return L"cmd must lie between 1 and 0x7FFF";
            icon.command = *number;
        } else if (key == L"version") {
            if (*number != 0 && *number != 3 && *number != 4) return L"version must be 0, 3 or 4";
            icon.version = *number;
        } else if (key == L"msg") {
            if (*number < kMinMessage || *number > kMaxMessage) {
                return L"msg must lie between 0x400 and 0xFFFF";
            }
            icon.message = *number;
        } else {
            if (*number < 1 || *number > kMaxTip) {
                return L"tipfill must lie between 1 and " + std::to_wstring(kMaxTip);
            }
            fill = *number;
        }
    } else if (key == L"color") {
        const auto color = ParseColor(value);
        if (!color) return bad();
        icon.color = *color;
    } else if (key == L"data") {
        const auto fault =
            Choose<DataFault>(value, {{L"zero", DataFault::Zero}, {L"junk", DataFault::Junk}});
        if (!fault) return bad();
        icon.data = *fault;
    } else if (key == L"info") {
        const auto fault =
            Choose<InfoFault>(value, {{L"fail", InfoFault::Fail}, {L"stall", InfoFault::Stall}});
        if (!fault) return bad();
        icon.info = *fault;
    } else if (key == L"hicon") {
        if (value != L"none") return bad();
        icon.noIcon = true;
    } else if (key == L"owner") {
        if (value != L"gone") return bad();
        icon.ownerGone = true;
    } else {
        return L"unknown option " + Quoted(key);
    }
    return {};
}

std::wstring ParseIcon(std::wstring_view rest, IconSpec& icon) {
    const std::wstring_view areaWord = NextWord(rest);
    const auto area = ParseArea(areaWord);
    if (!area) return L"icon needs tray, overflow or system, not " + Quoted(areaWord);
    icon.area = *area;
    std::set<std::wstring, std::less<>> seen;
    std::optional<std::uint32_t> fill;
    bool hasTip = false;
    for (;;) {
        rest = TrimLeft(rest);
        if (rest.empty()) break;
        if (rest.substr(0, 4) == L"tip=") {
            std::wstring error;
            if (!Unescape(rest.substr(4), icon.tip, error)) return error;
            hasTip = true;
            break;
        }
        const std::wstring_view option = NextWord(rest);
        const std::size_t equals = option.find(L'=');
        if (equals == std::wstring_view::npos || equals == 0) {
            return L"expected key=value, not " + Quoted(option);
        }
        const std::wstring_view key = option.substr(0, equals);
        if (!seen.emplace(key).second) return std::wstring(key) + L" given twice";
        std::wstring error = ApplyOption(key, option.substr(equals + 1), icon, fill);
        if (!error.empty()) return error;
    }
    if (!seen.count(L"id")) return L"icon needs id=";
    if (fill) {
        const std::wstring unit = hasTip && !icon.tip.empty() ? icon.tip : L"x";
        icon.tip.clear();
        while (icon.tip.size() < *fill) icon.tip += unit;
        icon.tip.resize(*fill);
    }
    return {};
}

// "<keyword> <name>=N"
std::wstring ParseNumbered(std::wstring_view keyword, std::wstring_view rest,
                           std::wstring_view name, std::uint32_t& id) {
    const std::wstring prefix = std::wstring(name) + L"=";
    const std::wstring_view option = NextWord(rest);
    if (option.substr(0, prefix.size()) != prefix)
        return std::wstring(keyword) + L" needs " + prefix;
    const auto number = ParseNumber(option.substr(prefix.size()));
    if (!number)
        return L"bad value " + Quoted(option.substr(prefix.size())) + L" for " + std::wstring(name);
    id = *number;
    if (!TrimLeft(rest).empty()) return L"unexpected " + Quoted(TrimLeft(rest));
    return {};
}

} // namespace

LineResult ParseLine(std::wstring_view line) {
    LineResult result;
    std::wstring_view rest = TrimLeft(line);
    if (rest.empty() || rest.front() == L'#') return result;
    const std::wstring_view keyword = NextWord(rest);
    Command& command = result.command;
    if (keyword == L"icon") {
        command.kind = Command::Kind::Icon;
        result.error = ParseIcon(rest, command.icon);
    } else if (keyword == L"remove") {
        command.kind = Command::Kind::Remove;
        result.error = ParseNumbered(keyword, rest, L"id", command.id);
    } else if (keyword == L"poke") {
        command.kind = Command::Kind::Poke;
        result.error = ParseNumbered(keyword, rest, L"hwnd", command.id);
    } else if (keyword == L"layout") {
        command.kind = Command::Kind::Layout;
        result.error = ParseChoice(rest, L"layout", ParseLayout, command.layout);
    } else if (keyword == L"monitor") {
        command.kind = Command::Kind::Monitor;
        result.error = ParseChoice(rest, L"monitor", ParseMonitor, command.monitor);
    } else if (keyword == L"clear" || keyword == L"restart") {
        command.kind = keyword == L"clear" ? Command::Kind::Clear : Command::Kind::Restart;
        if (!TrimLeft(rest).empty()) {
            result.error = L"unexpected " + Quoted(TrimRight(TrimLeft(rest)));
        }
    } else {
        result.error = L"unknown command " + Quoted(keyword);
    }
    if (!result.error.empty()) result.command = Command{};
    return result;
}

bool AreaAllowed(Layout layout, Area area) {
    switch (area) {
    case Area::Tray:
        return layout != Layout::NoPager;
    case Area::Overflow:
        return layout == Layout::Win7 || layout == Layout::Vista;
    case Area::System:
        return layout == Layout::Vista;
    }
    return false;
}

std::wstring IconRefused(Layout layout, const IconSpec& icon) {
    if (!AreaAllowed(layout, icon.area)) return L"this layout has no place for such an icon";
    if (layout != Layout::Win11) {
        return icon.version != 0 ? L"version= needs layout win11" : L"";
    }
    const wchar_t* option = icon.data != DataFault::None   ? L"data="
                            : icon.noIcon                  ? L"hicon="
                            : icon.command                 ? L"cmd="
                            : icon.info != InfoFault::None ? L"info="
                                                           : nullptr;
    if (!option) return {};
    return std::wstring(option) + L" shapes a toolbar button, which layout win11 has not";
}

std::wstring FormatIconLine(const IconSpec& icon) {
    static const wchar_t* const areas[] = {L"tray", L"overflow", L"system"};
    wchar_t numbers[64];
    swprintf(numbers, 64, L" id=%u msg=0x%X color=#%06X version=%u", icon.id, icon.message,
             icon.color, icon.version);
    std::wstring line = L"icon " + std::wstring(areas[static_cast<int>(icon.area)]) + numbers;
    if (icon.data != DataFault::None)
        line += icon.data == DataFault::Zero ? L" data=zero" : L" data=junk";
    if (icon.noIcon) line += L" hicon=none";
    if (icon.ownerGone) line += L" owner=gone";
    if (icon.command) line += L" cmd=" + std::to_wstring(*icon.command);
    if (icon.info != InfoFault::None)
        line += icon.info == InfoFault::Fail ? L" info=fail" : L" info=stall";
    line += L" tip=";
    for (const wchar_t c : icon.tip) {
        if (c == L'\\') {
            line += L"\\\\";
        } else if (c == L'\n') {
            line += L"\\n";
        } else {
            line += c;
        }
    }
    return line;
}

ScenarioResult ParseScenario(std::wstring_view text) {
    ScenarioResult result;
    if (!text.empty() && text.front() == L'\xFEFF') text.remove_prefix(1);
    std::set<std::uint32_t> ids;
    bool haveLayout = false, haveMonitor = false;
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find(L'\n');
        std::wstring_view line = text.substr(0, end);
        text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);

        LineResult parsed = ParseLine(line);
        std::wstring error = std::move(parsed.error);
        const Command& command = parsed.command;
        if (error.empty()) {
            switch (command.kind) {
            case Command::Kind::None:
                break;
            case Command::Kind::Layout:
                if (haveLayout || !result.scenario.icons.empty()) {
                    error = L"layout must come once, before the icons";
                }
                haveLayout = true;
                result.scenario.layout = command.layout;
                break;
            case Command::Kind::Monitor:
                if (haveMonitor || !result.scenario.icons.empty()) {
                    error = L"monitor must come once, before the icons";
                }
                haveMonitor = true;
                result.scenario.monitor = command.monitor;
                break;
            case Command::Kind::Icon:
                error = IconRefused(result.scenario.layout, command.icon);
                if (error.empty() && !ids.insert(command.icon.id).second)
                    error = L"id " + std::to_wstring(command.icon.id) + L" used twice";
                if (error.empty()) result.scenario.icons.push_back(command.icon);
                break;
            default:
                error = L"remove, clear and restart are commands, not scenario lines";
            }
        }
        if (!error.empty()) {
            result.scenario = Scenario{};
            result.error = L"line " + std::to_wstring(number) + L": " + error;
            return result;
        }
    }
    return result;
}

} // namespace traysim
