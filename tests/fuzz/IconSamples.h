#pragma once
// Icon files made for the tests and the fuzzing corpus: valid ones of several sizes and bit
// counts, and damaged ones with the error each must raise.

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace orvane::test {

struct SampleEntry {
    int width = 16;
    int height = 16;
    int bitCount = 4;
    std::uint16_t colors = 0;
};

// An icon file with one image per entry, in order. Every image shows the same picture:
// quadrants red, green, blue and white (black and white at 1 bit), with a transparent top row.
std::vector<std::uint8_t> MakeIcon(std::span<const SampleEntry> entries);
std::vector<std::uint8_t> MakeIcon(const SampleEntry& entry);

// The picture's colour at (x, y) from the top left, as 0xRRGGBB; transparent pixels are black.
std::uint32_t SampleColor(const SampleEntry& entry, int x, int y);
bool SampleTransparent(int x, int y);

struct NamedImage {
    std::string name;
    std::vector<std::uint8_t> bytes;
    std::string error; // the message the image raises when its handle is made; empty if valid
};

// Test reports name a sample instead of dumping its bytes.
inline void PrintTo(const NamedImage& image, std::ostream* out) {
    *out << image.name;
}

// Names parameterised tests after their sample, in the letters a test name allows.
struct ParamName {
    template <class Info> std::string operator()(const Info& info) const {
        std::string name = info.param.name;
        for (char& c : name) {
            if (c == '-') c = '_';
        }
        return name;
    }
};

std::vector<NamedImage> ValidIcons();
std::vector<NamedImage> MalformedIcons();

} // namespace orvane::test
