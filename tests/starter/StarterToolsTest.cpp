// The starter project's tools, each with the real qgb: qgb new's refusal to
// write into a folder that holds something, qgb icons against the resource
// file of a Qt build, the script commands addon and snapshot, and qgb
// callbacks merge in C, C++ and FORTRAN.
#include "Run.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <regex>

namespace qgbtest {
namespace {

// qgb's output, when it ends with the expected status.
std::string Qgb(const std::string &args, int expected = 0) {
    std::string text;
    EXPECT_EQ(Shell(Quote(QGB_CLI_PATH) + " " + args, &text), expected) << args << "\n" << text;
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

TEST_F(StarterTools, AddonAndSnapshotInAScript) {
    const struct {
        const char *lines;
        int status;
        const char *message; // in the output; "" when the run succeeds
    } cases[] = {
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
    for (const auto &c : cases) {
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

// qgb callbacks merge the way a user meets it: the callbacks file is made
// from the first build, a stub is filled in, the design gains two controls
// and loses one, the design is built again and merged. The filled-in body is kept byte for byte,
// the two new stubs are appended, the removed control's callback is listed, and the file compiles
// with the new builder file.
struct Language {
    const char *word, *callbacks, *body, *edit;
};

// The Find dialog's text field stub and the line the user adds to it.
const Language kLanguages[] = {
    {"c", "callbacks.c", "static GUIInt_t  TF2_TF_D2_CB(const char *S)\n{\n",
     "  TRACE1(\"searching for %s\\n\", S); /* mine */\n"},
    {"cpp", "callbacks.cpp", "static GUIInt_t  TF2_TF_D2_CB(const char *S)\n{\n",
     "  TRACE1(\"searching for %s\\n\", S); // mine\n"},
    {"fortran", "callbacks.F", "      INTEGER*4 FUNCTION TF2_TF_D2_CB(S)\n",
     "C     mine: the search starts here\n      ILEN = 0\n"},
};

class CallbacksMerge : public TempFolderTest, public ::testing::WithParamInterface<Language> {
  protected:
    // The function whose head is `head`, through its end.
    static std::string FunctionAt(const std::string &text, const std::string &head, bool fortran) {
        const size_t at = text.find(head);
        if (at == std::string::npos)
            return "";
        const std::string end = fortran ? "\n      END\n" : "\n}\n";
        const size_t stop = text.find(end, at);
        return stop == std::string::npos ? "" : text.substr(at, stop + end.size() - at);
    }

    // The Find dialog (ID=2) loses "Find Next" and gains a button and a toggle.
    void ChangeDesign(const fs::path &layout) {
        nlohmann::json doc = nlohmann::json::parse(ReadFile(layout));
        for (auto &frame : doc["frames"]) {
            if (frame["name"].get<std::string>().find("TITLE=\"Find\"") == std::string::npos)
                continue;
            auto &texts = frame["texts"];
            nlohmann::json findNext;
            for (auto it = texts.begin(); it != texts.end(); ++it)
                if ((*it)["string"] == "Find Next") {
                    findNext = *it;
                    texts.erase(it);
                    break;
                }
            ASSERT_FALSE(findNext.is_null());
            nlohmann::json replace = findNext, wrap = findNext;
            replace.merge_patch(nlohmann::json::parse(
                R"({"string": "Replace", "command": "VarName=BTN5 Type=PushButton", "y": 45.0})"));
            wrap.merge_patch(nlohmann::json::parse(
                R"({"string": "<math>7</math>   Wrap", "command": "VarName=TGL6 Type=Toggle",)"
                R"( "boxType": "none", "margin": 20.0, "y": 62.0, "x": 8.0})"));
            texts.push_back(replace);
            texts.push_back(wrap);
        }
        WriteFile(layout, doc.dump(2));
    }

    void Compiles(const Language &language, const fs::path &design) {
        const std::string includes = " -I" + Quote(std::string(QGB_SOURCE_DIR) + "/sdk") + " -I" +
                                     Quote(std::string(QGB_SOURCE_DIR) + "/tools/qgb/templates") +
                                     " -I" + Quote(design.string());
        std::string command;
        if (std::string(language.word) == "fortran") {
            if (std::string(QGB_GFORTRAN).empty())
                GTEST_SKIP() << "gfortran is not installed";
            // As the build's own check: the bitmap DATA lines left out.
            const fs::path check = design / "check";
            fs::create_directories(check);
            for (const char *f : {"GUICB.INC", "GUIDEFS.INC", "callbacks.F"})
                fs::copy_file(design / f, check / f);
            ASSERT_EQ(Shell("grep -v '^      DATA(' " + Quote((design / "guibld.F").string()) +
                            " > " + Quote((check / "guibld.F").string())),
                      0);
            command = std::string(QGB_GFORTRAN) +
                      " -fsyntax-only -x f77 -ffixed-line-length-none -fcray-pointer"
                      " -fallow-argument-mismatch" +
                      includes + " -I" + Quote(check.string()) + " " +
                      Quote((check / "callbacks.F").string());
        } else {
            const bool cpp = std::string(language.word) == "cpp";
            // The kept callback of the removed control is unused (and static).
            command = std::string(cpp ? QGB_CXX : QGB_CC) +
                      " -Wall -Wextra -Werror -Wno-unused-parameter -Wno-unused-function" +
                      (cpp ? " -std=c++17 -Wno-write-strings" : "") + includes + " -c " +
                      Quote((design / language.callbacks).string()) + " -o " +
                      Quote((design / "callbacks.o").string());
        }
        std::string output;
        EXPECT_EQ(Shell(command, &output), 0) << command << "\n" << output;
    }
};

TEST_P(CallbacksMerge, KeepsTheUsersCodeAddsNewStubsAndListsRemovedOnes) {
    const Language &language = GetParam();
    const bool fortran = std::string(language.word) == "fortran";
    const fs::path design = dir / "sample";
    fs::copy(fs::path(QGB_SOURCE_DIR) / "examples" / "sample", design);
    const std::string layout = Quote((design / "sample.lay.json").string());
    const fs::path callbacks = design / language.callbacks;
    const std::string into = " --into " + Quote(callbacks.string());

    Qgb("build " + layout + " --language " + language.word);
    // The first time the callbacks file is a copy of the stubs.
    EXPECT_NE(Qgb("callbacks merge " + layout + into).find("created"), std::string::npos);
    ASSERT_EQ(ReadFile(callbacks), ReadFile(design / "guicb.tmp"));

    std::string text = ReadFile(callbacks);
    const size_t head = text.find(language.body);
    ASSERT_NE(head, std::string::npos);
    // The user's line goes after the head and the declarations.
    const size_t bodyAt = fortran ? text.find("      INCLUDE 'GUIDEFS.INC'\n", head) +
                                        std::string("      INCLUDE 'GUIDEFS.INC'\n").size()
                                  : text.find("GUIInt_t IsOk = 1;\n", head) + 19;
    text.insert(bodyAt, language.edit);
    WriteFile(callbacks, text);
    const std::string edited = FunctionAt(text, language.body, fortran);
    ASSERT_NE(edited.find(language.edit), std::string::npos);
    // Nothing new: the file stays as it is.
    EXPECT_NE(Qgb("callbacks merge " + layout + into).find("up to date"), std::string::npos);
    EXPECT_EQ(ReadFile(callbacks), text);

    ASSERT_NO_FATAL_FAILURE(ChangeDesign(design / "sample.lay.json"));
    Qgb("build " + layout);
    const std::string stubs = ReadFile(design / "guicb.tmp");
    const std::string merged = Qgb("callbacks merge " + layout + into);
    EXPECT_NE(merged.find("added BTN5_BTN_D2_CB\n"), std::string::npos) << merged;
    EXPECT_NE(merged.find("added TGL6_TOG_D2_CB\n"), std::string::npos) << merged;
    EXPECT_NE(merged.find("kept BTN4_BTN_D2_CB: the design no longer generates it"),
              std::string::npos)
        << merged;
    EXPECT_EQ(merged.find("added TF2_TF_D2_CB"), std::string::npos) << merged;

    const std::string result = ReadFile(callbacks);
    // Everything the user had is there, unchanged, before the new stubs.
    const std::string include =
        fortran ? "      include \"guibld.F\"\n"
                : std::string("#include \"guibld.") + (language.word[1] ? "cpp" : "c") + "\"\n";
    const size_t userEnd = text.rfind(include);
    ASSERT_NE(userEnd, std::string::npos);
    EXPECT_EQ(result.compare(0, userEnd, text, 0, userEnd), 0);
    EXPECT_EQ(FunctionAt(result, language.body, fortran), edited);
    // The new stubs, exactly as the build wrote them, then the include last.
    for (const char *name : {"BTN5_BTN_D2_CB(", "TGL6_TOG_D2_CB("}) {
        const std::string headWord = fortran ? "SUBROUTINE " : "static void ";
        const std::string stub = FunctionAt(stubs, headWord + name, fortran);
        ASSERT_FALSE(stub.empty()) << name;
        EXPECT_NE(result.find(stub, userEnd), std::string::npos) << name;
    }
    ASSERT_GE(result.size(), include.size());
    EXPECT_EQ(result.substr(result.size() - include.size()), include);
    Compiles(language, design);
}

INSTANTIATE_TEST_SUITE_P(Languages, CallbacksMerge, ::testing::ValuesIn(kLanguages),
                         [](const auto &info) { return std::string(info.param.word); });

} // namespace
} // namespace qgbtest
