#pragma once
// Lines of the program's own files, read in blocks: CR LF, LF and a lone CR each end a line. The
// memory a line takes is bounded by the line itself, or by a cap the caller sets.
#include <cstddef>
#include <cstdio>
#include <string>

namespace lmx {

class BlockLineReader {
public:
    // Reads from f, which the caller opens and closes. A line longer than maxLine keeps its first
    // maxLine bytes and is marked Cut(); the rest of it is read past without being kept.
    explicit BlockLineReader(std::FILE* f, std::size_t maxLine = std::string::npos);

    // The next line without its line end; false at the end of the file or on a read error.
    bool Next(std::string& line);
    bool Cut() const { return cut_; }
    bool Failed() const { return failed_; }
    int Error() const { return error_; }

private:
    bool Fill();

    std::FILE* f_;
    std::size_t max_;
    char buf_[65536];
    std::size_t pos_ = 0, len_ = 0;
    bool skipLf_ = false;
    bool cut_ = false;
    bool failed_ = false;
    int error_ = 0;
};

} // namespace lmx
