// The host tests' image files, written with stb's BMP and PNG writers.
#include "HostFixture.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

namespace quorvin::host::testing {
namespace {

std::vector<unsigned char> testPixels(int width, int height) {
    std::vector<unsigned char> rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rgb.insert(rgb.end(),
                       {static_cast<unsigned char>(30 * x), static_cast<unsigned char>(60 * y), 7});
    return rgb;
}

void append(void *bytes, void *data, int size) {
    auto *out = static_cast<std::string *>(bytes);
    out->append(static_cast<const char *>(data), static_cast<size_t>(size));
}

} // namespace

std::string testPng(int width, int height) {
    const std::vector<unsigned char> rgb = testPixels(width, height);
    std::string png;
    stbi_write_png_to_func(append, &png, width, height, 3, rgb.data(), width * 3);
    return png;
}

void writeTestImage(const std::filesystem::path &path, int width, int height) {
    const std::vector<unsigned char> rgb = testPixels(width, height);
    ASSERT_NE(stbi_write_bmp(path.string().c_str(), width, height, 3, rgb.data()), 0) << path;
}

} // namespace quorvin::host::testing
