#include "board/IconEx.h"
#include "platform/Dib.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Form.h"
#include "support/Files.h"

#include "IconSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace orvane {
namespace {

using test::NamedImage;
using test::SampleEntry;

constexpr COLORREF Background = RGB(0x20, 0x90, 0x60);

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "(nothing raised)";
}

COLORREF FromRgb(std::uint32_t rgb) {
    return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF color) {
    char text[16];
    snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(color), GetGValue(color),
             GetBValue(color));
    return text;
}

// What the icon draws at `size` × `size` over the background.
ui::Bitmap Drawn(TIconEx& icon, int size) {
    ui::Bitmap bitmap(size, size);
    bitmap.GetCanvas().FillRect({0, 0, size, size}, Background);
    icon.Draw(bitmap.GetCanvas(), {0, 0, size, size});
    return bitmap;
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {0, 0};
    const platform::UniqueBitmap mask(info.hbmMask), color(info.hbmColor);
    BITMAP bitmap{};
    GetObjectW(color ? color.Get() : mask.Get(), sizeof bitmap, &bitmap);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

bool Usable(HICON icon) {
    return IconSize(icon).cx > 0;
}

// Quadrants near colours of the 16-colour palette; the top eighth of the rows is transparent.
constexpr COLORREF HandleQuadrants[] = {RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 120, 0),
                                        RGB(200, 200, 200)};
constexpr COLORREF HandleQuadrantsIn16[] = {RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 128, 0),
                                            RGB(192, 192, 192)};

platform::UniqueIcon QuadrantHandle(int size) {
    void* bits = nullptr;
    platform::UniqueBitmap color = platform::TopDownDib(size, size, 32, &bits);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    const int maskStride = (size + 15) / 16 * 2;
    std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(maskStride * size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const COLORREF c = HandleQuadrants[(y >= size / 2) * 2 + (x >= size / 2)];
            if (y < size / 8)
                maskBits[y * maskStride + x / 8] |= 0x80 >> (x % 8);
            else
                pixels[y * size + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
        }
    }
    const platform::UniqueBitmap mask(CreateBitmap(size, size, 1, 1, maskBits.data()));
    ICONINFO info{TRUE, 0, 0, mask.Get(), color.Get()};
    return platform::UniqueIcon(CreateIconIndirect(&info));
}

std::vector<std::uint8_t> Saved(const TIconEx& icon) {
    std::vector<std::uint8_t> stream;
    icon.SaveToStream(stream);
    return stream;
}

std::uint32_t Field32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

class IconFileTest : public testing::Test {
protected:
    void TearDown() override { DeleteFileW(path.c_str()); }
    void Load(TIconEx& icon, const std::vector<std::uint8_t>& bytes) {
        test::WriteBytes(path, std::string(bytes.begin(), bytes.end()));
        icon.LoadFromFile(path);
    }
    const std::wstring path = test::DataFolder() + L"IconExTest.ico";
};

TEST(IconExTest, AnEmptyObjectDrawsAndSavesNothingAndHasNoHandle) {
    TIconEx icon;
    EXPECT_TRUE(icon.Empty());
    EXPECT_TRUE(icon.Transparent());
    EXPECT_EQ(icon.Width(), GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(icon.Height(), GetSystemMetrics(SM_CYICON));

    const ui::Bitmap drawn = Drawn(icon, 32);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{16, 16}, std::pair{31, 31}}) {
        EXPECT_EQ(drawn.Pixel(x, y), Background);
    }
    std::vector<std::uint8_t> stream = {1, 2, 3};
    icon.SaveToStream(stream);
    EXPECT_EQ(stream, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(MessageOf([&] { icon.Handle(); }), "TIconEx is Empty");

    UINT format = 0;
    HANDLE data = reinterpret_cast<HANDLE>(1);
    HPALETTE palette = reinterpret_cast<HPALETTE>(7);
    icon.SaveToClipboardFormat(format, data, palette);
    EXPECT_EQ(format, TIconEx::ClipboardFormat());
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(palette, reinterpret_cast<HPALETTE>(7));
}

TEST_F(IconFileTest, SizeChangesDiscardTheHandleAndNotify) {
    TIconEx icon;
    int changes = 0;
    icon.OnChange = [&] { ++changes; };
    Load(icon, test::MakeIcon(SampleEntry{32, 32, 4}));
    EXPECT_EQ(changes, 1);
    icon.SetWidth(16);
    icon.SetHeight(16);
    EXPECT_EQ(changes, 3);
    const HICON first = icon.Handle();
    EXPECT_EQ(IconSize(first).cx, 16);
    EXPECT_EQ(icon.Handle(), first);

    icon.SetWidth(16);
    icon.SetHeight(16);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(icon.Handle(), first);
    EXPECT_TRUE(Usable(first));

    icon.SetWidth(24);
    EXPECT_EQ(changes, 4);
    icon.SetHeight(20);
    const SIZE size = IconSize(icon.Handle());
    EXPECT_EQ(size.cx, 24);
    EXPECT_EQ(size.cy, 20);
}

