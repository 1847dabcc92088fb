#pragma once
// The program's icon picture: an icon kept as the bytes of an icon file, from which a handle
// is made at the requested size; a handle given to it is written into such bytes.

#include "board/IconExError.h"
#include "platform/Handles.h"
#include "platform/ui/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvane {

class TIconEx {
public:
    TIconEx();
    TIconEx(const TIconEx&) = delete;
    TIconEx& operator=(const TIconEx&) = delete;
    ~TIconEx() = default;

    // The image and requested size of `Source`, without a handle; no change notification.
    void Assign(const TIconEx& Source);
    // The icon on the clipboard in this class's format.
    void LoadFromClipboard();
    // Puts the image on the clipboard; `owner` becomes the clipboard's owner.
    void SaveToClipboard(HWND owner) const;

    void Draw(const ui::Canvas& ACanvas, const RECT& Rect);
    bool Empty() const { return FImage.empty(); }
    bool Transparent() const { return true; }

    std::int32_t Width() const { return FWidth; }
    std::int32_t Height() const { return FHeight; }
    // A new size discards the handle; the next one is made at that size.
    void SetWidth(std::int32_t Value);
    void SetHeight(std::int32_t Value);

    // The image becomes the bytes of `Stream` from `Position` to its end; Position moves there.
    void LoadFromStream(const std::vector<std::uint8_t>& Stream, std::size_t& Position);
    // Appends the image to `Stream`.
    void SaveToStream(std::vector<std::uint8_t>& Stream) const;
    void LoadFromFile(const std::wstring& Path);

    static UINT ClipboardFormat();
    void LoadFromClipboardFormat(UINT AFormat, HANDLE AData, HPALETTE APalette);
    void SaveToClipboardFormat(UINT& AFormat, HANDLE& AData, HPALETTE& APalette) const;

    // Made from the image on first use at the requested size.
    HICON Handle();
    // The object takes `Value` over and destroys it; null empties the object.
    void SetHandle(HICON Value);

    std::function<void()> OnChange;

private:
    void SetSize(std::int32_t& Field, std::int32_t Value);
    void BuildIconHandle();
    static platform::UniqueBitmap ScaleBitmap(HBITMAP Bitmap, int AWidth, int AHeight);
    void StoreHandle(HICON Value);
    void BuildIconImage();
    void Changed();

    std::vector<std::uint8_t> FImage;
    platform::UniqueIcon FHandle;
    std::int32_t FWidth;
    std::int32_t FHeight;
};

} // namespace orvane
