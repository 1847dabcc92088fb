#include "board/IconEx.h"

#include "board/IconFile.h"
#include "platform/ui/Errors.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace orvane {
namespace {

// The clipboard, open for the holder's lifetime.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        if (!OpenClipboard(owner)) throw EIconExError("Cannot Open Clipboard");
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() { CloseClipboard(); }
};

// A global memory block, locked for the holder's lifetime.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL block) : block_(block), bytes_(GlobalLock(block)) {}
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    ~LockedGlobal() {
        if (bytes_) GlobalUnlock(block_);
    }
    std::uint8_t* Bytes() const { return static_cast<std::uint8_t*>(bytes_); }
    std::size_t Size() const { return GlobalSize(block_); }

private:
    HGLOBAL block_;
    void* bytes_;
};

struct MaskInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
};
static_assert(sizeof(MaskInfo) == MaskHeaderSize);

struct SixteenColorInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[16];
};
static_assert(sizeof(SixteenColorInfo) == SixteenColorHeaderSize);

// Copies the whole of `source` into `target`, stretched to `width` × `height`.
bool Stretch(HBITMAP target, int width, int height, HBITMAP source) {
    BITMAP from{};
    if (!GetObjectW(source, sizeof from, &from)) return false;
    const platform::UniqueMemoryDc targetDc(CreateCompatibleDC(nullptr));
    const platform::UniqueMemoryDc sourceDc(CreateCompatibleDC(nullptr));
    if (!targetDc || !sourceDc) return false;
    const platform::Selected intoTarget(targetDc.Get(), target);
    const platform::Selected intoSource(sourceDc.Get(), source);
    return StretchBlt(targetDc.Get(), 0, 0, width, height, sourceDc.Get(), 0, 0, from.bmWidth,
                      from.bmHeight, SRCCOPY) != FALSE;
}

// A 1-bit copy: pixels of the background colour (white) become 1, all others 0.
platform::UniqueBitmap Monochrome(HBITMAP bitmap, int width, int height) {
    platform::UniqueBitmap monochrome(CreateBitmap(width, height, 1, 1, nullptr));
    if (!monochrome || !Stretch(monochrome.Get(), width, height, bitmap)) {
        throw EIconExError("Cannot Create AndBitmap");
    }
    return monochrome;
}

} // namespace

TIconEx::TIconEx() : FWidth(GetSystemMetrics(SM_CXICON)), FHeight(GetSystemMetrics(SM_CYICON)) {}

void TIconEx::Assign(const TIconEx& Source) {
    FImage = Source.FImage;
    FWidth = Source.FWidth;
    FHeight = Source.FHeight;
    FHandle.Reset();
}

void TIconEx::LoadFromClipboard() {
    const OpenedClipboard clipboard(nullptr);
    LoadFromClipboardFormat(ClipboardFormat(), GetClipboardData(ClipboardFormat()), nullptr);
}

void TIconEx::SaveToClipboard(HWND owner) const {
    const OpenedClipboard clipboard(owner);
    EmptyClipboard();
    UINT format = 0;
    HANDLE data = nullptr;
    HPALETTE palette = nullptr;
    SaveToClipboardFormat(format, data, palette);
    if (data && !SetClipboardData(format, data)) {
        GlobalFree(data);
        throw EIconExError("Cannot Set Clipboard Data");
    }
}

void TIconEx::Draw(const ui::Canvas& ACanvas, const RECT& Rect) {
    if (Empty()) return;
    DrawIconEx(ACanvas.Dc(), Rect.left, Rect.top, Handle(), Rect.right - Rect.left,
               Rect.bottom - Rect.top, 0, nullptr, DI_NORMAL);
}

void TIconEx::SetWidth(std::int32_t Value) {
    SetSize(FWidth, Value);
}

void TIconEx::SetHeight(std::int32_t Value) {
    SetSize(FHeight, Value);
}

void TIconEx::SetSize(std::int32_t& Field, std::int32_t Value) {
    if (Value == Field) return;
    Field = Value;
    FHandle.Reset();
    Changed();
}

