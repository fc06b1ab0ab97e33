#pragma once
// Reads a file line by line through one large buffer. A line ends at CR LF, LF or a lone CR; the
// last line needs no line end; an empty file has no line. A UTF-8 byte-order mark at the very start
// (spreadsheets put one before their exports) is no data and is dropped before the first line;
// every other byte passes through untouched.
#include "common/SystemPort.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace lmx {

class LineReader {
public:
    static constexpr std::size_t kDefaultBufSize = 256 * 1024;

    explicit LineReader(std::size_t bufSize = kDefaultBufSize);
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

private:
    bool Fill();  // more bytes after end_; false at end of file or on error
    bool DropMark(); // before the first line; false on a read failure
    // The line from buffer offset start to stop holds the watched byte.
    bool Search(std::size_t start, std::size_t stop);
    bool Make(std::size_t need); // room for need more bytes after end_, moving or growing

    int fd_ = -1;
    bool own_ = false;
    bool eof_ = false;
    bool error_ = false;
    bool started_ = false; // the start of the file has been looked at for the mark
    int errno_ = 0;
    long long read_ = 0; // bytes read from the file
    std::size_t baseSize_;
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
