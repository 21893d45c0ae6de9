// qgb new's refusal to write into a folder that holds something, qgb icons
// against the resource file of a Qt build, and the script commands addon and
// snapshot, each with the real qgb.
#include "Run.h"

#include <cstdint>
#include <regex>

namespace qgbtest {
namespace {

std::string Qgb(const std::string &args, int expected, std::string *output = nullptr) {
    std::string text;
    EXPECT_EQ(Shell(Quote(QGB_CLI_PATH) + " " + args, &text), expected) << args << "\n" << text;
    if (output)
        *output = text;
    return text;
}

using StarterTools = TempFolderTest;

TEST_F(StarterTools, NewRefusesAFolderThatHoldsSomethingAndAFile) {
    fs::create_directories(dir / "busy");
    WriteFile(dir / "busy" / "notes.txt", "mine");
    WriteFile(dir / "plain", "mine too");
    for (const fs::path &target : {dir / "busy", dir / "plain"}) {
        const std::string output = Qgb("new " + Quote(target.string()), 1);
        EXPECT_NE(output.find(target.string() + " is not an empty folder"), std::string::npos)
            << output;
    }
    EXPECT_EQ(ReadFile(dir / "busy" / "notes.txt"), "mine");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "busy"), {}), 1);
    EXPECT_EQ(ReadFile(dir / "plain"), "mine too");
}

// The 32-bit number at the byte offset, most significant byte first or last.
uint32_t Word(const std::string &bytes, size_t at, bool bigEndian) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + (bigEndian ? i : 3 - i)]);
    return value;
}

TEST_F(StarterTools, IconsWritesEveryPngTheResourceFileListsOnce) {
    const fs::path design = dir / "sample";
    fs::copy(fs::path(QGB_SOURCE_DIR) / "examples" / "sample", design);
    fs::create_directories(dir / "ui" / "mainwindow" / "qt");
    const std::string layout = Quote((design / "sample.lay.json").string());
    Qgb("build " + layout + " --language qt", 0);
    const std::string qrc = ReadFile(design / "quorvinrs_generated.qrc");
    const std::regex entry("<file>([^<]+\\.png)</file>");
    std::vector<std::string> icons;
    for (auto it = std::sregex_iterator(qrc.begin(), qrc.end(), entry);
         it != std::sregex_iterator(); ++it)
        icons.push_back((*it)[1]);
    ASSERT_EQ(icons, std::vector<std::string>{"button.png"}) << qrc;

    EXPECT_EQ(Qgb("icons " + layout, 0), (design / "button.png").string() + "\n");
    // The icon is the bitmap's picture: PNG of the BMP's width and height.
    const std::string png = ReadFile(design / "button.png"), bmp = ReadFile(design / "button.bmp");
    ASSERT_EQ(png.rfind("\x89PNG\r\n", 0), 0u);
    EXPECT_EQ(Word(png, 16, true), Word(bmp, 18, false));
    EXPECT_EQ(Word(png, 20, true), Word(bmp, 22, false));
    // Nothing changed: nothing written, nothing listed.
    const auto stamp = fs::last_write_time(design / "button.png");
    EXPECT_EQ(Qgb("icons " + layout, 0), "");
    EXPECT_EQ(fs::last_write_time(design / "button.png"), stamp);
    // --output puts them elsewhere.
    Qgb("icons " + layout + " --output " + Quote((dir / "icons").string()), 0);
    EXPECT_EQ(ReadFile(dir / "icons" / "button.png"), png);
}

struct ScriptCase {
    const char *lines;
    int status;
    const char *message; // in the output; "" when the run succeeds
};

TEST_F(StarterTools, AddonAndSnapshotInAScript) {
    const ScriptCase cases[] = {
        {"addon /nowhere/libmissing.so\n", 1, "/nowhere/libmissing.so: cannot load the add-on"},
        {"addon\nsnapshot Greeting picture.png\n", 1, "no dialog titled \"Greeting\""},
        {"addon\nmenu \"Tools > Quorvin GUI Builder\"\ndialog \"GUI Builder\" Close\n"
         "snapshot \"GUI Builder\" picture.png\n",
         1, "dialog \"GUI Builder\" is not up"},
        {"addon\nmenu \"Tools > Quorvin GUI Builder\"\nsnapshot \"GUI Builder\" picture.bmp\n", 1,
         "must end in .svg or .png"},
        {"addon\nmenu \"Tools > Quorvin GUI Builder\"\nsnapshot \"GUI Builder\" picture.png\n"
         "snapshot \"GUI Builder\" picture.svg\n",
         0, ""},
    };
    for (const ScriptCase &c : cases) {
        SCOPED_TRACE(c.lines);
        fs::remove_all(dir);
        fs::create_directories(dir);
        WriteFile(dir / "run.qgb", c.lines);
        const std::string output = Qgb("run " + Quote((dir / "run.qgb").string()), c.status);
        EXPECT_NE(output.find(c.message), std::string::npos) << output;
        if (c.status != 0) {
            EXPECT_FALSE(fs::exists(dir / "picture.png") || fs::exists(dir / "picture.bmp"));
            continue;
        }
        EXPECT_EQ(ReadFile(dir / "picture.png").rfind("\x89PNG\r\n", 0), 0u);
        EXPECT_NE(ReadFile(dir / "picture.svg").find("<svg "), std::string::npos);
    }
}

} // namespace
} // namespace qgbtest
