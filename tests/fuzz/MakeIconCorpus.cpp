// Writes the seed corpus of the icon fuzzer: one file per sample icon, valid or damaged.
#include "IconSamples.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    int written = 0;
    for (const auto& samples : {orvane::test::ValidIcons(), orvane::test::MalformedIcons()}) {
        for (const orvane::test::NamedImage& sample : samples) {
            std::ofstream out(folder / (sample.name + ".ico"), std::ios::binary);
            out.write(reinterpret_cast<const char*>(sample.bytes.data()),
                      static_cast<std::streamsize>(sample.bytes.size()));
            if (!out) {
                std::fprintf(stderr, "cannot write %s\n", sample.name.c_str());
                return 1;
            }
            ++written;
        }
    }
    std::printf("%d icons in %s\n", written, folder.string().c_str());
    return 0;
}
