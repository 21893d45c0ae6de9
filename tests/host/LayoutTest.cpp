// Layout files: canonical round trips, every kind of bad file or image
// reported with its place while the workspace stays as it was, the streamed
// reading, and atomic saving.
#include "HostFixture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvin::host::testing {
namespace {

using qgbtest::WriteFile;

class LayoutTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        listen();
    }

    // A workspace that gives every attribute a layout file carries a value
    // other than its default.
    void buildWorkspace() {
        const std::string path = (scratch() / "images" / "open.bmp").string();
        std::filesystem::create_directories(scratch() / "images");
        writeTestImage(path, 3, 2);
        // name, x, y, width, height, link group, linked, header shown, background
        for (const char *page :
             {"TABPAGE=T ID=1 POS=1 TITLE=\"Page 1\"", "TABPAGE=T ID=2 POS=2 TITLE=\"Page 2\""})
            host().addFrame({page, 3, 0.7, 2.5, 1.25, 1, true, false, 33});
        host().addFrame({"ID=1 TITLE=\"Untitled\" MODE=MODAL", 4.4, 0.7, 4.5, 5.5});
        TextSpec field;
        field.string = "TF:            ";
        field.boxType = TextBox_Filled;
        host().addText(field);
        // string, command, coordinate system, x, y, size units, height, angle,
        // anchor, font, colour, box type, margin, box colour, fill colour, line
        // thickness, line spacing, scope
        host().addText({"<math>7</math>  Radio1\n<math>7</math>  Radio2 \"quoted\" \\",
                        "VarName=RB2 Type=RadioBox", CoordSys_Paper, 5.125, 1.1, Units_Frame, 2.5,
                        15, 2, 3, 12, TextBox_Hollow, 55, 7, 63, 0.2, 1.5, 2});
        // type, coordinate system, x, y, z, command, width, height, polylines
        host().addGeom({GeomType_Rectangle, CoordSys_Frame, 25, 75, 0, "Group", 25, -10, {}, ""});
        const std::vector<std::vector<Point2>> lines = {{{0, 0}, {120.5, 0}},
                                                        {{1, 1}, {2, 2}, {3, 5}}};
        host().addGeom({GeomType_LineSegs, CoordSys_Screen, 40, 300, 1, "", 0, 0, lines, ""});
        const std::string command = "VarName=BB2 Type=PushButton";
        ASSERT_NE(
            host().addGeom({GeomType_Image, CoordSys_Frame, 10, 10, 0, command, 12.5, 0, {}, path}),
            nullptr);
    }

    // Writes the text to a layout file in the scratch directory.
    std::string layoutFile(const char *name, const std::string &content) {
        const auto path = scratch() / name;
        WriteFile(path, content);
        return path.string();
    }
    // A layout whose one frame holds an image geometry per file name.
    std::string layoutNaming(const std::vector<std::string> &files) {
        std::string geoms;
        for (const std::string &file : files)
            geoms += std::string(geoms.empty() ? "" : ", ") + R"({"type": "image", "file": ")" +
                     file + "\"}";
        return layoutFile("images.lay.json",
                          R"({"formatVersion": 1, "frames": [{"name": "F", "x": 1, "y": 1, )"
                          R"("width": 4, "height": 3, "geoms": [)" +
                              geoms + "]}]}");
    }
};

// Saved, loaded and saved again: the same bytes, for a workspace that sets
// every attribute (saved as its golden file shows, image paths relative to
// the layout), the sample design (whose image path changes once it is saved
// elsewhere, and then no more) and an empty one.
TEST_F(LayoutTest, SavingALoadedLayoutGivesTheSameBytes) {
    const std::string sample = std::string(QGB_SOURCE_DIR) + "/examples/sample/sample.lay.json";
    const std::string first = (scratch() / "design.lay.json").string();
    const std::string second = (scratch() / "again.lay.json").string();
    for (const std::string workspace : {"every attribute", "sample", "empty"}) {
        SCOPED_TRACE(workspace);
        host().reset();
        std::string error;
        if (workspace == "every attribute")
            buildWorkspace();
        if (workspace == "sample") {
            ASSERT_TRUE(host().loadLayout(sample, &error)) << error;
            EXPECT_GE(host().frames().size(), 5u);
        }
        ASSERT_TRUE(host().saveLayout(first, &error)) << error;
        if (workspace == "every attribute") {
            EXPECT_EQ(ReadFile(first), ReadFile(std::string(QGB_SOURCE_DIR) +
                                                "/tests/golden/host/every-attribute.lay.json"));
        }
        host().reset();
        ASSERT_TRUE(host().loadLayout(first, &error)) << error;
        ASSERT_TRUE(host().saveLayout(second, &error)) << error;
        EXPECT_EQ(ReadFile(first), ReadFile(second));
        EXPECT_TRUE(host().faults().empty());
        // The bundled sample is canonical: saved in its own folder, its own bytes.
        if (workspace == "sample") {
            std::filesystem::copy(std::filesystem::path(sample).parent_path(),
                                  scratch() / "sample");
            ASSERT_TRUE(host().loadLayout((scratch() / "sample/sample.lay.json").string(), &error));
            ASSERT_TRUE(host().saveLayout((scratch() / "sample/again.lay.json").string(), &error));
            EXPECT_EQ(ReadFile(scratch() / "sample/again.lay.json"), ReadFile(sample));
        }
    }
}

