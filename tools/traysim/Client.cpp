#include "traysim/TraySim.h"

#include "platform/Handles.h"

#include <string>

namespace traysim {
namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchTaskbar(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (std::wstring_view(name) != L"Shell_TrayWnd" || !GetPropW(window, L"TraySim")) return TRUE;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (search.processId != 0 && processId != search.processId) return TRUE;
    search.found = window;
    return FALSE;
}

} // namespace

HWND FindTaskbar(DWORD processId) {
    Search search{processId, nullptr};
    EnumWindows(MatchTaskbar, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool SendCommand(std::wstring_view line, HWND taskbar) {
    if (!taskbar) taskbar = FindTaskbar();
    if (!taskbar) return false;
    const std::wstring text(line);
    COPYDATASTRUCT data{kCommandCode, static_cast<DWORD>(text.size() * sizeof(wchar_t)),
                        const_cast<wchar_t*>(text.data())};
    DWORD_PTR result = FALSE;
    return SendMessageTimeoutW(taskbar, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, 10000, &result) &&
           result == TRUE;
}

ScenarioResult LoadScenarioFile(const std::wstring& path) {
    constexpr DWORD kMaxSize = 16 * 1024 * 1024;
    ScenarioResult failed;
    failed.error = L"cannot read " + path;
    const HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return failed;
    const orvane::platform::UniqueHandle file(opened);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxSize) return failed;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size())) {
        return failed;
    }
    std::wstring text;
    if (!bytes.empty()) {
        const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                               static_cast<int>(bytes.size()), nullptr, 0);
        if (length <= 0) {
            failed.error = path + L" is not UTF-8 text";
            return failed;
        }
        text.resize(static_cast<std::size_t>(length));
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                            static_cast<int>(bytes.size()), text.data(), length);
    }
    return ParseScenario(text);
}

} // namespace traysim
