// The classic build's output checked with the real compilers, against the
// SDK headers and the add-on headers "qgb new" writes (tools/qgb/templates):
//  - C: guicb.tmp (which includes guibld.c) and guidefs.c with gcc -Wall
//    -Wextra -Werror (-Wno-unused-parameter: the tab stubs do not use their
//    value);
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

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qgbtest {

inline const std::string kIncludes = " -I'" + std::string(QGB_SOURCE_DIR) + "/sdk' -I'" +
                                     std::string(QGB_SOURCE_DIR) + "/tools/qgb/templates'";

class CompileFixture : public ClassicFixture {
  protected:
    void Expect(const std::string &command) {
        std::string output;
        EXPECT_EQ(RunCommand(command, &output), 0) << command << "\n" << output;
    }

    void CompileC(bool cpp) {
        const std::string compiler =
            std::string(cpp ? QGB_CXX : QGB_CC) + " -Wall -Wextra -Wno-unused-parameter -Werror" +
            (cpp ? " -std=c++17 -Wno-write-strings" : "") + kIncludes + " -I'" + dir + "' -c ";
        Expect(compiler + (cpp ? "-x c++ '" : "-x c '") + dir + "guicb.tmp' -o '" + dir +
               "guicb.o'");
        Expect(compiler + "'" + dir + (cpp ? "guidefs.cpp" : "guidefs.c") + "' -o '" + dir +
               "guidefs.o'");
    }

    void CheckFortran() {
        if (std::string(QGB_GFORTRAN).empty())
            GTEST_SKIP() << "gfortran is not installed";
        // The checked copy leaves out only the bitmap DATA lines.
        const std::string check = dir + "fortran-check/";
        ASSERT_EQ(RunCommand("mkdir -p '" + check + "' && cp '" + dir + "guicb.tmp' '" + dir +
                             "GUICB.INC' '" + dir + "GUIDEFS.INC' '" + check +
                             "' && grep -v '^      DATA(' '" + dir + "guibld.F' > '" + check +
                             "guibld.F'"),
                  0);
        Expect(std::string(QGB_GFORTRAN) +
               " -fsyntax-only -x f77 -ffixed-line-length-none -fcray-pointer"
               " -fallow-argument-mismatch" +
               kIncludes + " -I'" + check + "' '" + check + "guicb.tmp'");
    }

    void CheckAllLanguages(const std::vector<std::string> &warnings = {}) {
        for (int32_t language = 0; language <= 2; ++language) {
            SCOPED_TRACE(language);
            ASSERT_NO_FATAL_FAILURE(BuildExpectingSuccess(language, warnings));
            if (language == 2)
                CheckFortran();
            else
                CompileC(language == 1);
        }
    }
};

} // namespace qgbtest
