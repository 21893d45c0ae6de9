// Image files named by a layout: every damaged, empty or oversized file is
// refused when the layout loads, naming the file and the reason, and a file
// named by many geometries is decoded once.
#include "HostFixture.h"

namespace quorvin::host::testing {
namespace {

using qgbtest::WriteFile;

// The bytes with a 32-bit value written at the offset.
std::string with32(std::string bytes, size_t at, uint32_t value, bool bigEndian) {
    for (size_t i = 0; i < 4; ++i)
        bytes[at + (bigEndian ? 3 - i : i)] = static_cast<char>(value >> (8 * i));
    return bytes;
}

class ImageLoadTest : public HostTest {
  protected:
    // A layout whose one frame holds an image geometry per file name.
    std::string layoutNaming(const std::vector<std::string> &files) {
        std::string geoms;
        for (const std::string &file : files)
            geoms += std::string(geoms.empty() ? "" : ", ") + R"({"type": "image", "file": ")" +
                     file + "\"}";
        const std::string path = (scratch() / "images.lay.json").string();
        WriteFile(path,
                  R"({"formatVersion": 1, "frames": [{"name": "F", "x": 1, "y": 1, "width": 4,)"
                  R"( "height": 3, "geoms": [)" +
                      geoms + "]}]}");
        return path;
    }
};

TEST_F(ImageLoadTest, ADamagedOrOversizedImageIsRefusedNamingTheFileAndWhy) {
    const auto bmpFile = scratch() / "good.bmp";
    writeTestImage(bmpFile, 4, 3); // 54 header bytes, 3 rows of 12
    writeTestImage(scratch() / "wide.bmp", 4096, 1);
    const std::string bmp = ReadFile(bmpFile), png = testPng(4, 3);
    const size_t idat = 8 + 25; // the writer's one IDAT chunk follows IHDR
    std::string garbled = png;
    for (size_t i = idat + 8; i + 16 < garbled.size(); ++i)
        garbled[i] = '\xff';
    const std::string emptyIdat("\0\0\0\0IDAT\x35\xaf\x06\x1e", 12);
    // clang-format off
    const struct { const char *what; std::string bytes; const char *reason; } cases[] = { // a null reason: the layout loads
        {"BMP cut to 60 bytes", bmp.substr(0, 60), "holds 60 bytes but its header"},
        {"BMP cut inside its header", bmp.substr(0, 20), "ends inside its header"},
        {"BMP 0 pixels wide", with32(bmp, 18, 0, false), "holds no pixels"},
        {"BMP header claiming 16384 x 16384", with32(with32(bmp.substr(0, 54), 18, 16384, false), 22, 16384, false),
         "16384 x 16384 pixels, more than the 4096 x 4096 allowed"},
        {"BMP 4096 wide, the limit", ReadFile(scratch() / "wide.bmp"), nullptr},
        {"PNG 4097 wide", with32(png, 16, 4097, true), "more than the 4096 x 4096 allowed"},
        {"PNG without its end", png.substr(0, png.size() - 12), "truncated"},
        {"PNG cut inside a chunk", png.substr(0, idat + 10), "truncated"},
        {"PNG without IDAT", png.substr(0, idat) + png.substr(png.size() - 12), "no pixel data"},
        {"PNG with undecodable pixel data", garbled, ""},
        {"PNG with an extra empty IDAT chunk", png.substr(0, idat) + emptyIdat + png.substr(idat), nullptr},
        {"neither BMP nor PNG", "GIF89a", "neither a BMP nor a PNG"},
        {"empty file", "", "the file is empty"},
    };
    // clang-format on
    const std::string image = (scratch() / "image.bin").string();
    const std::string missing = (scratch() / "missing.png").string();
    host().addFrame({"kept", 1, 1, 1, 1});
    std::string error;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(image, c.bytes);
        const std::string layout = layoutNaming({image});
        const bool loaded = host().loadLayout(layout, &error);
        EXPECT_EQ(loaded, c.reason == nullptr) << error;
        if (loaded) {
            ASSERT_EQ(frameNames(), Names{"F"});
            const Geom &g = host().frames()[0].geoms.at(0);
            EXPECT_EQ(g.rgb.size(), 3u * g.pixelWidth * g.pixelHeight);
            host().reset();
            host().addFrame({"kept", 1, 1, 1, 1});
            continue;
        }
        const std::string head =
            layout + ": frames[0].geoms[0].file: cannot read image \"" + image + "\": ";
        ASSERT_EQ(error.rfind(head, 0), 0u) << error;
        EXPECT_GT(error.size(), head.size()) << "no reason given";
        EXPECT_NE(error.find(c.reason, head.size()), std::string::npos) << error;
        EXPECT_EQ(frameNames(), Names{"kept"});
    }
    EXPECT_FALSE(host().loadLayout(layoutNaming({bmpFile.string(), missing}), &error));
    EXPECT_NE(error.find("geoms[1].file: cannot read image \"" + missing + "\": No such file"),
              std::string::npos)
        << error;
    EXPECT_TRUE(takeFaults().empty());
}

TEST_F(ImageLoadTest, GeometriesNamingOneFileShareOneDecode) {
    writeTestImage(scratch() / "one.bmp", 5, 2);
    writeTestImage(scratch() / "other.bmp", 5, 2);
    std::vector<std::string> files(8, "one.bmp");
    files.insert(files.begin() + 3, "./other.bmp");
    files.push_back("../" + scratch().filename().string() + "/one.bmp"); // the same file
    std::string error;
    ASSERT_TRUE(host().loadLayout(layoutNaming(files), &error)) << error;
    const std::vector<Geom> &geoms = host().frames().at(0).geoms;
    ASSERT_EQ(geoms.size(), 10u);
    const std::vector<unsigned char> *shared = geoms[0].rgb.get();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->size(), 5u * 2 * 3);
    for (size_t i = 0; i < geoms.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(geoms[i].pixelWidth, 5);
        EXPECT_EQ(geoms[i].rgb.get() == shared, i != 3);
    }
    EXPECT_EQ(*geoms[3].rgb.get(), *shared);
}

} // namespace
} // namespace quorvin::host::testing
