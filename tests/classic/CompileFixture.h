// The classic build's output checked with the real compilers, against the
// SDK headers and the add-on headers "qgb new" writes (tools/qgb/templates):
//  - C: guicb.tmp (which includes guibld.c) and guidefs.c with gcc as
//    strict C99, -Wall -Wextra -Werror (-Wno-unused-parameter: the tab stubs
//    do not use their value);
//  - C++: the same with g++; -Wno-write-strings because the option list
//    template gives a string literal to a "char *";
//  - FORTRAN: gfortran -fsyntax-only -ffixed-line-length-none (lines reach
//    column 76) -fcray-pointer (the POINTER line) -fallow-argument-mismatch
//    (NULLPTRVAR passed where other calls pass a callback). The bitmap DATA
//    lines are left out of the check: they put integer values into CHARACTER
//    arrays, which gfortran rejects under every flag; they are kept in the
//    output as they are.
#pragma once

#include "ClassicSupport.h"
#include "model/Settings.h"

#include <dlfcn.h>
#include <fstream>

namespace qgbtest {

inline const std::string kIncludes = " -I'" + std::string(QGB_SOURCE_DIR) + "/sdk' -I'" +
                                     std::string(QGB_SOURCE_DIR) + "/tools/qgb/templates'";

class CompileFixture : public ClassicFixture {
  protected:
    void Expect(const std::string &command) {
        std::string output;
        EXPECT_EQ(Shell(command, &output), 0) << command << "\n" << output;
    }

    // The compiler and its flags: C as strict C99, C++ as C++17.
    std::string Compiler(bool cpp) const {
        return std::string(cpp ? QGB_CXX : QGB_CC) +
               " -Wall -Wextra -Wno-unused-parameter -Werror -pedantic-errors" +
               (cpp ? " -std=c++17 -Wno-write-strings" : " -std=c99") + kIncludes + " -I'" + dir +
               "' ";
    }

    void CompileC(bool cpp) {
        const std::string compiler = Compiler(cpp) + "-c ";
        Expect(compiler + (cpp ? "-x c++ '" : "-x c '") + dir + "guicb.tmp' -o '" + dir +
               "guicb.o'");
        Expect(compiler + "'" + dir + (cpp ? "guidefs.cpp" : "guidefs.c") + "' -o '" + dir +
               "guidefs.o'");
    }

    // Builds the generated code with the run source (its entry points
    // declared extern "C" in C++) into a shared object and loads it.
    void *LoadGenerated(bool cpp, const std::string &run) {
        std::ofstream(dir + "run.c") << "#include \"QORADDON.h\"\n#include \"GUIDEFS.h\"\n"
                                     << "AddOn_pa AddOnID = 0;\n#ifdef __cplusplus\n"
                                     << "#define ENTRY extern \"C\"\n#else\n#define ENTRY\n#endif\n"
                                     << run;
        std::string output;
        const std::string language = cpp ? "-x c++ '" : "-x c '";
        EXPECT_EQ(Shell(Compiler(cpp) + "-shared -fPIC " + language + dir + "guicb.tmp' '" + dir +
                            (cpp ? "guidefs.cpp' '" : "guidefs.c' '") + dir + "run.c' -o '" + dir +
                            "generated.so'",
                        &output),
                  0)
            << output;
        void *library = ::dlopen((dir + "generated.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        EXPECT_NE(library, nullptr) << ::dlerror();
        return library;
    }

    void CheckFortran() {
        if (std::string(QGB_GFORTRAN).empty())
            GTEST_SKIP() << "gfortran is not installed";
        // The checked copy leaves out only the bitmap DATA lines.
        const std::string check = dir + "fortran-check/";
        ASSERT_EQ(Shell("mkdir -p '" + check + "' && cp '" + dir + "guicb.tmp' '" + dir +
                        "GUICB.INC' '" + dir + "GUIDEFS.INC' '" + check +
                        "' && grep -v '^      DATA(' '" + dir + "guibld.F' > '" + check +
                        "guibld.F'"),
                  0);
        Expect(std::string(QGB_GFORTRAN) +
               " -fsyntax-only -x f77 -ffixed-line-length-none -fcray-pointer"
               " -fallow-argument-mismatch" +
               kIncludes + " -I'" + check + "' '" + check + "guicb.tmp'");
    }

    // Checks the output of the last build in the language.
    void Compile(int32_t language) {
        if (language == quorvin::builder::LanguageFORTRAN)
            CheckFortran();
        else
            CompileC(language == quorvin::builder::LanguageCPP);
    }
};

} // namespace qgbtest
