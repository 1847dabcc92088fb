#include "board/ResizeBitmap.h"

#include "board/Resampler.h"

#include <vector>

namespace orvane {
namespace {

std::vector<std::uint8_t*> ScanLines(ui::Bitmap& bitmap) {
    std::vector<std::uint8_t*> rows(static_cast<size_t>(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y) rows[static_cast<size_t>(y)] = bitmap.ScanLine(y);
    return rows;
}

} // namespace

ui::Bitmap ResizeBitmap(ui::Bitmap& source, int width, int height) {
    if (source.Width() < 1 || source.Height() < 1) throw EAssertionFailed("アサートの失敗 (Unit1)");
    ui::Bitmap result(width, height);
    GdiFlush(); // what GDI drew into the source must be in its pixels
    const std::vector<std::uint8_t*> from = ScanLines(source), to = ScanLines(result);
    ResampleBilinear({from.data(), source.Width(), source.Height()},
                     {to.data(), result.Width(), result.Height()});
    return result;
}

} // namespace orvane
