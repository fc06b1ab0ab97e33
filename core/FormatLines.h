#pragma once
// Line access to the format file: reading accepts CR LF, LF or a lone CR as line end, writing
// always produces CR LF. Only the format file's readers and writer use this.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/SystemPort.h"

namespace lmx {

class FmtLineReader {
public:
    FmtLineReader() = default;
    ~FmtLineReader();
    FmtLineReader(const FmtLineReader&) = delete;
    FmtLineReader& operator=(const FmtLineReader&) = delete;

    bool Open(const std::string& path, SystemPort& port = RealPort());
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

    // True when no byte is left: the last line, once read, leaves the reader at its end.
    bool AtEnd();
    // The next line without its line end; false (line empty) at the end of the file.
    bool ReadLine(std::string& line);
    // A read error met on the way (as opposed to the plain end of the file).
    bool Failed() const { return failed_; }
    // Number of lines read since Open: the 1-based number of the last line read.
    int64_t LineNo() const { return lineNo_; }

private:
    bool Fill();

    std::FILE* file_ = nullptr;
    std::vector<char> buf_;
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    bool failed_ = false;
    int64_t lineNo_ = 0;
};

// Key of a line: its first three bytes. Value: everything after the fourth byte, whatever that is.
inline std::string_view LineKey(std::string_view line) { return line.substr(0, 3); }
inline std::string_view LineValue(std::string_view line) {
    return line.size() > 4 ? line.substr(4) : std::string_view();
}

// Puts the whole content under path; false on any failure, with the system's reason.
using FmtContentWriter = std::function<bool(const std::string& path, std::string_view content, std::string& reason)>;

} // namespace lmx
