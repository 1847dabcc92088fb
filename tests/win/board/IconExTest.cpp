#include "board/IconEx.h"
#include "board/IconFile.h"
#include "platform/Dib.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/Form.h"
#include "support/Files.h"

#include "IconSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace orvane {
namespace {

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

// Each channel of `pixel` within `tolerance` of `expected`.
testing::AssertionResult Looks(COLORREF pixel, COLORREF expected, int tolerance = 0) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(int(pixel >> shift & 0xFF) - int(expected >> shift & 0xFF)) > tolerance)
            return testing::AssertionFailure() << std::hex << pixel << " for " << expected;
    }
    return testing::AssertionSuccess();
}

// What the icon draws at `size` × `size` over the background.
ui::Bitmap Drawn(TIconEx& icon, int size) {
    ui::Bitmap bitmap(size, size);
    bitmap.GetCanvas().FillRect({0, 0, size, size}, Background);
    icon.Draw(bitmap.GetCanvas(), {0, 0, size, size});
    return bitmap;
}

// Width and height; 0 for a destroyed icon.
std::pair<LONG, LONG> IconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {0, 0};
    const platform::UniqueBitmap mask(info.hbmMask), color(info.hbmColor);
    BITMAP bitmap{};
    GetObjectW(color ? color.Get() : mask.Get(), sizeof bitmap, &bitmap);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

bool Usable(HICON icon) {
    return IconSize(icon).first > 0;
}

// Quadrant colours near ones of the 16-colour palette, and those they become there.
constexpr COLORREF HandleQuadrants[][2] = {{RGB(255, 0, 0), RGB(255, 0, 0)},
                                           {RGB(0, 0, 255), RGB(0, 0, 255)},
                                           {RGB(0, 120, 0), RGB(0, 128, 0)},
                                           {RGB(200, 200, 200), RGB(192, 192, 192)}};

// The quadrants below a transparent top eighth of the rows.
platform::UniqueIcon QuadrantHandle(int size) {
    void* bits = nullptr;
    const platform::UniqueBitmap color = platform::TopDownDib(size, size, 32, &bits);
    const int maskStride = (size + 15) / 16 * 2;
    std::vector<std::uint8_t> maskBits(static_cast<std::size_t>(maskStride * size));
    std::fill_n(maskBits.begin(), maskStride * (size / 8), 0xFF);
    for (int y = size / 8; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const COLORREF c = HandleQuadrants[(y >= size / 2) * 2 + (x >= size / 2)][0];
            static_cast<std::uint32_t*>(bits)[y * size + x] =
                GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
        }
    }
    const platform::UniqueBitmap mask(CreateBitmap(size, size, 1, 1, maskBits.data()));
    ICONINFO info{TRUE, 0, 0, mask.Get(), color.Get()};
    return platform::UniqueIcon(CreateIconIndirect(&info));
}

// Black and white, so without a colour bitmap to write.
HICON MonochromeIcon() {
    const std::uint8_t bits[2 * 32 * 4] = {};
    return CreateIcon(nullptr, 32, 32, 1, 1, bits, bits + 32 * 4);
}

std::vector<std::uint8_t> Saved(const TIconEx& icon) {
    std::vector<std::uint8_t> stream;
    icon.SaveToStream(stream);
    return stream;
}

// `bytes` become the image, requested at `size` × `size`.
void Load(TIconEx& icon, const std::vector<std::uint8_t>& bytes, int size = 16) {
    std::size_t start = 0;
    icon.LoadFromStream(bytes, start);
    icon.SetWidth(size);
    icon.SetHeight(size);
}

TEST(IconExTest, AnEmptyObjectDrawsAndSavesNothingAndHasNoHandle) {
    TIconEx fresh, emptied;
    emptied.SetHandle(QuadrantHandle(32).Release());
    const HICON held = emptied.Handle();
    int changes = 0;
    emptied.OnChange = [&] { ++changes; };
    emptied.SetHandle(nullptr);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(Usable(held));

    for (TIconEx* icon : {&fresh, &emptied}) {
        EXPECT_TRUE(icon->Empty());
        EXPECT_TRUE(Looks(Drawn(*icon, 32).Pixel(16, 16), Background));
        std::vector<std::uint8_t> stream = {1, 2, 3};
        icon->SaveToStream(stream);
        EXPECT_EQ(stream, (std::vector<std::uint8_t>{1, 2, 3}));
        EXPECT_EQ(MessageOf([&] { icon->Handle(); }), "TIconEx is Empty");
        UINT format = 0;
        HANDLE data = reinterpret_cast<HANDLE>(1);
        HPALETTE palette = nullptr;
        icon->SaveToClipboardFormat(format, data, palette);
        EXPECT_EQ(data, nullptr);
    }
}

