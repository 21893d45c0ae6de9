// Reading pictures back in the preview tests: PNG decoding and a few pixel
// questions (colour at a point, dark pixels in an area).
#pragma once

#include <cstdint>
#include <string>

namespace qgbtest {

struct Rgb8 {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb8 &o) const { return r == o.r && g == o.g && b == o.b; }
};

std::ostream &operator<<(std::ostream &out, const Rgb8 &c);

struct Picture {
    int width = 0, height = 0;
    std::string rgb; // 3 bytes a pixel, rows from the top

    // False when the file is no readable PNG.
    bool load(const std::string &path);
    Rgb8 at(int x, int y) const;
    // Pixels in [x, x+w) x [y, y+h) whose three components are all below
    // the limit (ink of text and lines).
    int darkPixels(int x, int y, int w, int h, int limit = 110) const;
    // Pixels of the area with exactly this colour.
    int pixelsOf(const Rgb8 &colour, int x, int y, int w, int h) const;
};

// A directory under the build directory for the pictures of one test
// program (made when missing).
std::string PictureDir(const std::string &name);

std::string ReadFile(const std::string &path);

} // namespace qgbtest
