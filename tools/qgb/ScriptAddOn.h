// Script commands for running a user's add-on in the reference host:
// checking the dialogs its generated code made and drawing them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qgb {

enum class ScriptCommand { NotThis, Done, Failed };

// "snapshot TITLE FILE.png|svg": draws the dialog or sidebar titled TITLE.
// Relative paths are taken from scriptDir.
ScriptCommand RunSnapshotCommand(const std::vector<std::string> &words,
                                 const std::filesystem::path &scriptDir, std::string &error);

// "expect control TITLE NAME [KIND]": the dialog titled TITLE has a control
// labelled NAME (or with that tool tip), of KIND when given ("TextField",
// "Button", ...; docs/reference-host.md).
ScriptCommand RunExpectControl(const std::vector<std::string> &words, std::string &error);

} // namespace qgb
