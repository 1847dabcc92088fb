#pragma once
#include "platform/ui/Bitmap.h"

#include <stdexcept>

namespace orvane {

// Raised for a source without pixels.
class EAssertionFailed : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// A new 24-bit bitmap of width × height, enlarged bilinearly from `source`.
ui::Bitmap ResizeBitmap(ui::Bitmap& source, int width, int height);

} // namespace orvane
