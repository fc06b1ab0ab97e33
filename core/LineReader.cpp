#include "core/LineReader.h"

#include "core/ByteScan.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <sys/stat.h>
#include <cstring>
#include <new>
#include <unistd.h>

namespace lmx {

LineReader::LineReader(std::size_t bufSize, std::size_t maxLine)
    : baseSize_(bufSize < 16 ? 16 : bufSize), maxLine_(maxLine < 1 ? 1 : maxLine) {}

LineReader::~LineReader() { Close(); }

void LineReader::Attach(int fd) {
    Close();
    fd_ = fd;
    own_ = false;
}

bool LineReader::Open(const std::string& path, SystemPort& port) {
    Close();
    // A FIFO or a device is no source (one put in a file's place after it was chosen included):
    // /dev/zero would be one endless line. A folder opens and fails at the first read.
    int fd = -1;
    if (const SysStatus s = port.OpenForReading(path, fd); !s.Ok()) {
        errno_ = s.code;
        return false;
    }
    fd_ = fd;
    own_ = true;
    // A small file gets a buffer of its size: a run over thousands of small sources then maps and
    // unmaps no large buffer for each.
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0 &&
        static_cast<uint64_t>(st.st_size) < baseSize_)
        firstSize_ = std::max<std::size_t>(static_cast<std::size_t>(st.st_size) + 1, 4096);
    return true;
}

void LineReader::Close() {
    if (fd_ >= 0 && own_) ::close(fd_);
    fd_ = -1;
    own_ = false;
    eof_ = error_ = started_ = false;
    errno_ = 0;
    read_ = 0;
    pos_ = end_ = scanned_ = 0;
    hit_ = false;
    clear_ = 0;
    cut_ = over_ = false;
    endId_ = {};
    firstSize_ = 0;
}

bool LineReader::Make(std::size_t need) {
    if (!buf_) {
        const std::size_t first = firstSize_ > 0 && firstSize_ < baseSize_ ? firstSize_ : baseSize_;
        cap_ = first > need ? first : need;
        buf_.reset(new (std::nothrow) char[cap_]);
        if (!buf_) {
            cap_ = 0;
            return false;
        }
        return true;
    }
    // Everything before pos_ has been handed out: the partial line moves to the front.
    if (pos_ > 0) {
        std::memmove(buf_.get(), buf_.get() + pos_, end_ - pos_);
        end_ -= pos_;
        // A byte found in a line already given is behind: nothing is known ahead.
        if (clear_ >= pos_) {
            clear_ -= pos_;
        } else {
            clear_ = 0;
            hit_ = false;
        }
        pos_ = 0;
    }
    if (cap_ - end_ >= need) return true;
    // A line longer than the buffer: grow it, doubling so that a huge line costs linear time.
    std::size_t grown = cap_ * 2;
    if (grown - end_ < need) grown = end_ + need;
    std::unique_ptr<char[]> bigger(new (std::nothrow) char[grown]);
    if (!bigger) return false;
    std::memcpy(bigger.get(), buf_.get(), end_);
    buf_ = std::move(bigger);
    cap_ = grown;
    return true;
}

bool LineReader::Fill() {
    if (!buf_ || end_ == cap_ || pos_ > 0) {
        if (!Make(1)) {
            error_ = true;
            errno_ = ENOMEM;
            return false;
        }
    }
    for (;;) {
        const ssize_t got = ::read(fd_, buf_.get() + end_, cap_ - end_);
        if (got > 0) {
            end_ += static_cast<std::size_t>(got);
            read_ += got;
            return true;
        }
        if (got == 0) {
            eof_ = true;
            endId_ = FileIdentity::Of(fd_, read_);
            return false;
        }
        if (errno == EINTR) continue;
        error_ = true;
        errno_ = errno;
        return false;
    }
}

bool LineReader::DropMark() {
    started_ = true;
    static constexpr char kMark[] = "\xEF\xBB\xBF";
    while (end_ - pos_ < 3 && !eof_) {
        if (!Fill() && error_) return false;
    }
    // A file shorter than the mark, or one that starts otherwise, keeps its bytes.
    if (end_ - pos_ >= 3 && std::memcmp(buf_.get() + pos_, kMark, 3) == 0) pos_ += 3;
    return true;
}

void LineReader::Give(std::string_view& line, std::size_t len, std::size_t next) {
    cut_ = over_ || len > maxLine_;
    over_ = false;
    line = std::string_view(buf_.get() + pos_, len > maxLine_ ? maxLine_ : len);
    pos_ = next;
    scanned_ = 0;
}

void LineReader::DropBeyondBound() {
    if (scanned_ <= maxLine_) return;
    char* const base = buf_.get();
    const std::size_t tail = end_ - pos_ - scanned_; // a CR whose next byte is still unknown, or nothing
    std::memmove(base + pos_ + maxLine_, base + pos_ + scanned_, tail);
    end_ = pos_ + maxLine_ + tail;
    scanned_ = maxLine_;
    over_ = true;
    // Nothing is known any more of the watched byte beyond the reading point.
    hit_ = false;
    clear_ = pos_;
}

bool LineReader::Next(std::string_view& line) {
    if (fd_ < 0 || error_) return false;
    if (!started_ && !DropMark()) return false;
    for (;;) {
        char* const base = buf_.get();
        if (base) {
            const char* const start = base + pos_;
            const char* const stop = base + end_;
            const char* const from = start + scanned_;
            const char* const hit = bytescan::FindLineEnd(from, stop);
            const std::size_t len = static_cast<std::size_t>(hit - start);
            const std::size_t at = static_cast<std::size_t>(hit - base);
            if (hit == stop) {
                scanned_ = end_ - pos_;
                if (eof_) {
                    if (pos_ == end_) return false;
                    Give(line, end_ - pos_, end_);
                    return true;
                }
            } else if (*hit == '\n') {
                Give(line, len, at + 1);
                return true;
            } else if (hit + 1 < stop || eof_) {
                Give(line, len, at + (hit + 1 < stop && hit[1] == '\n' ? 2 : 1));
                return true;
            } else {
                // A CR as the last byte read: only the next byte tells CR LF from a lone CR.
                scanned_ = len;
            }
        }
        if (eof_) continue; // a pending CR at the very end is decided on the next pass
        if (base) DropBeyondBound();
        if (!Fill() && error_) return false;
    }
}

void LineReader::Watch(char b) {
    hit_ = false;
    watch_ = b;
    clear_ = pos_;
}

bool LineReader::Search(std::size_t start, std::size_t stop) {
    // Lines come in file order: a byte found at or after this line's start is still ahead.
    if (hit_ && clear_ >= start) return true; // and clear_ < stop
    // Without a hit, the bytes up to clear_ were looked through already.
    const std::size_t from = !hit_ && clear_ > start ? clear_ : start;
    const char* const buf = buf_.get();
    const void* q = std::memchr(buf + from, watch_, end_ - from);
    hit_ = q != nullptr;
    clear_ = hit_ ? static_cast<std::size_t>(static_cast<const char*>(q) - buf) : end_;
    return hit_ && clear_ < stop;
}

long long LineReader::Skip(long long count) {
    long long done = 0;
    std::string_view line;
    while (done < count && Next(line)) ++done;
    return done;
}

} // namespace lmx
