// The host tests' image files, written with stb's BMP writer.
#include "HostFixture.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

namespace quorvin::host::testing {

void writeTestImage(const std::filesystem::path &path, int width, int height) {
    std::vector<unsigned char> rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rgb.insert(rgb.end(),
                       {static_cast<unsigned char>(30 * x), static_cast<unsigned char>(60 * y), 7});
    ASSERT_NE(stbi_write_bmp(path.string().c_str(), width, height, 3, rgb.data()), 0) << path;
}

} // namespace quorvin::host::testing
