// The "dlb.cfg" file beside the layout and the "File Options" dialog.
#pragma once

#include <cstdio>

namespace quorvin::builder {

// Opens "dlb.cfg" in the layout's directory with mode "r" or "w"; null when
// the layout has no name or the file cannot be opened.
std::FILE *OpenConfigFile(const char *mode);
// Reads "dlb.cfg" into BuilderSettings; a missing file or a rejected header
// changes nothing.
void ReadConfigFile();
// Writes "dlb.cfg" beside the layout (nothing when it cannot be opened).
void WriteConfigFile();
// Writes the four lines of the file to an open stream.
void WriteConfigLines(std::FILE *file);
// Applies one key and value of the file ("Language", "LimitIdentLength").
void ApplyConfigEntry(const char *key, const char *value);
// Removes trailing, then leading white space in place.
void TrimSpace(char *text);
// True when the first n characters of a and b agree without regard to case
// (a shorter string agrees only up to its end); true for n below 1.
bool PrefixMatchNoCase(const char *a, const char *b, int n);

// Shows the modal "File Options" dialog, building it on first use.
void OptionsDialog();
// Forgets the dialog's identifiers (they start at "not created"); start-up
// calls it so that a restarted add-on builds the dialog anew.
void ResetOptionsDialog();

} // namespace quorvin::builder
