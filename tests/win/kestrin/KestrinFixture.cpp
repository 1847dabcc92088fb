#include "KestrinFixture.h"

#include "core/Profile.h"

namespace orvane::test {

std::wstring KestrinIni() {
    return DataFolder() + L"Kestrin.ini";
}

std::wstring BlueIcon(int number) {
    return DataFolder() + L"Icon\\BlueIcon" + std::to_wstring(number) + L".ico";
}

std::wstring SystemProgram(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}

std::wstring Read(const wchar_t* section, const std::wstring& key) {
    return IniFile(KestrinIni()).ReadString(section, key, L"<missing>");
}

void Write(const wchar_t* section, const std::wstring& key, const wchar_t* value) {
    WritePrivateProfileStringW(section, key.c_str(), value, KestrinIni().c_str());
}

std::vector<std::wstring> Keys(const wchar_t* section) {
    return IniFile(KestrinIni()).ReadKeys(section);
}

} // namespace orvane::test