TEST_F(LayoutTest, LoadingOrSavingUnderANewNameNamesTheLayoutAndSendsSix) {
    const std::string label40000 = "Label \xF1\x80\x80\x80"; // U+40000, kept byte for byte
    const std::string path = layoutFile("two.lay.json", R"({"formatVersion": 1, "current": 0,
        "frames": [{"name": "first", "x": 1, "y": 1, "width": 2, "height": 2},
                   {"name": "second", "x": 1, "y": 1, "width": 2, "height": 2,
                    "texts": [{"string": ")" + label40000 + R"("}]}]})");
    std::string error;
    ASSERT_TRUE(host().loadLayout(path, &error)) << error;
    EXPECT_EQ(host().layoutFileName(), path);
    EXPECT_EQ(host().currentFrame()->spec.name, "first");
    EXPECT_EQ(codes(), Codes{6});
    // Saving under a new name names the layout and sends 6; the same name again sends nothing.
    const std::string renamed = (scratch() / "named.lay.json").string();
    ASSERT_TRUE(QorUtilSaveLayout(renamed.c_str(), TRUE));
    ASSERT_TRUE(QorUtilSaveLayout(renamed.c_str(), TRUE));
    EXPECT_EQ(host().layoutFileName(), renamed);
    EXPECT_EQ(codes(), Codes{6});
    char *name = QorUtilGetCurLayoutFName();
    EXPECT_STREQ(name, renamed.c_str());
    QorUtilStringDealloc(&name);
    // Defaults fill what the file leaves out.
    const TextSpec &label = host().frames()[0].texts.at(0).spec;
    EXPECT_EQ(label.height, TextSpec().height);
    EXPECT_EQ(label.boxType, TextBox_None);
    EXPECT_EQ(label.string, label40000);
    EXPECT_NE(ReadFile(renamed).find(label40000), std::string::npos);
    // Broken UTF-8 an add-on set is saved as replacement characters: a stray
    // continuation byte, a byte that starts no sequence, a cut sequence.
    TextSpec broken;
    broken.string = "a\x80"
                    "b\xFF"
                    "c\xE2\x82"
                    "d";
    host().addText(broken);
    ASSERT_TRUE(QorUtilSaveLayout(renamed.c_str(), TRUE));
    EXPECT_NE(ReadFile(renamed).find("a\uFFFDb\uFFFDc\uFFFDd"), std::string::npos);
    ASSERT_TRUE(host().loadLayout(renamed, &error)) << error;
}