TEST(IconExTest, TheRequestedSizeChoosesTheImageAndOnlyANewSizeANewHandle) {
    // The 32×32 image is in colour, the 16×16 one black and white.
    const SampleEntry entries[] = {{32, 32, 4}, {16, 16, 1}};
    TIconEx icon;
    int changes = 0;
    icon.OnChange = [&] { ++changes; };
    Load(icon, test::MakeIcon(entries));
    EXPECT_EQ(changes, 3);
    const HICON first = icon.Handle();
    EXPECT_TRUE(Looks(Drawn(icon, 16).Pixel(4, 4), RGB(255, 255, 255)));
    icon.SetWidth(16);
    icon.SetHeight(16);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(icon.Handle(), first);

    icon.SetWidth(32);
    EXPECT_EQ(changes, 4);
    icon.SetHeight(32);
    EXPECT_TRUE(Looks(Drawn(icon, 32).Pixel(8, 8), RGB(255, 0, 0)));
}

class ValidIconExTest : public testing::TestWithParam<test::NamedImage> {};

TEST_P(ValidIconExTest, DrawsItsPictureAt16) {
    const std::vector<std::uint8_t>& bytes = GetParam().bytes;
    TIconEx icon;
    Load(icon, bytes);
    const ui::Bitmap drawn = Drawn(icon, 16);
    // Every image of a sample shows the same picture, so the first one describes it.
    const IconBitmaps first = ReadIconBitmaps(bytes, ReadIconDirectory(bytes)[0]);
    const SampleEntry picture{first.Width, first.Height, first.Buffer[14]};
    for (const auto& [x, y] :
         {std::pair{4, 4}, std::pair{12, 4}, std::pair{4, 12}, std::pair{12, 12}}) {
        const int sx = x * picture.width / 16, sy = y * picture.height / 16;
        const std::uint32_t rgb = test::SampleColor(picture, sx, sy);
        const COLORREF expected = test::SampleTransparent(sx, sy)
                                      ? Background
                                      : RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
        EXPECT_TRUE(Looks(drawn.Pixel(x, y), expected, 8)) << x << "," << y;
    }
    if (picture.width == 16 && picture.height == 16) {
        EXPECT_TRUE(Looks(drawn.Pixel(5, 0), Background)); // the transparent top row
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, ValidIconExTest, testing::ValuesIn(test::ValidIcons()),
                         test::ParamName());

class MalformedIconExTest : public testing::TestWithParam<test::NamedImage> {};

TEST_P(MalformedIconExTest, RaisesItsErrorAndStaysUsable) {
    TIconEx icon;
    Load(icon, GetParam().bytes);
    EXPECT_EQ(MessageOf([&] { icon.Handle(); }), GetParam().error);
    EXPECT_EQ(MessageOf([&] { Drawn(icon, 16); }), GetParam().error);
    EXPECT_EQ(Saved(icon), GetParam().bytes);

    Load(icon, test::MakeIcon(SampleEntry{16, 16, 8}));
    EXPECT_TRUE(Looks(Drawn(icon, 16).Pixel(4, 4), RGB(255, 0, 0)));
}

INSTANTIATE_TEST_SUITE_P(Samples, MalformedIconExTest, testing::ValuesIn(test::MalformedIcons()),
                         test::ParamName());

// GDI handles still free in this process, counted by taking every one.
int FreeGdiHandles() {
    std::vector<platform::UniqueBitmap> taken;
    for (platform::UniqueBitmap bitmap; bitmap.Reset(CreateBitmap(1, 1, 1, 1, nullptr)), bitmap;)
        taken.push_back(std::move(bitmap));
    return static_cast<int>(taken.size());
}

TEST(IconExTest, NoPathLeavesAGdiObjectBehind) {
    const auto exercise = [] {
        TIconEx icon;
        Load(icon, test::MakeIcon(SampleEntry{32, 32, 4}));
        icon.Handle();
        icon.SetWidth(1 << 20); // the bitmaps are made, then scaling them fails
        icon.SetHeight(1 << 20);
        EXPECT_EQ(MessageOf([&] { icon.Handle(); }), "Cannot Scale Bitmap");
        Load(icon, test::MalformedIcons().back().bytes);
        EXPECT_NE(MessageOf([&] { icon.Handle(); }), "(nothing raised)");

        icon.SetHandle(QuadrantHandle(32).Release());
        EXPECT_EQ(MessageOf([&] { icon.SetHandle(MonochromeIcon()); }), "Cannot Set Handle");
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

TEST(IconExHandleTest, A32By32HandleIsKeptWrittenAs766BytesAndScaledFromThe16ColourCopy) {
    TIconEx icon;
    icon.SetWidth(16);
    icon.SetHeight(16);
    int changes = 0;
    icon.OnChange = [&] { ++changes; };
    const HICON original = QuadrantHandle(32).Release();
    icon.SetHandle(original);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(icon.Handle(), original);
    icon.SetHandle(original); // the held handle is kept, not destroyed as the old one
    EXPECT_EQ(icon.Handle(), original);
    EXPECT_TRUE(Usable(original));
    const std::vector<std::uint8_t> image = Saved(icon);
    ASSERT_EQ(image.size(), 766u);
    EXPECT_EQ(ReadIconDirectory(image)[0].DIBSize, 744);

    icon.SetWidth(16); // from the 32 that the handle gave
    icon.SetHeight(16);
    const HICON scaled = icon.Handle();
    EXPECT_EQ(IconSize(scaled), std::pair(16L, 16L));
    // The system may give the freed value to the new handle.
    if (scaled != original) {
        EXPECT_FALSE(Usable(original)) << "the 32×32 handle is destroyed";
    }
    const ui::Bitmap drawn = Drawn(icon, 16);
    for (int q = 0; q < 4; ++q) {
        EXPECT_TRUE(Looks(drawn.Pixel(q % 2 ? 12 : 4, q < 2 ? 6 : 12), HandleQuadrants[q][1], 8));
    }
    for (int x : {0, 7, 15}) EXPECT_TRUE(Looks(drawn.Pixel(x, 1), Background)) << x;

    // A handle that cannot be read or has no colour bitmap leaves image and handle as before.
    changes = 0;
    const HICON monochrome = MonochromeIcon(), destroyed = QuadrantHandle(16).Release();
    ASSERT_TRUE(Usable(monochrome));
    DestroyIcon(destroyed);
    for (HICON unusable : {monochrome, destroyed}) {
        EXPECT_EQ(MessageOf([&] { icon.SetHandle(unusable); }), "Cannot Set Handle");
        EXPECT_EQ(icon.Handle(), scaled);
        EXPECT_TRUE(Usable(scaled));
        EXPECT_EQ(Saved(icon), image);
    }
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(Usable(monochrome)) << "the handed-over icon is destroyed";
}

TEST(IconExTest, AssignCopiesImageAndSizeWithoutNotice) {
    TIconEx source, icon;
    source.SetHandle(QuadrantHandle(32).Release());
    source.SetWidth(20);
    const HICON sourceHandle = source.Handle();
    icon.SetHandle(QuadrantHandle(16).Release());
    int changes = 0;
    icon.OnChange = [&] { ++changes; };
    icon.Assign(source);
    icon.Assign(icon);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(Saved(icon), Saved(source));
    EXPECT_NE(icon.Handle(), sourceHandle);
    EXPECT_EQ(IconSize(icon.Handle()), std::pair(20L, 32L));
    EXPECT_TRUE(Usable(sourceHandle));
}

TEST(IconExTest, StreamsGiveTheBytesFromThePositionOnAndFilesWhole) {
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

    const std::wstring path = test::DataFolder() + L"IconExTest.ico";
    test::WriteBytes(path, std::string(image.begin(), image.end()));
    icon.LoadFromFile(path);
    DeleteFileW(path.c_str());
    EXPECT_EQ(Saved(icon), image);
    EXPECT_EQ(MessageOf([&] { icon.LoadFromFile(path); }), "Cannot Open File");
    EXPECT_EQ(Saved(icon), image);
    // A placeholder file is anybody's: one far larger than any icon is not read into memory.
    test::WriteBytes(path, std::string(16 * 1024 * 1024 + 1, '\0'));
    EXPECT_EQ(MessageOf([&] { icon.LoadFromFile(path); }), "Icon File Too Large");
    DeleteFileW(path.c_str());
    EXPECT_EQ(Saved(icon), image);
}

TEST(IconExClipboardTest, AnIconGoesThroughTheClipboardInANamedFormat) {
    ui::Form owner;
    TIconEx icon, pasted;
    icon.SetHandle(QuadrantHandle(32).Release());
    icon.SaveToClipboard(owner.Handle());
    int changes = 0;
    pasted.OnChange = [&] { ++changes; };
    pasted.LoadFromClipboard();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Saved(pasted), Saved(icon));

    UINT format = 0;
    HANDLE data = nullptr;
    HPALETTE palette = reinterpret_cast<HPALETTE>(7);
    icon.SaveToClipboardFormat(format, data, palette);
    EXPECT_EQ(format, RegisterClipboardFormatW(L"TIconExClipboardFormatIDQuorvint"));
    EXPECT_EQ(palette, nullptr);
    EXPECT_EQ(MessageOf([&] { pasted.LoadFromClipboardFormat(CF_TEXT, data, nullptr); }),
              "Invalid Clipboard Format");
    EXPECT_EQ(MessageOf([&] { pasted.LoadFromClipboardFormat(format, nullptr, nullptr); }),
              "No Data");
    // A block far beyond any icon is refused before it is copied.
    const HGLOBAL huge = GlobalAlloc(GMEM_MOVEABLE, LargestIconImage + 1);
    ASSERT_NE(huge, nullptr);
    EXPECT_EQ(MessageOf([&] { pasted.LoadFromClipboardFormat(format, huge, nullptr); }),
              "Icon Data Too Large");
    GlobalFree(huge);
    EXPECT_EQ(Saved(pasted), Saved(icon));
    GlobalFree(data);
}

} // namespace
} // namespace orvane
