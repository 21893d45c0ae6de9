// Reading BMP and PNG files for image geometries.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#include <stb/stb_image.h>

#include "HostImpl.h"

namespace quorvin::host {

namespace {
// Larger images are refused rather than held in memory.
constexpr int kMaxImageSide = 16384;
} // namespace

bool Host::Impl::loadImage(const std::string &file, Geom &geom, std::string *error) {
    int width = 0, height = 0, channels = 0;
    if (file.empty()) {
        if (error)
            *error = "no image file given";
        return false;
    }
    if (!stbi_info(file.c_str(), &width, &height, &channels)) {
        if (error)
            *error = "cannot read image \"" + file + "\": " + stbi_failure_reason();
        return false;
    }
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) {
        if (error)
            *error = "image \"" + file + "\" is too large or empty";
        return false;
    }
    unsigned char *pixels = stbi_load(file.c_str(), &width, &height, &channels, 3);
    if (!pixels) {
        if (error)
            *error = "cannot read image \"" + file + "\": " + stbi_failure_reason();
        return false;
    }
    geom.pixelWidth = width;
    geom.pixelHeight = height;
    geom.rgb.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    stbi_image_free(pixels);
    return true;
}

} // namespace quorvin::host
