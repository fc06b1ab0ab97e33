#pragma once
// Where converted lines go. The file writer keeps one large buffer and a sticky error, so that a
// failed write is never lost: Close() answers false when anything went wrong.
#include "common/SystemPort.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace lmx {

class IOutSink {
public:
    virtual ~IOutSink() = default;
    // Appends the bytes; false when they could not be written.
    virtual bool Write(std::string_view bytes) = 0;
    // Room for size bytes to be filled in place and then handed to Commit(size); nullptr when the
    // sink has no such room (the caller then uses Write).
    virtual char* Reserve(std::size_t size) {
        (void)size;
        return nullptr;
    }
    virtual bool Commit(std::size_t size) {
        (void)size;
        return false;
    }
    // Like Reserve, but only when the room is there without handing anything to the system first;
    // nullptr otherwise. What is filled counts only once committed.
    virtual char* Room(std::size_t size) {
        (void)size;
        return nullptr;
    }

    // The bytes followed by the line end (CR LF unless told).
    bool WriteLine(std::string_view bytes, std::string_view eol = "\r\n");
};

class FileWriter final : public IOutSink {
public:
    static constexpr std::size_t kDefaultBufSize = 1024 * 1024;

    explicit FileWriter(std::size_t bufSize = kDefaultBufSize);
    ~FileWriter() override; // closes without reporting; call Close() to know
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Creates or truncates the file. False (errorNo set) when it cannot.
    bool Create(const std::string& path, SystemPort& port = RealPort());
    // Writes to an open descriptor; the writer closes it only when own is true. Each buffer goes
    // to the system through the port.
    void Attach(int fd, bool own, SystemPort& port = RealPort());
    // For a file that will be flushed to disk at its end: the system is asked to start writing
    // each few megabytes as they are handed over, so that the final flush finds little left.
    void StartWritebackEarly(bool on) { writeback_ = on; }

    bool Write(std::string_view bytes) override;
    char* Reserve(std::size_t size) override;
    bool Commit(std::size_t size) override;
    char* Room(std::size_t size) override {
        return failed_ || fd_ < 0 || !buf_ || cap_ - used_ < size ? nullptr : buf_.get() + used_;
    }

    // Hands the buffer to the system; false when this or any earlier write failed.
    bool Flush();
    // Flushes and closes; false when any write, the flush or the close failed.
    bool Close();

    bool IsOpen() const { return fd_ >= 0; }
    bool Failed() const { return failed_; }
    int ErrorNo() const { return errno_; }

private:
    bool WriteAll(const char* data, std::size_t size);
    void Fail(int err);

    SystemPort* port_ = &RealPort();
    int fd_ = -1;
    bool own_ = false;
    bool failed_ = false;
    int errno_ = 0;
    std::unique_ptr<char[]> buf_;
    std::size_t cap_;
    std::size_t used_ = 0;
    bool writeback_ = false;
    int64_t handed_ = 0;    // bytes handed to the system
    int64_t writtenTo_ = 0; // bytes whose writing was asked for
};

// Collects everything written; for the preview and for tests. Its room is apart from data, so
// that what is filled but never committed leaves no trace.
class StringSink final : public IOutSink {
public:
    bool Write(std::string_view bytes) override {
        data.append(bytes);
        return true;
    }
    char* Room(std::size_t size) override {
        if (room_.size() < size) room_.resize(size);
        return room_.data();
    }
    bool Commit(std::size_t size) override {
        if (size > room_.size()) return false;
        data.append(room_.data(), size);
        return true;
    }
    std::string data;

private:
    std::string room_;
};

} // namespace lmx
