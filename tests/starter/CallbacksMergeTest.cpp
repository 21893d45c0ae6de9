// qgb callbacks merge in C, C++ and FORTRAN, the way a user meets it: the
// callbacks file is made from the first build, a stub is filled in, the
// design gains two controls and loses one, the design is built again and
// merged. The filled-in body is kept byte for byte, the two new stubs are
// appended, the removed control's callback is listed, and the file compiles
// with the new builder file.
#include "Run.h"

#include <nlohmann/json.hpp>

namespace qgbtest {
namespace {

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
    std::string Qgb(const std::string &args, int expected = 0) {
        std::string output;
        EXPECT_EQ(Shell(Quote(QGB_CLI_PATH) + " " + args, &output), expected) << args << output;
        return output;
    }

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
            replace["string"] = "Replace";
            replace["command"] = "VarName=BTN5 Type=PushButton";
            replace["y"] = 45.0;
            wrap["string"] = "<math>7</math>   Wrap";
            wrap["command"] = "VarName=TGL6 Type=Toggle";
            wrap["boxType"] = "none";
            wrap["margin"] = 20.0;
            wrap["y"] = 62.0;
            wrap["x"] = 8.0;
            texts.push_back(replace);
            texts.push_back(wrap);
        }
        WriteFile(layout, doc.dump(2));
    }

    void Compiles(const Language &language, const fs::path &design) {
        const std::string includes = " -I" + Quote(std::string(QGB_SOURCE_DIR) + "/sdk") + " -I" +
                                     Quote(std::string(QGB_SOURCE_DIR) + "/tools/qgb/templates") +
                                     " -I" + Quote(design.string());
        const std::string file = Quote((design / language.callbacks).string());
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
                      (cpp ? " -std=c++17 -Wno-write-strings" : "") + includes + " -c " + file +
                      " -o " + Quote((design / "callbacks.o").string());
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
