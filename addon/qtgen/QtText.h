// Text helpers shared by the Qt writers: formatted appending, the one XML
// escape, the fixed header texts and output files written by path.
#pragma once

#include "model/DialogElement.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace quorvin::qorutilmisc::qt {

// Appends printf-formatted text. Formats are always literals; designer text
// only ever arrives as an argument.
void Appendf(std::string &out, const char *format, ...) __attribute__((format(printf, 2, 3)));

// Integers are written in plain decimal; the element fields are unsigned.
inline int Dec(uint32_t value) {
    return static_cast<int>(value);
}

// Escapes text for XML content and attribute values: & < > " ' become
// entities; control bytes XML cannot hold at all are dropped.
void AppendXmlEscaped(std::string &out, const std::string &text);
std::string XmlEscaped(const std::string &text);

// Text placed inside a generated TRACE format: "%" doubled.
std::string TraceText(const std::string &text);

extern const char *const kBanner;
extern const char *const kExternBlock;
extern const char *const kSchedulerIncludes;
extern const char *const kSchedulerMembers;
extern const char *const kSchedulerSetUp;

// The layout's directory as the host gives it (ending in a separator), or
// false after reporting that the layout was never saved.
bool LayoutBasePath(std::string &basePath);

// One output file, opened for writing (created or truncated) and closed on
// every path. A file that cannot be opened is reported with
// "Error: Cannot open file: <path>for writing."; one that cannot be written
// completely is reported too.
class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    bool open(const std::string &path);
    // Writes the text and closes the file.
    bool writeAndClose(const std::string &text);

  private:
    std::FILE *file_ = nullptr;
    std::string path_;
};

bool WriteWholeFile(const std::string &path, const std::string &text);

} // namespace quorvin::qorutilmisc::qt
