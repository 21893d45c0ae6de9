// The "dlb.cfg" file beside the layout and the "File Options" dialog.
#pragma once

#include <cstdio>

namespace quorvin::builder {

// Opens "dlb.cfg" in the layout's directory with mode "r" or "w"; null when
// the layout has no name or the file cannot be opened.
std::FILE *OpenConfigFile(const char *mode);
void ReadConfigFile();
void WriteConfigFile();
// Writes the four lines of the file to an open stream.
void WriteConfigLines(std::FILE *file);
void ApplyConfigEntry(const char *key, const char *value);
// Removes trailing, then leading white space in place.
void TrimSpace(char *text);
bool PrefixMatchNoCase(const char *a, const char *b, int n);
void OptionsDialog();

} // namespace quorvin::builder
