// Renders the tool dialog's 35 button pictures into one PNG sheet for review:
// each picture enlarged, the transparent colour shown as a checkerboard, its
// name underneath (the button's tool tip, the name a script presses).
//
//   render_tool_images OUTPUT.png
#include "shell/ToolImages.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <stb_easy_font.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using quorvin::builder::kToolImageCount;
using quorvin::builder::kToolImageSide;
using quorvin::builder::ToolImage;

constexpr int kScale = 6;
constexpr int kColumns = 7;
constexpr int kPicture = kToolImageSide * kScale;
constexpr int kCellWidth = kPicture + 40;
constexpr int kCellHeight = kPicture + 42; // room for a caption of two lines

struct Canvas {
    int width, height;
    std::vector<unsigned char> rgb;
    Canvas(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w * h * 3), 255) {}
    void Set(int x, int y, unsigned char r, unsigned char g, unsigned char b) {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return;
        unsigned char *p = &rgb[static_cast<size_t>((y * width + x) * 3)];
        p[0] = r;
        p[1] = g;
        p[2] = b;
    }
};

void DrawPicture(Canvas &canvas, int left, int top, const unsigned char *bytes) {
    for (int y = 0; y < kToolImageSide; ++y)
        for (int x = 0; x < kToolImageSide; ++x) {
            const unsigned char *p = bytes + (y * kToolImageSide + x) * 3;
            const bool transparent = p[0] == quorvin::builder::kTransparentRed &&
                                     p[1] == quorvin::builder::kTransparentGreen &&
                                     p[2] == quorvin::builder::kTransparentBlue;
            for (int dy = 0; dy < kScale; ++dy)
                for (int dx = 0; dx < kScale; ++dx) {
                    const int px = left + x * kScale + dx, py = top + y * kScale + dy;
                    if (transparent) {
                        const unsigned char shade = ((px / 6 + py / 6) % 2) ? 225 : 245;
                        canvas.Set(px, py, shade, shade, shade);
                    } else {
                        canvas.Set(px, py, p[0], p[1], p[2]);
                    }
                }
        }
    // A thin frame around the picture's 24 x 24 area.
    for (int i = -1; i <= kPicture; ++i) {
        canvas.Set(left + i, top - 1, 120, 120, 120);
        canvas.Set(left + i, top + kPicture, 120, 120, 120);
        canvas.Set(left - 1, top + i, 120, 120, 120);
        canvas.Set(left + kPicture, top + i, 120, 120, 120);
    }
}

void DrawText(Canvas &canvas, int left, int top, const char *text) {
    static char buffer[60000];
    const int quads = stb_easy_font_print(0, 0, const_cast<char *>(text), nullptr, buffer,
                                          sizeof buffer);
    // Each quad: four vertices of x, y, z (floats) and a colour (4 bytes).
    for (int q = 0; q < quads; ++q) {
        const float *v = reinterpret_cast<const float *>(buffer + q * 64);
        const int x0 = static_cast<int>(v[0]), y0 = static_cast<int>(v[1]);
        const int x1 = static_cast<int>(v[8]), y1 = static_cast<int>(v[9]);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                canvas.Set(left + x, top + y, 0, 0, 0);
    }
}

// The caption centred under the picture, broken at the space nearest its
// middle when it is wider than the cell.
void DrawCaption(Canvas &canvas, int left, int top, const std::string &name) {
    auto width = [](const std::string &text) {
        return stb_easy_font_width(const_cast<char *>(text.c_str()));
    };
    std::vector<std::string> lines = {name};
    if (width(name) > kCellWidth - 8) {
        size_t best = std::string::npos;
        for (size_t i = name.find(' '); i != std::string::npos; i = name.find(' ', i + 1))
            if (best == std::string::npos ||
                std::abs(static_cast<int>(i) - static_cast<int>(name.size() / 2)) <
                    std::abs(static_cast<int>(best) - static_cast<int>(name.size() / 2)))
                best = i;
        if (best != std::string::npos)
            lines = {name.substr(0, best), name.substr(best + 1)};
    }
    for (size_t i = 0; i < lines.size(); ++i)
        DrawText(canvas, left + (kPicture - width(lines[i])) / 2,
                 top + static_cast<int>(i) * 12, lines[i].c_str());
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    const int rows = (kToolImageCount + kColumns - 1) / kColumns;
    Canvas canvas(kColumns * kCellWidth, rows * kCellHeight);
    for (int i = 0; i < kToolImageCount; ++i) {
        const auto image = static_cast<ToolImage>(i);
        const int left = (i % kColumns) * kCellWidth + 20;
        const int top = (i / kColumns) * kCellHeight + 6;
        DrawPicture(canvas, left, top,
                    reinterpret_cast<const unsigned char *>(
                        quorvin::builder::ToolImageData(image)));
        DrawCaption(canvas, left, top + kPicture + 8, quorvin::builder::ToolImageName(image));
    }
    if (!stbi_write_png(argv[1], canvas.width, canvas.height, 3, canvas.rgb.data(),
                        canvas.width * 3)) {
        std::fprintf(stderr, "error: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s\n", argv[1]);
    return 0;
}
