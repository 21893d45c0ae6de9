// Shared by the starter tests: a temporary folder per test, shell commands
// with their output, whole files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace qgbtest {

namespace fs = std::filesystem;

// The shell's quoting of one word.
std::string Quote(const std::string &word);

// Runs a shell command; its standard output and error, joined, in *output.
int Shell(const std::string &command, std::string *output = nullptr);

std::string Slurp(const fs::path &path);
void Spit(const fs::path &path, const std::string &text);

// A fresh folder below the system's temporary folder, removed afterwards.
class TempFolderTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    fs::path dir;
};

} // namespace qgbtest
