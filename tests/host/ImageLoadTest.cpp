// Image files named by a layout: every damaged, empty or oversized file is
// refused when the layout loads, naming the file and the reason, and a file
// named by many geometries is decoded once.
#include "HostFixture.h"

#include <functional>

namespace quorvin::host::testing {
namespace {

void put32(std::string &bytes, size_t at, uint32_t value, bool bigEndian) {
    for (size_t i = 0; i < 4; ++i)
        bytes[at + (bigEndian ? 3 - i : i)] = static_cast<char>(value >> (8 * i));
}

class ImageLoadTest : public HostTest {
  protected:
    // A layout whose one frame holds an image geometry per file name.
    std::string layoutNaming(const std::vector<std::string> &files) {
        std::string geoms;
        for (const std::string &file : files)
            geoms += std::string(geoms.empty() ? "" : ", ") + R"({"type": "image", "file": ")" +
                     file + "\"}";
        const auto path = scratch() / "images.lay.json";
        std::ofstream(path) << R"({"formatVersion": 1, "frames": [{"name": "F", "x": 1, "y": 1,)"
                            << R"( "width": 4, "height": 3, "geoms": [)" << geoms << "]}]}";
        return path.string();
    }
};

TEST_F(ImageLoadTest, ADamagedOrOversizedImageIsRefusedNamingTheFileAndWhy) {
    const auto bmpFile = scratch() / "good.bmp";
    writeTestImage(bmpFile, 4, 3); // 54 header bytes, 3 rows of 12
    const std::string bmp = readFile(bmpFile), png = testPng(4, 3);
    const size_t idat = 8 + 25; // the writer's one IDAT chunk follows IHDR
    using Edit = std::function<std::string()>;
    const struct {
        const char *what;
        Edit bytes;
        const char *reason; // null: the layout loads
    } cases[] = {
        {"BMP cut to 60 bytes", [&] { return bmp.substr(0, 60); }, "holds 60 bytes but its header"},
        {"BMP cut inside its header", [&] { return bmp.substr(0, 20); }, "ends inside its header"},
        {"BMP 0 pixels wide",
         [&] {
             std::string b = bmp;
             put32(b, 18, 0, false);
             return b;
         },
         "holds no pixels"},
        {"BMP header claiming 16384 x 16384",
         [&] {
             std::string b = bmp.substr(0, 54);
             put32(b, 18, 16384, false);
             put32(b, 22, 16384, false);
             return b;
         },
         "16384 x 16384 pixels, more than the 4096 x 4096 allowed"},
        {"BMP 4096 wide, the limit", [&] { return readFile(scratch() / "wide.bmp"); }, nullptr},
        {"PNG 4097 wide",
         [&] {
             std::string b = png;
             put32(b, 16, 4097, true);
             return b;
         },
         "more than the 4096 x 4096 allowed"},
        {"PNG without its end", [&] { return png.substr(0, png.size() - 12); }, "truncated"},
        {"PNG cut inside a chunk", [&] { return png.substr(0, idat + 10); }, "truncated"},
        {"PNG without IDAT", [&] { return png.substr(0, idat) + png.substr(png.size() - 12); },
         "no pixel data"},
        {"PNG with undecodable pixel data",
         [&] {
             std::string b = png;
             for (size_t i = idat + 8; i + 16 < b.size(); ++i)
                 b[i] = '\xff';
             return b;
         },
         ""},
        {"PNG with an extra empty IDAT chunk",
         [&] {
             return png.substr(0, idat) + std::string("\0\0\0\0IDAT\x35\xaf\x06\x1e", 12) +
                    png.substr(idat);
         },
         nullptr},
        {"neither BMP nor PNG", [] { return std::string("GIF89a"); }, "neither a BMP nor a PNG"},
        {"empty file", [] { return std::string(); }, "the file is empty"},
    };
    writeTestImage(scratch() / "wide.bmp", 4096, 1);
    const std::string image = (scratch() / "image.bin").string();
    const std::string missing = (scratch() / "missing.png").string();
    host().addFrame({"kept", 1, 1, 1, 1});
    std::string error;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::ofstream(image, std::ios::binary | std::ios::trunc) << c.bytes();
        const std::string layout = layoutNaming({image});
        const bool loaded = host().loadLayout(layout, &error);
        EXPECT_EQ(loaded, c.reason == nullptr) << error;
        if (loaded) {
            ASSERT_EQ(host().frames().size(), 1u);
            EXPECT_EQ(host().frames()[0].geoms.at(0).rgb.size(),
                      3u * host().frames()[0].geoms[0].pixelWidth *
                          host().frames()[0].geoms[0].pixelHeight);
            host().reset();
            host().addFrame({"kept", 1, 1, 1, 1});
            continue;
        }
        const std::string head =
            layout + ": frames[0].geoms[0].file: cannot read image \"" + image + "\": ";
        ASSERT_EQ(error.rfind(head, 0), 0u) << error;
        EXPECT_GT(error.size(), head.size()) << "no reason given";
        EXPECT_NE(error.find(c.reason, head.size()), std::string::npos) << error;
        EXPECT_EQ(frameNames(), std::vector<std::string>{"kept"});
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
