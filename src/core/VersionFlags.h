#pragma once

namespace orvane {

struct VersionFlags {
    bool IsVista = false;
    bool IsWin7 = false;
    bool IsWin8 = false;
    bool operator==(const VersionFlags&) const = default;
};

// Windows 8 and every later version report 6.2 to this program; a later major version,
// should one be reported, is one of them too.
constexpr VersionFlags VersionFlagsOf(unsigned major, unsigned minor) {
    if (major > 6) return {false, false, true};
    if (major < 6) return {};
    return {minor == 0, minor == 1, minor == 2};
}

} // namespace orvane
