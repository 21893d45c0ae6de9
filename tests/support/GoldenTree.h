// Output files compared byte for byte with the golden files under
// tests/golden/<kind>/<design>/. With QGB_UPDATE_GOLDEN naming a directory
// (scripts/update-golden.sh), the files are written there under <design>/
// instead of compared.
#pragma once

#include "Run.h"

#include <cstdlib>
#include <map>

namespace qgbtest {

// files: text by path relative to the design's directory; directories, whose
// paths end in "/", are left out (git keeps no empty directory).
inline void ExpectGoldenTree(const std::string &kind, const std::string &design,
                             const std::map<std::string, std::string> &files) {
    if (const char *update = std::getenv("QGB_UPDATE_GOLDEN")) {
        for (const auto &[path, text] : files) {
            if (path.back() == '/')
                continue;
            const fs::path target = fs::path(update) / design / path;
            fs::create_directories(target.parent_path());
            WriteFile(target, text);
        }
        return;
    }
    const fs::path root = fs::path(QGB_SOURCE_DIR) / "tests" / "golden" / kind / design;
    std::map<std::string, std::string> golden;
    if (fs::exists(root))
        for (const auto &entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file())
                golden[fs::relative(entry.path(), root).generic_string()] = ReadFile(entry.path());
    ASSERT_FALSE(golden.empty()) << root << " is missing; run scripts/update-golden.sh";
    std::vector<std::string> written, kept; // the golden side has no directories
    for (const auto &entry : files)
        if (entry.first.back() != '/')
            written.push_back(entry.first);
    for (const auto &entry : golden)
        kept.push_back(entry.first);
    EXPECT_EQ(written, kept);
    // Each file apart, so that a failure shows the lines that differ.
    for (const auto &[path, text] : files)
        if (const auto expected = golden.find(path); expected != golden.end()) {
            EXPECT_EQ(text, expected->second) << path << " differs from the golden file";
        }
}

} // namespace qgbtest
