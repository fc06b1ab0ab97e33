#pragma once
// Reads a file line by line through one large buffer. A line ends at CR LF, LF or a lone CR; the
// last line needs no line end; an empty file has no line. A UTF-8 byte-order mark at the very start
// (spreadsheets put one before their exports) is no data and is dropped before the first line;
// every other byte passes through untouched. A line longer than the reader's bound is cut: its
// first bytes are handed out, marked Cut(), and the rest is read past without being kept, so
// that memory stays bounded whatever the input, a pipe without a single line end included.
#include "common/SystemPort.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace lmx {

class LineReader {
public:
    static constexpr std::size_t kDefaultBufSize = 256 * 1024;
    // No quote file has lines anywhere near this long; a line beyond it is no data line.
    static constexpr std::size_t kMaxLine = 1024 * 1024;

    explicit LineReader(std::size_t bufSize = kDefaultBufSize, std::size_t maxLine = kMaxLine);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens the file for reading through the port (a FIFO or a device is refused, see
    // SystemPort::OpenForReading); the reader closes it. False (and errorNo set) when it cannot.
    bool Open(const std::string& path, SystemPort& port = RealPort());
    // Reads an already open descriptor, which stays the caller's to close.
    void Attach(int fd);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // The next line without its line end, valid until the next call. False at the end of the file
    // or on a read failure (then Error() is true).
    bool Next(std::string_view& line);
    // The line that Next() gave last was longer than the bound: only its first bytes were given.
    bool Cut() const { return cut_; }

    // Right after Next() gave a line: the bytes read beyond it, not yet handed out (they may end
    // inside a line). Empty when nothing is there. Pass(n) then hands out their first n bytes,
    // which must end with a LF: the lines they hold count as given by Next(), uncut.
    std::string_view Ahead() const {
        if (!buf_ || scanned_ != 0 || over_) return {};
        return std::string_view(buf_.get() + pos_, end_ - pos_);
    }
    void Pass(std::size_t n) {
        pos_ += n;
        cut_ = false;
    }
    std::size_t MaxLine() const { return maxLine_; }

    // Reads and drops up to count lines; the number actually skipped.
    long long Skip(long long count);

    // From now on, Holds() tells whether the line that Next() gave last holds byte b. The reader
    // looks for it over everything it has read at once, so that a line costs a comparison.
    void Watch(char b);
    bool Holds(std::string_view line) {
        const auto start = static_cast<std::size_t>(line.data() - buf_.get());
        const std::size_t stop = start + line.size();
        return stop > clear_ && Search(start, stop);
    }

    // Bytes of the file handed out so far (lines, their ends, skipped lines, the mark); a progress
    // by bytes reads it now and then, never per line.
    long long Consumed() const { return read_ - static_cast<long long>(end_ - pos_); }

    bool Error() const { return error_; }
    int ErrorNo() const { return errno_; }
    bool AtEnd() const { return eof_ && pos_ == end_; }
    // The file as it was when its end was read, with the bytes read by then; unknown before the
    // end, and for anything that is no regular file.
    const FileIdentity& EndIdentity() const { return endId_; }

private:
    bool Fill();  // more bytes after end_; false at end of file or on error
    bool DropMark(); // before the first line; false on a read failure
    // The line from buffer offset start to stop holds the watched byte.
    bool Search(std::size_t start, std::size_t stop);
    bool Make(std::size_t need); // room for need more bytes after end_, moving or growing
    // Hands out the line of len bytes at pos_, cut to the bound; the next one starts at next.
    void Give(std::string_view& line, std::size_t len, std::size_t next);
    // Drops what the line being read holds beyond the bound (keeping a CR still to be decided).
    void DropBeyondBound();

    int fd_ = -1;
    bool own_ = false;
    bool eof_ = false;
    bool error_ = false;
    bool started_ = false; // the start of the file has been looked at for the mark
    int errno_ = 0;
    long long read_ = 0; // bytes read from the file
    std::size_t baseSize_;
    std::size_t firstSize_ = 0; // the buffer a small file needs, when known before the first read
    std::size_t maxLine_;
    bool cut_ = false;
    bool over_ = false; // the line being read has lost bytes beyond the bound
    FileIdentity endId_;
    std::unique_ptr<char[]> buf_;
    std::size_t cap_ = 0;
    std::size_t pos_ = 0;     // start of the unread bytes
    std::size_t end_ = 0;     // end of the bytes read
    std::size_t scanned_ = 0; // bytes after pos_ known to hold no line end

    // Watch(): no watched byte lies between the reading point and clear_ (offset in the buffer);
    // with hit_, clear_ is one.
    char watch_ = '\0';
    bool hit_ = false;
    std::size_t clear_ = 0;
};

} // namespace lmx
