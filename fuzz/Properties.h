// The properties the fuzz targets check, shared with the regression test of
// the normal suite (tests/fuzz), which feeds every stored finding through the
// same check. Each returns an empty string when the property holds, and
// otherwise what went wrong.
#pragma once

#include <string>

namespace qgbfuzz {

// A layout file that loads saves to bytes that load again and save to the
// same bytes; one that does not load leaves the workspace empty and says why.
std::string CheckLayoutRoundTrip(const std::string &bytes);
// "dlb.cfg": any file reads to a known language, and what the builder writes
// back reads to the same settings.
std::string CheckConfigFile(const std::string &bytes);
// The parameter readers stay inside the text, the control-name maker makes
// identifiers or nothing, and every escaper makes a valid literal that reads
// back as the text.
std::string CheckTextReaders(const std::string &bytes);
// A layout that loads is built in C, C++, FORTRAN and Qt; after each build
// the host recorded no fault, nothing leaked and no lock is held.
std::string CheckWholeBuild(const std::string &bytes);

// A directory of this process for the files the checks write (made once).
const std::string &ScratchDirectory();

} // namespace qgbfuzz