TEST_F(LayoutTest, EveryKindOfBadFileIsReportedWithItsPlaceAndChangesNothing) {
    const std::string good = layoutFile("good.lay.json", R"({"formatVersion": 1, "frames": [
        {"name": "kept", "x": 1, "y": 1, "width": 2, "height": 2}]})");
    std::string error;
    ASSERT_TRUE(host().loadLayout(good, &error)) << error;
    changes_.clear();

    // clang-format off
    // A file of one frame "F" with more keys.
    auto frameWith = [](const std::string &keys) {
        return R"({"formatVersion": 1, "frames": [{"name": "F", "x": 1, "y": 1, "width": 2, "height": 2)" + keys + "}]}";
    };
    const std::string v1 = R"({"formatVersion": 1, )";
    const struct { std::string content, expected; } cases[] = { // expected: after "<file>: ", none: loads
        {v1 + R"("frames": [)", "line 1, column 33: not valid JSON"},
        {"[1, 2]", "the file must hold a JSON object"},
        {R"({"frames": []})", "formatVersion: missing"},
        {R"({"formatVersion": 2, "frames": []})", "formatVersion: unknown format version 2 (this host reads version 1)"},
        {v1 + R"("frames": [], "zoom": 2})", "zoom: unknown key"},
        {v1 + R"("frames": [{"name": "F", "x": 1, "y": 1, "width": "wide", "height": 2}]})", "frames[0].width: must be a number"},
        {v1 + R"("frames": [{"name": "F", "x": 1, "y": 1, "width": 0, "height": 2}]})", "frames[0].width: out of range (above 0)"},
        {frameWith(R"(, "texts": [{"string": "a"}, {"string": "b", "colour": 3}])"), "frames[0].texts[1].colour: unknown key"},
        {frameWith(R"(, "texts": [{"string": "a", "boxColor": 64}])"), "frames[0].texts[0].boxColor: out of range (0 to 63)"},
        {frameWith(R"(, "texts": [{"string": "a", "anchor": 1.5}])"), "frames[0].texts[0].anchor: must be an integer"},
        {frameWith(R"(, "texts": [{"string": "a", "boxType": "round"}])"), "frames[0].texts[0].boxType: must be one of \"none\", \"filled\", \"hollow\""},
        {frameWith(R"(, "texts": [{"x": 3}])"), "frames[0].texts[0].string: missing"},
        {frameWith(R"(, "geoms": [{"type": "image", "file": "nowhere.png"}])"), "frames[0].geoms[0].file: cannot read image"},
        {frameWith(R"(, "geoms": [{"type": "line", "polylines": [[[0, 0]]]}])"), "frames[0].geoms[0].polylines[0]: must be an array of at least two points"},
        {frameWith(R"(, "geoms": [{"type": "rectangle", "width": 1, "height": 1, "file": "x"}])"), "frames[0].geoms[0].file: unknown key"},
        {v1 + R"("frames": [{"name": "A", "x": 1, "y": 1, "width": 2, "height": 2, "linkGroup": 4, "linkSizeAndPosition": true},
                            {"name": "B", "x": 1, "y": 1, "width": 3, "height": 2, "linkGroup": 4, "linkSizeAndPosition": true}]})",
         "frames[1]: linked to group 4 but its position or size differs from frames[0]"},
        {frameWith(R"(, "linkGroup": -1)"), "frames[0].linkGroup: out of range"},
        {v1 + R"("current": 1, "frames": [{"name": "F", "x": 1, "y": 1, "width": 2, "height": 2}]})", "current: out of range (0 to 0)"},
        // The streamed reading agrees with a whole-document check: a byte order mark is skipped; a
        // lone escaped surrogate and a number past double's range are refused.
        {"\xEF\xBB\xBF" + frameWith(""), ""},
        {frameWith(R"(, "name": "\uDC00")"), "line 1, column 102: not valid JSON"},
        {frameWith(R"(, "texts": [{"string": ")" "\xF0\x80\x80\x80" R"("}])"), "line 1, column 111: not valid JSON"}, // overlong
        {frameWith(R"(, "x": 2e308)"), "line 1, column 97: number out of range"},
        {v1 + "\n\"frames\": [\n{\"name\": \"F\", \"x\": 2e308}]}", "line 3, column 24: number out of range"},
        // A repeated key: the last value counts, the earlier one's problems do not.
        {frameWith(R"(, "texts": [{"x": 1}], "texts": [{"string": "a"}])"), ""},
        {v1 + R"("frames": [{"x": 1}], "frames": [{"name": "F", "x": 1, "y": 1, "width": 2, "height": 2}]})", ""},
        // A syntax error after a checked problem wins; so does a root problem after a frame's, and
        // a frame's own over its texts'.
        {v1 + R"("frames": [{"name": 3}] x)", "line 1, column 46: not valid JSON"},
        {v1 + R"("frames": [{"name": 3}], "zoom": 1})", "zoom: unknown key"},
        {v1 + R"("frames": [{"texts": [{"x": 1}], "name": "F"}]})", "frames[0].x: missing"},
        {frameWith(R"(, "geoms": [{"type": "line", "polylines": [[[0, 0], [1]], [[0]]]}])"), "frames[0].geoms[0].polylines[0][1]: must be a point [x, y]"},
        {frameWith(R"(, "geoms": [{"file": "a.png", "polylines": [[[0, 0], [1, 1]]], "type": "line"}])"), "frames[0].geoms[0].file: unknown key"},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.content);
        const std::string path = layoutFile("bad.lay.json", c.content);
        if (c.expected.empty()) { // accepted; then back to the good file
            EXPECT_TRUE(host().loadLayout(path, &error)) << error;
            EXPECT_EQ(frameNames(), Names{"F"});
            ASSERT_TRUE(host().loadLayout(good, &error)) << error;
            changes_.clear();
            continue;
        }
        EXPECT_FALSE(host().loadLayout(path, &error));
        EXPECT_EQ(error.rfind(path + ": " + c.expected, 0), 0u) << error;
        EXPECT_EQ(frameNames(), Names{"kept"});
        EXPECT_EQ(host().layoutFileName(), good);
        EXPECT_TRUE(changes_.empty());
    }
    EXPECT_FALSE(host().loadLayout((scratch() / "absent.lay.json").string(), &error));
    EXPECT_NE(error.find("absent.lay.json: cannot read"), std::string::npos) << error;
}

