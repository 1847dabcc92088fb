#include "support/Screenshot.h"

#include "platform/ui/Application.h"
#include "support/Files.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <shlobj.h>

namespace orvane::test {

std::wstring PictureFolder() {
    const wchar_t* set = _wgetenv(L"ORVANE_SCREENSHOTS");
    std::wstring folder = set && *set ? set : TestFolder() + L"..\\screenshots";
    if (folder.front() == L'/') folder = L"Z:" + folder;
    for (wchar_t& c : folder) c = c == L'/' ? L'\\' : c;
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return folder + L"\\";
}

void Settle() {
    for (int i = 0; i < 20; ++i) {
        ui::App().ProcessMessages();
        Sleep(10);
    }
}

ui::Bitmap Capture(HWND window) {
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Settle();
    RECT bounds{};
    GetWindowRect(window, &bounds);
    ui::Bitmap picture(bounds.right - bounds.left, bounds.bottom - bounds.top);
    platform::WindowDc screen(nullptr);
    BitBlt(picture.Dc(), 0, 0, picture.Width(), picture.Height(), screen.Get(), bounds.left,
           bounds.top, SRCCOPY);
    return picture;
}

void WriteBmp(const ui::Bitmap& picture, const std::wstring& path) {
    const int stride = (picture.Width() * 3 + 3) & ~3;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = picture.Width();
    info.biHeight = picture.Height(); // bottom-up, as every reader expects
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * picture.Height());
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + info.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int y = picture.Height() - 1; y >= 0; --y)
        bytes.append(reinterpret_cast<const char*>(picture.ScanLine(y)),
                     static_cast<size_t>(stride));
    WriteBytes(path, bytes);
}

int Colours(const ui::Bitmap& picture) {
    std::vector<COLORREF> seen;
    for (int y = 0; y < picture.Height(); y += 2) {
        for (int x = 0; x < picture.Width(); x += 2) {
            const COLORREF c = picture.Pixel(x, y);
            if (std::find(seen.begin(), seen.end(), c) == seen.end()) seen.push_back(c);
            if (seen.size() >= 16) return 16;
        }
    }
    return static_cast<int>(seen.size());
}

} // namespace orvane::test
