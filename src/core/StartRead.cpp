#include "core/DozedeR64Form.h"
#include "platform/Monitor.h"

namespace orvane {
namespace {

// A stored show key that is no virtual-key code falls back to the default.
std::uint16_t KeyCode(std::int32_t value, std::uint16_t fallback) {
    return value >= 1 && value <= 254 ? static_cast<std::uint16_t>(value) : fallback;
}

} // namespace

void TDozedeR64Form::ReadConfig() {
    const IniFile ini = ConfigFile();
    MainKeyIsDouble = ini.ReadBool(L"MainKey", L"IsDouble", false);
    const std::uint16_t mainKeyDefault = MainKeyIsDouble ? 42 : 115;
    MainKey = KeyCode(ini.ReadInteger(L"MainKey", L"Value", mainKeyDefault), mainKeyDefault);
    IconSize = ini.ReadInteger(L"IconSize", L"Value", 64);
    IconTipTextFontSize = ini.ReadInteger(L"IconTipTextFontSize", L"Value", 20);
    TrayRoad = ini.ReadInteger(L"TrayRoad", L"Value", TrayRoadAuto);
    if (TrayRoad < TrayRoadAuto || TrayRoad > TrayRoadCollector) TrayRoad = TrayRoadAuto;
    SetHintFontFromIconSize();

    ShortCutConfigCount = ini.ReadCount(L"ShortCut", L"Count", L"ShortCut");
    if (ShortCutConfigCount > 0) {
        ShortCutConfig.assign(static_cast<size_t>(ShortCutConfigCount), {});
        const std::int32_t mainKeyNo = ini.ReadInteger(L"ShortCut", L"MainKeyNo", 0);
        for (std::int32_t i = 0; i < ShortCutConfigCount; ++i) {
            const std::wstring n = std::to_wstring(i);
            TShortCutConfig& entry = ShortCutConfig[static_cast<size_t>(i)];
            entry.IconText = ini.ReadString(L"ShortCut", L"Text" + n, L"");
            entry.Sosa = ini.ReadInteger(L"ShortCut", L"Sosa" + n, 0);
            entry.Key = static_cast<std::uint32_t>(ini.ReadInteger(L"ShortCut", L"Key" + n, 0));
            entry.KeyName = ini.ReadString(L"ShortCut", L"KeyName" + n, L"");
            entry.MainKeyNo = mainKeyNo;
        }
    }
}

void TDozedeR64Form::ApplyDefaultConfig() {
    MainKey = 115;
    IconSize = 64;
    SetHintFontSize(14);
}

void TDozedeR64Form::SetHintFontSize(int points) {
    ui::Font font = LblHint.GetFont();
    font.SetSize(points);
    LblHint.SetFont(font);
}

void TDozedeR64Form::SetHintFontFromIconSize() {
    int points = IconTipTextFontSize;
    switch (IconSize) {
    case 32:
        points = 12;
        break;
    case 48:
        points = 16;
        break;
    case 64:
        points = 18;
        break;
    default: {
        const RECT monitor = platform::PointerMonitor().rcMonitor;
        IconSize = (monitor.right - monitor.left) / 10;
        break;
    }
    }
    SetHintFontSize(points);
}

} // namespace orvane
