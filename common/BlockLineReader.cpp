#include "common/BlockLineReader.h"

#include <cerrno>
#include <cstring>

namespace lmx {

BlockLineReader::BlockLineReader(std::FILE* f, std::size_t maxLine) : f_(f), max_(maxLine) {}

bool BlockLineReader::Fill() {
    if (failed_ || f_ == nullptr) return false;
    errno = 0;
    len_ = std::fread(buf_, 1, sizeof buf_, f_);
    pos_ = 0;
    if (len_ == 0 && std::ferror(f_) != 0) {
        failed_ = true;
        error_ = errno != 0 ? errno : EIO;
    }
    return len_ > 0;
}

bool BlockLineReader::Next(std::string& line) {
    line.clear();
    cut_ = false;
    bool any = false;
    for (;;) {
        if (pos_ == len_ && !Fill()) return any;
        if (skipLf_) {
            skipLf_ = false;
            if (buf_[pos_] == '\n' && ++pos_ == len_) continue;
        }
        const char* start = buf_ + pos_;
        const std::size_t avail = len_ - pos_;
        const void* cr = std::memchr(start, '\r', avail);
        const void* lf = std::memchr(start, '\n', avail);
        const char* end = start + avail;
        if (cr != nullptr) end = static_cast<const char*>(cr);
        if (lf != nullptr && static_cast<const char*>(lf) < end) end = static_cast<const char*>(lf);
        const auto n = static_cast<std::size_t>(end - start);
        const std::size_t room = line.size() < max_ ? max_ - line.size() : 0;
        line.append(start, n < room ? n : room);
        if (n > room) cut_ = true;
        any = true;
        pos_ += n;
        if (pos_ < len_) {
            skipLf_ = buf_[pos_] == '\r';
            ++pos_;
            return true;
        }
    }
}

} // namespace lmx