TEST_F(IconFileTest, TheRequestedSizeChoosesTheImage) {
    // The 32×32 image is in colour, the 16×16 one black and white.
    const SampleEntry entries[] = {{32, 32, 4}, {16, 16, 1}};
    for (const auto& [request, expected] :
         {std::pair{16, RGB(255, 255, 255)}, std::pair{32, RGB(255, 0, 0)},
          std::pair{24, RGB(255, 255, 255)}}) {
        TIconEx icon;
        Load(icon, test::MakeIcon(entries));
        icon.SetWidth(request);
        icon.SetHeight(request);
        EXPECT_EQ(Hex(Drawn(icon, request).Pixel(request / 4, request / 4)), Hex(expected))
            << request;
    }
}

class ValidIconFileTest : public IconFileTest, public testing::WithParamInterface<NamedImage> {};

TEST_P(ValidIconFileTest, DrawsItsPictureAt16) {
    TIconEx icon;
    Load(icon, GetParam().bytes);
    icon.SetWidth(16);
    icon.SetHeight(16);
    ASSERT_EQ(IconSize(icon.Handle()).cx, 16);
    const ui::Bitmap drawn = Drawn(icon, 16);
    // Every image of a sample shows the same picture, so the first one describes it.
    const std::vector<std::uint8_t>& bytes = GetParam().bytes;
    const std::size_t header = Field32(bytes, 18);
    const SampleEntry picture{static_cast<int>(Field32(bytes, header + 4)),
                              static_cast<int>(Field32(bytes, header + 8)) / 2, bytes[header + 14]};
    for (const auto& [x, y] :
         {std::pair{4, 4}, std::pair{12, 4}, std::pair{4, 12}, std::pair{12, 12}}) {
        const int sx = x * picture.width / 16, sy = y * picture.height / 16;
        const COLORREF expected = test::SampleTransparent(sx, sy)
                                      ? Background
                                      : FromRgb(test::SampleColor(picture, sx, sy));
        EXPECT_TRUE(Near(drawn.Pixel(x, y), expected, 8))
            << x << "," << y << ": " << Hex(drawn.Pixel(x, y)) << " for " << Hex(expected);
    }
    if (picture.width == 16 && picture.height == 16) {
        EXPECT_EQ(Hex(drawn.Pixel(5, 0)), Hex(Background)); // the transparent top row
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, ValidIconFileTest, testing::ValuesIn(test::ValidIcons()),
                         test::ParamName());

class MalformedIconFileTest : public IconFileTest,
                              public testing::WithParamInterface<NamedImage> {};

TEST_P(MalformedIconFileTest, RaisesItsErrorAndStaysUsable) {
    TIconEx icon;
    Load(icon, GetParam().bytes);
    icon.SetWidth(16);
    icon.SetHeight(16);
    EXPECT_EQ(MessageOf([&] { icon.Handle(); }), GetParam().error);
    EXPECT_EQ(MessageOf([&] { Drawn(icon, 16); }), GetParam().error);
    EXPECT_EQ(Saved(icon), GetParam().bytes);

    Load(icon, test::MakeIcon(SampleEntry{16, 16, 8}));
    EXPECT_EQ(Hex(Drawn(icon, 16).Pixel(4, 4)), Hex(RGB(255, 0, 0)));
}

INSTANTIATE_TEST_SUITE_P(Samples, MalformedIconFileTest, testing::ValuesIn(test::MalformedIcons()),
                         test::ParamName());

// GDI handles still free in this process, counted by taking every one.
int FreeGdiHandles() {
    std::vector<platform::UniqueBitmap> taken;
    for (platform::UniqueBitmap bitmap; bitmap.Reset(CreateBitmap(1, 1, 1, 1, nullptr)), bitmap;) {
        taken.push_back(std::move(bitmap));
    }
    return static_cast<int>(taken.size());
}

TEST_F(IconFileTest, NoPathLeavesAGdiObjectBehind) {
    const auto exercise = [this] {
        TIconEx icon;
        Load(icon, test::MakeIcon(SampleEntry{32, 32, 4}));
        icon.SetWidth(16);
        icon.SetHeight(16);
        icon.Handle();
        icon.SetWidth(1 << 20); // the bitmaps are made, then scaling them fails
        icon.SetHeight(1 << 20);
        EXPECT_EQ(MessageOf([&] { icon.Handle(); }), "Cannot Scale Bitmap");
        Load(icon, test::MalformedIcons().back().bytes);
        EXPECT_NE(MessageOf([&] { icon.Handle(); }), "(nothing raised)");

        icon.SetHandle(QuadrantHandle(32).Release());
        const std::uint8_t bits[2 * 32 * 4] = {};
        EXPECT_EQ(MessageOf([&] {
                      icon.SetHandle(CreateIcon(nullptr, 32, 32, 1, 1, bits, bits + 32 * 4));
                  }),
                  "Cannot Set Handle");
        icon.SetWidth(16);
        icon.Handle();
        icon.SetHandle(QuadrantHandle(16).Release());
        icon.SetHandle(nullptr);
    };
    exercise(); // whatever the system makes once for itself
    const int before = FreeGdiHandles();
    for (int i = 0; i < 3; ++i) exercise();
    EXPECT_EQ(FreeGdiHandles(), before);
}

TEST(IconExHandleTest, A32By32HandleIsKeptAndWrittenAs766Bytes) {
    TIconEx icon;
    icon.SetWidth(16);
    icon.SetHeight(16);
    int changes = 0;
    icon.OnChange = [&] { ++changes; };
    const HICON handle = QuadrantHandle(32).Release();
    icon.SetHandle(handle);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(icon.Width(), 32);
    EXPECT_EQ(icon.Height(), 32);
    EXPECT_EQ(icon.Handle(), handle);
    icon.SetWidth(32);
    icon.SetHeight(32);
    EXPECT_EQ(icon.Handle(), handle);
    icon.SetHandle(handle); // the held handle is kept, not destroyed as the old one
    EXPECT_EQ(icon.Handle(), handle);
    EXPECT_TRUE(Usable(handle));

    const std::vector<std::uint8_t> image = Saved(icon);
    ASSERT_EQ(image.size(), 766u);
    EXPECT_EQ(Field32(image, 14), 744u); // DIBSize
    EXPECT_EQ(Field32(image, 18), 22u);  // DIBOffset
    EXPECT_EQ(image[8], 16);             // Colors
    EXPECT_EQ(Field32(image, 22 + 8), 64u);
}

TEST(IconExHandleTest, AnotherSizeIsDrawnFromTheSixteenColourCopy) {
    TIconEx icon;
    icon.SetHandle(QuadrantHandle(32).Release());
    const HICON original = icon.Handle();
    icon.SetWidth(16);
    icon.SetHeight(16);
    const HICON scaled = icon.Handle();
    EXPECT_EQ(IconSize(scaled).cx, 16);
    EXPECT_EQ(IconSize(scaled).cy, 16);
    if (scaled != original) {
        EXPECT_FALSE(Usable(original)) << "the 32×32 handle is destroyed";
    }

    const ui::Bitmap drawn = Drawn(icon, 16);
    const std::pair<int, int> centres[] = {{4, 6}, {12, 6}, {4, 12}, {12, 12}};
    for (int q = 0; q < 4; ++q) {
        const COLORREF pixel = drawn.Pixel(centres[q].first, centres[q].second);
        EXPECT_TRUE(Near(pixel, HandleQuadrantsIn16[q], 8)) << q << ": " << Hex(pixel);
    }
    for (int x : {0, 7, 15}) EXPECT_EQ(Hex(drawn.Pixel(x, 1)), Hex(Background)) << x;
}

TEST(IconExHandleTest, ANullHandleEmptiesTheObject) {
    TIconEx icon;
    icon.SetHandle(QuadrantHandle(32).Release());
    const HICON held = icon.Handle();
    int changes = 0;
    icon.OnChange = [&] { ++changes; };
    icon.SetHandle(nullptr);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(icon.Empty());
    EXPECT_TRUE(Saved(icon).empty());
    EXPECT_FALSE(Usable(held));
    EXPECT_EQ(MessageOf([&] { icon.Handle(); }), "TIconEx is Empty");
}

TEST(IconExHandleTest, AHandleThatCannotBeWrittenLeavesImageAndHandleAsBefore) {
    TIconEx icon;
    icon.SetHandle(QuadrantHandle(32).Release());
    icon.SetWidth(16);
    icon.SetHeight(16);
    const HICON held = icon.Handle();
    const std::vector<std::uint8_t> image = Saved(icon);
    int changes = 0;
    icon.OnChange = [&] { ++changes; };

    // A black-and-white icon has no colour bitmap to write; a destroyed one nothing at all.
    const std::uint8_t bits[2 * 32 * 4] = {};
    HICON monochrome = CreateIcon(nullptr, 32, 32, 1, 1, bits, bits + 32 * 4);
    ASSERT_TRUE(Usable(monochrome));
    HICON destroyed = QuadrantHandle(16).Release();
    DestroyIcon(destroyed);
    for (HICON unusable : {monochrome, destroyed}) {
        EXPECT_EQ(MessageOf([&] { icon.SetHandle(unusable); }), "Cannot Set Handle");
        EXPECT_EQ(icon.Handle(), held);
        EXPECT_TRUE(Usable(held));
        EXPECT_EQ(Saved(icon), image);
        EXPECT_EQ(icon.Width(), 16);
        EXPECT_EQ(icon.Height(), 16);
    }
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(Usable(monochrome)) << "the handed-over icon is destroyed";
}

TEST(IconExTest, AssignCopiesImageAndSizeWithoutNotice) {
    TIconEx source;
    source.SetHandle(QuadrantHandle(32).Release());
    source.SetWidth(20);
    const HICON sourceHandle = source.Handle();
    TIconEx icon;
    int changes = 0;
    icon.OnChange = [&] { ++changes; };
    icon.SetHandle(QuadrantHandle(16).Release());
    changes = 0;
    icon.Assign(source);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(Saved(icon), Saved(source));
    EXPECT_EQ(icon.Width(), 20);
    EXPECT_EQ(icon.Height(), 32);
    const HICON own = icon.Handle();
    EXPECT_NE(own, sourceHandle);
    EXPECT_EQ(IconSize(own).cx, 20);
    EXPECT_TRUE(Usable(sourceHandle));

    icon.Assign(icon);
    EXPECT_EQ(Saved(icon), Saved(source));
}

TEST_F(IconFileTest, StreamsGiveTheBytesFromThePositionOnAndFilesWhole) {
    const std::vector<std::uint8_t> image = test::MakeIcon(SampleEntry{16, 16, 4});
    std::vector<std::uint8_t> stream(3 + image.size(), 7);
    std::copy(image.begin(), image.end(), stream.begin() + 3);
    TIconEx icon;
    std::size_t position = 3;
    icon.LoadFromStream(stream, position);
    EXPECT_EQ(position, stream.size());
    EXPECT_EQ(Saved(icon), image);
    icon.LoadFromStream(stream, position);
    EXPECT_TRUE(icon.Empty());

    Load(icon, image);
    EXPECT_EQ(MessageOf([&] { icon.LoadFromFile(path + L".missing"); }), "Cannot Open File");
    EXPECT_EQ(Saved(icon), image);
}

TEST(IconExClipboardTest, TheFormatIsRegisteredByName) {
    const UINT format = TIconEx::ClipboardFormat();
    EXPECT_EQ(format, RegisterClipboardFormatW(L"TIconExClipboardFormatIDQuorvint"));
    wchar_t name[64] = {};
    GetClipboardFormatNameW(format, name, 64);
    EXPECT_STREQ(name, L"TIconExClipboardFormatIDQuorvint");
}

TEST(IconExClipboardTest, AnIconGoesThroughTheClipboard) {
    ui::Form owner;
    TIconEx icon;
    icon.SetHandle(QuadrantHandle(32).Release());
    icon.SaveToClipboard(owner.Handle());
    EXPECT_TRUE(IsClipboardFormatAvailable(TIconEx::ClipboardFormat()));

    TIconEx pasted;
    int changes = 0;
    pasted.OnChange = [&] { ++changes; };
    pasted.LoadFromClipboard();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Saved(pasted), Saved(icon));
    pasted.SetWidth(32);
    pasted.SetHeight(32);
    EXPECT_EQ(Hex(Drawn(pasted, 32).Pixel(4, 20)), Hex(RGB(0, 128, 0)));
}

TEST(IconExClipboardTest, ClipboardDataIsTheImageInAGlobalBlock) {
    TIconEx icon;
    icon.SetHandle(QuadrantHandle(32).Release());
    UINT format = 0;
    HANDLE data = nullptr;
    HPALETTE palette = reinterpret_cast<HPALETTE>(7);
    icon.SaveToClipboardFormat(format, data, palette);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(format, TIconEx::ClipboardFormat());
    EXPECT_EQ(palette, nullptr);
    ASSERT_EQ(GlobalSize(data), 766u);
    const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(data));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + 766), Saved(icon));
    GlobalUnlock(data);

    TIconEx loaded;
    loaded.LoadFromClipboardFormat(format, data, nullptr);
    EXPECT_EQ(Saved(loaded), Saved(icon));
    EXPECT_EQ(MessageOf([&] { loaded.LoadFromClipboardFormat(CF_TEXT, data, nullptr); }),
              "Invalid Clipboard Format");
    EXPECT_EQ(MessageOf([&] { loaded.LoadFromClipboardFormat(format, nullptr, nullptr); }),
              "No Data");
    EXPECT_EQ(Saved(loaded), Saved(icon));
    GlobalFree(data);
}

} // namespace
} // namespace orvane
