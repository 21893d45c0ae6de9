#include "PreviewSupport.h"

#include "classic/BuildState.h"
#include "commands/Preview.h"
#include "model/HostResources.h"
#include "model/Settings.h"

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

namespace qgbtest {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;
namespace qh = quorvin::host;

void PreviewFixture::Preview() {
    qb::LockGuard lock(qb::AddOnHandle);
    qb::PreviewCommand();
}

GUIInt_t PreviewFixture::Handle() {
    return qb::BuildState.PreviewHandle;
}

UniqueID_t AddFrame(const std::string &name, int linkGroup) {
    return qh::Host::instance().addFrame({name, 1, 0.25, 4, 3, linkGroup, linkGroup != 0});
}

Text_ID AddControl(const std::string &string, const std::string &command, TextBox_e box, double x,
                   double y) {
    qh::TextSpec spec{string, command, CoordSys_Frame, x, y};
    spec.boxType = box;
    return qh::Host::instance().addText(spec);
}

namespace {

bool TakePixels(unsigned char *data, int w, int h, Picture *picture) {
    if (!data)
        return false;
    picture->width = w;
    picture->height = h;
    picture->rgb.assign(reinterpret_cast<const char *>(data), static_cast<size_t>(w) * h * 3);
    stbi_image_free(data);
    return true;
}

} // namespace

bool Picture::load(const std::string &path) {
    int w = 0, h = 0, channels = 0;
    unsigned char *data = stbi_load(path.c_str(), &w, &h, &channels, 3);
    return TakePixels(data, w, h, this);
}

bool Picture::decode(const std::string &bytes) {
    int w = 0, h = 0, channels = 0;
    unsigned char *data =
        stbi_load_from_memory(reinterpret_cast<const stbi_uc *>(bytes.data()),
                              static_cast<int>(bytes.size()), &w, &h, &channels, 3);
    return TakePixels(data, w, h, this);
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
            n += c[0] >= 0 && c[0] < limit && c[1] < limit && c[2] < limit;
        }
    return n;
}

int Picture::pixelsOf(const Rgb8 &colour, int x, int y, int w, int h) const {
    int n = 0;
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx)
            n += at(xx, yy) == colour;
    return n;
}

#ifdef QGB_HAVE_DESIGN_GENERATOR
qgbbench::DesignOptions RandomDesignOptions(uint32_t seed, const std::string &imageFile) {
    qgbbench::DesignOptions options;
    options.seed = seed;
    options.dialogs = 1 + static_cast<int>(seed % 3);
    options.controlsPerDialog = 17 + static_cast<int>(seed % 5);
    options.sidebars = static_cast<int>(seed % 2);
    options.pagesPerControl = 1 + static_cast<int>(seed % 3);
    options.imageFile = imageFile;
    return options;
}
#endif

} // namespace qgbtest
