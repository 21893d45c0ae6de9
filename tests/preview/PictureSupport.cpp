#include "PictureSupport.h"

// The host library carries its own copy of the decoder; this one stays
// private to the test program.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

namespace qgbtest {

std::ostream &operator<<(std::ostream &out, const Rgb8 &c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

bool Picture::load(const std::string &path) {
    int w = 0, h = 0, channels = 0;
    unsigned char *data = stbi_load(path.c_str(), &w, &h, &channels, 3);
    if (!data)
        return false;
    width = w;
    height = h;
    rgb.assign(reinterpret_cast<const char *>(data), static_cast<size_t>(w) * h * 3);
    stbi_image_free(data);
    return true;
}

Rgb8 Picture::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return {-1, -1, -1};
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return {static_cast<unsigned char>(rgb[i]), static_cast<unsigned char>(rgb[i + 1]),
            static_cast<unsigned char>(rgb[i + 2])};
}

int Picture::darkPixels(int x, int y, int w, int h, int limit) const {
    int n = 0;
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx) {
            const Rgb8 c = at(xx, yy);
            if (c.r >= 0 && c.r < limit && c.g < limit && c.b < limit)
                ++n;
        }
    return n;
}

int Picture::pixelsOf(const Rgb8 &colour, int x, int y, int w, int h) const {
    int n = 0;
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx)
            if (at(xx, yy) == colour)
                ++n;
    return n;
}

std::string PictureDir(const std::string &name) {
    const std::filesystem::path dir =
        std::filesystem::path(QGB_BINARY_DIR) / "test-pictures" / name;
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::string ReadFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

} // namespace qgbtest
