// qgb build: builds a layout the way a Quorvin user does (menu option, tool
// dialog, "Go Build") and lists the files the build wrote.
#pragma once

#include "Session.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace qgb {

// Every regular file below a directory with its size and modification time
// (one stat each), to see afterwards which files a command wrote.
struct FileStamp {
    std::uintmax_t size = 0;
    long long seconds = 0; // modification time
    long nanoseconds = 0;
    bool operator==(const FileStamp &other) const {
        return size == other.size && seconds == other.seconds && nanoseconds == other.nanoseconds;
    }
};
using DirectorySnapshot = std::map<std::string, FileStamp>; // relative path -> stamp
DirectorySnapshot SnapshotDirectory(const std::filesystem::path &directory);
// Files below the directory that are new or changed since the snapshot, in
// path order; only the files the snapshot holds are stat'ed again.
std::vector<std::string> WrittenFiles(const DirectorySnapshot &before,
                                      const std::filesystem::path &directory);

// "c", "cpp", "fortran", "qt" in any case; nullopt for anything else.
std::optional<int32_t> ParseLanguage(const std::string &word);

// Writes the language into the layout's "dlb.cfg", keeping the file's other
// setting (the defaults when there is no accepted file). False with a
// message when the file cannot be written.
bool WriteLanguageToConfig(int32_t language, const std::string &layoutPath);

// True when the message is the build's success report.
bool IsBuildSuccessReport(const quorvin::host::Message &message);

int RunBuild(const GlobalOptions &options, const std::string &layoutPath,
             std::optional<int32_t> language);

} // namespace qgb