// A layout that is no regular file, such as a pipe, is read whole however long.
TEST_F(LayoutTest, ALayoutReadFromAPipeIsReadWhole) {
    std::string content = R"({"formatVersion": 1, "frames": [)";
    for (int i = 0; i < 4000; ++i)
        content += std::string(i ? ", " : "") + R"({"name": "F)" + std::to_string(i) +
                   R"(", "x": 1, "y": 1, "width": 2, "height": 2})";
    content += "]}";
    const std::string fifo = (scratch() / "pipe.lay.json").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) { // writes the whole layout at once and ends
        const int fd = ::open(fifo.c_str(), O_WRONLY);
        const bool all = fd >= 0 && ::write(fd, content.data(), content.size()) ==
                                        static_cast<ssize_t>(content.size());
        ::_exit(all ? 0 : 1);
    }
    std::string error;
    EXPECT_TRUE(host().loadLayout(fifo, &error)) << error;
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(host().frames().size(), 4000u);
}

// A failed save leaves the previous file as it was, a save keeps the file's
// mode, and a read-only (444) layout is never replaced, by the superuser
// either.
TEST_F(LayoutTest, AFailedSaveLeavesThePreviousFileUntouchedAndKeepsItsMode) {
    namespace fs = std::filesystem;
    buildWorkspace();
    const auto path = scratch() / "design.lay.json";
    const std::string file = path.string(), temporary = file + ".tmp";
    std::string error;
    ASSERT_TRUE(host().saveLayout(file, &error)) << error;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(host().saveLayout(file, &error)) << error;
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    const std::string saved = ReadFile(path);
    host().addFrame({"added later", 1, 1, 1, 1});

    // The temporary file cannot be made: the save fails before the rename.
    fs::create_directory(temporary);
    EXPECT_FALSE(QorUtilSaveLayout(file.c_str(), TRUE));
    EXPECT_FALSE(host().saveLayout(file, &error));
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
    EXPECT_EQ(ReadFile(path), saved);
    fs::remove(temporary);
    // A save made to fail on purpose writes nothing either.
    host().failNextSave(true);
    EXPECT_FALSE(QorUtilSaveLayout(file.c_str(), TRUE));
    EXPECT_EQ(ReadFile(path), saved);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(host().saveLayout(file, &error));
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    EXPECT_FALSE(QorUtilSaveLayout(file.c_str(), TRUE));
    EXPECT_EQ(ReadFile(path), saved);

    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(QorUtilSaveLayout(file.c_str(), TRUE));
    EXPECT_NE(ReadFile(path), saved);
    EXPECT_FALSE(fs::exists(temporary));
}

// The bytes with a 32-bit value written at the offset.
std::string with32(std::string bytes, size_t at, uint32_t value, bool bigEndian) {
    for (size_t i = 0; i < 4; ++i)
        bytes[at + (bigEndian ? 3 - i : i)] = static_cast<char>(value >> (8 * i));
    return bytes;
}

// ---- image files named by a layout: every damaged, empty or oversized file
// is refused when the layout loads, naming the file and the reason, and a
// file named by many geometries is decoded once.

TEST_F(LayoutTest, ADamagedOrOversizedImageIsRefusedNamingTheFileAndWhy) {
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
        {"PNG header claiming 65536 wide", with32(png, 16, 65536, true), "65536 x 3 pixels, more than"},
        {"PNG cut to 24 bytes, inside IHDR", png.substr(0, 24), "ends inside its header"},
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
}

TEST_F(LayoutTest, GeometriesNamingOneFileShareOneDecode) {
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