void TIconEx::LoadFromStream(const std::vector<std::uint8_t>& Stream, std::size_t& Position) {
    const std::size_t start = std::min(Position, Stream.size());
    FImage.assign(Stream.begin() + static_cast<std::ptrdiff_t>(start), Stream.end());
    Position = Stream.size();
    FHandle.Reset();
    Changed();
}

void TIconEx::SaveToStream(std::vector<std::uint8_t>& Stream) const {
    Stream.insert(Stream.end(), FImage.begin(), FImage.end());
}

void TIconEx::LoadFromFile(const std::wstring& Path) {
    HANDLE opened = CreateFileW(Path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) throw EIconExError("Cannot Open File");
    const platform::UniqueHandle file(opened);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) throw EIconExError("Cannot Read File");
    if (size.QuadPart > static_cast<LONGLONG>(LargestIconImage))
        throw EIconExError("Icon File Too Large");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
        read != bytes.size()) {
        throw EIconExError("Cannot Read File");
    }
    std::size_t position = 0;
    LoadFromStream(bytes, position);
}

UINT TIconEx::ClipboardFormat() {
    static const UINT format = RegisterClipboardFormatW(L"TIconExClipboardFormatIDQuorvint");
    return format;
}

void TIconEx::LoadFromClipboardFormat(UINT AFormat, HANDLE AData, HPALETTE) {
    if (AFormat != ClipboardFormat()) throw EIconExError("Invalid Clipboard Format");
    if (!AData) throw EIconExError("No Data");
    std::vector<std::uint8_t> stream;
    {
        const LockedGlobal block(AData);
        if (!block.Bytes()) throw EIconExError("No Data");
        if (block.Size() > LargestIconImage) throw EIconExError("Icon Data Too Large");
        stream.assign(block.Bytes(), block.Bytes() + block.Size());
    }
    std::size_t position = 0;
    LoadFromStream(stream, position);
}

void TIconEx::SaveToClipboardFormat(UINT& AFormat, HANDLE& AData, HPALETTE& APalette) const {
    AFormat = ClipboardFormat();
    if (Empty()) {
        AData = nullptr;
        return;
    }
    APalette = nullptr;
    std::vector<std::uint8_t> stream;
    SaveToStream(stream);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, stream.size());
    if (!block) throw EIconExError("Cannot Allocate Memory");
    {
        const LockedGlobal locked(block);
        if (!locked.Bytes()) {
            GlobalFree(block);
            throw EIconExError("Cannot Allocate Memory");
        }
        std::memcpy(locked.Bytes(), stream.data(), stream.size());
    }
    AData = block;
}

HICON TIconEx::Handle() {
    BuildIconHandle();
    return FHandle.Get();
}

void TIconEx::SetHandle(HICON Value) {
    StoreHandle(Value);
}

void TIconEx::BuildIconHandle() {
    if (FHandle) return;
    if (Empty()) throw EIconExError("TIconEx is Empty");
    const platform::WindowDc screen(nullptr);
    const std::vector<TIconRec> entries = ReadIconDirectory(FImage);
    const std::int32_t deviceColors =
        DeviceColors(GetDeviceCaps(screen.Get(), PLANES), GetDeviceCaps(screen.Get(), BITSPIXEL));
    const IconBitmaps bitmaps =
        ReadIconBitmaps(FImage, entries[ChooseIconEntry(entries, FWidth, FHeight, deviceColors)]);

    const auto* colorInfo = reinterpret_cast<const BITMAPINFO*>(bitmaps.Buffer.data());
    platform::UniqueBitmap color(CreateDIBitmap(screen.Get(), &colorInfo->bmiHeader, CBM_INIT,
                                                bitmaps.Buffer.data() + bitmaps.ColorOffset,
                                                colorInfo, DIB_RGB_COLORS));
    if (!color) throw EIconExError("Cannot Create XorBitmap");

    MaskInfo maskInfo;
    const auto maskHeader = MaskHeader(bitmaps);
    std::memcpy(&maskInfo, maskHeader.data(), sizeof maskInfo);
    platform::UniqueBitmap mask(CreateDIBitmap(
        screen.Get(), &maskInfo.header, CBM_INIT, bitmaps.Buffer.data() + bitmaps.MaskOffset,
        reinterpret_cast<const BITMAPINFO*>(&maskInfo), DIB_RGB_COLORS));
    if (!mask) throw EIconExError("Cannot Create AndBitmap");

    color = ScaleBitmap(color.Get(), FWidth, FHeight);
    mask = ScaleBitmap(mask.Get(), FWidth, FHeight);
    const platform::UniqueBitmap monochrome = Monochrome(mask.Get(), FWidth, FHeight);
    ICONINFO iconInfo{TRUE, 0, 0, monochrome.Get(), color.Get()};
    HICON icon = CreateIconIndirect(&iconInfo);
    if (!icon) throw EIconExError("Cannot Create Icon Handle");
    FHandle.Reset(icon);
}

