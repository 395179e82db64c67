// The install log format: one action a line, "Prefix: payload", shared by the package's source
// list, the installed log and the older "install.log".
#pragma once
#include "support/Scoped.h"
#include <string>

namespace logprefix {
constexpr const char* kFileCopy = "File Copy: ";
constexpr const char* kFileCopyX64 = "File Copy x64: ";
constexpr const char* kFileOverwrite = "File Overwrite: ";
constexpr const char* kFileDel = "File Del: ";
constexpr const char* kMakeDir = "Make Dir: ";
constexpr const char* kMadeDir = "Made Dir: ";
constexpr const char* kShellLink = "Shell Link: ";
} // namespace logprefix

// Readers use 512-byte buffers: at most 511 bytes of text a read.
constexpr size_t kLogLineBufferSize = 512;

// Appends the text and a line break (CR LF through text mode), creating the file when needed.
// A line that cannot be written is dropped without a report.
void appendLogLine(const std::string& path, const std::string& text);

// True when the line begins with the prefix, exactly and at its first byte.
bool hasPrefix(const std::string& line, const char* prefix);

// Removes every trailing byte of value 32 or below, but never the line's first byte.
void stripLogLineEnd(std::string& line);

// Reads a text file a line at a time, the way every log reader of the setup does: text mode
// (CR LF read as LF), each read bounded by the buffer size, so a longer line arrives as several
// pieces, each handled as a line of its own. Every piece is stripped with stripLogLineEnd.
class LogLineReader {
public:
    explicit LogLineReader(const std::string& path, size_t bufferSize = kLogLineBufferSize);

    bool isOpen() const { return m_file.IsValid(); }
    // The next line; false at the end of the file (or when the file did not open).
    bool next(std::string& line);
    void rewind();

private:
    ScopedStdioFile m_file;
    size_t m_bufferSize;
};
