#include "core/FormatLines.h"

#include "common/Basics.h"

namespace lmx {

FmtLineReader::~FmtLineReader() { Close(); }

bool FmtLineReader::Open(const std::string& path, SystemPort& port) {
    Close();
    failed_ = false;
    lineNo_ = 0;
    pos_ = len_ = 0;
    if (buf_.empty()) buf_.resize(1 << 16);
    file_ = port.OpenStream(path);
    return file_ != nullptr;
}

void FmtLineReader::Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    pos_ = len_ = 0;
}

bool FmtLineReader::Fill() {
    if (pos_ < len_) return true;
    if (!file_) return false;
    len_ = std::fread(buf_.data(), 1, buf_.size(), file_);
    pos_ = 0;
    if (len_ == 0 && std::ferror(file_)) failed_ = true;
    return len_ > 0;
}

bool FmtLineReader::AtEnd() { return !Fill(); }

bool FmtLineReader::ReadLine(std::string& line) {
    line.clear();
    if (!Fill()) return false;
    ++lineNo_;
    for (;;) {
        const char* start = buf_.data() + pos_;
        std::size_t i = pos_;
        while (i < len_ && buf_[i] != '\r' && buf_[i] != '\n') ++i;
        line.append(start, i - pos_);
        pos_ = i;
        if (i < len_) break; // a line end is in the buffer
        if (!Fill()) return true; // last line without a line end
    }
    const char end = buf_[pos_++];
    // A CR followed by LF is one line end, even when the LF starts the next buffer.
    if (end == '\r' && Fill() && buf_[pos_] == '\n') ++pos_;
    return true;
}

} // namespace lmx