platform::UniqueBitmap TIconEx::ScaleBitmap(HBITMAP Bitmap, int AWidth, int AHeight) {
    BITMAP description{};
    if (!GetObjectW(Bitmap, sizeof description, &description)) {
        throw EIconExError("Cannot Scale Bitmap");
    }
    platform::UniqueBitmap scaled;
    if (description.bmPlanes * description.bmBitsPixel == 1) {
        scaled.Reset(CreateBitmap(AWidth, AHeight, 1, 1, nullptr));
    } else {
        const platform::WindowDc screen(nullptr);
        scaled.Reset(CreateCompatibleBitmap(screen.Get(), AWidth, AHeight));
    }
    if (!scaled || !Stretch(scaled.Get(), AWidth, AHeight, Bitmap)) {
        throw EIconExError("Cannot Scale Bitmap");
    }
    return scaled;
}

void TIconEx::StoreHandle(HICON Value) {
    std::vector<std::uint8_t> backup = FImage;
    // Setting the handle already held keeps it: it must not be destroyed as the old one.
    const bool same = Value == FHandle.Get();
    platform::UniqueIcon old;
    if (!same) {
        old.Reset(FHandle.Release());
        FHandle.Reset(Value);
    }
    FImage.clear();
    if (FHandle) {
        try {
            BuildIconImage();
        } catch (...) {
            // The new handle was handed over, so it goes even when it cannot be used.
            if (!same) FHandle = std::move(old);
            FImage = std::move(backup);
            throw EIconExError("Cannot Set Handle");
        }
    }
    old.Reset();
    Changed();
}

void TIconEx::BuildIconImage() {
    if (!FHandle) throw ui::EInvalidOperation("No Handle");
    ICONINFO iconInfo{};
    if (!GetIconInfo(FHandle.Get(), &iconInfo)) throw EIconExError("Cannot Read Icon");
    const platform::UniqueBitmap mask(iconInfo.hbmMask), color(iconInfo.hbmColor);
    BITMAP description{};
    if (!color || !GetObjectW(color.Get(), sizeof description, &description)) {
        throw EIconExError("Cannot Read Icon");
    }
    const std::int32_t width = description.bmWidth, height = description.bmHeight;
    const SixteenColorLayout layout = SixteenColorLayoutOf(width, height);

    SixteenColorInfo info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 4;
    info.header.biCompression = BI_RGB;
    const platform::WindowDc screen(nullptr);
    std::vector<std::uint8_t> colorPixels(layout.ColorBytes), maskPixels(layout.MaskBytes);
    const auto rows = static_cast<UINT>(height);
    if (GetDIBits(screen.Get(), color.Get(), 0, rows, colorPixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != height) {
        throw EIconExError("Cannot Read Icon");
    }
    std::array<std::uint8_t, SixteenColorHeaderSize> header;
    std::memcpy(header.data(), &info, header.size());
    info.header.biBitCount = 1;
    if (GetDIBits(screen.Get(), mask.Get(), 0, rows, maskPixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != height) {
        throw EIconExError("Cannot Read Icon");
    }
    FImage = WriteIconImage(width, height, header, colorPixels, maskPixels);
    FWidth = width;
    FHeight = height;
}

void TIconEx::Changed() {
    if (OnChange) OnChange();
}

} // namespace orvane
