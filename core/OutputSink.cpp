#include "core/OutputSink.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace lmx {

bool IOutSink::WriteLine(std::string_view bytes, std::string_view eol) {
    if (char* p = Reserve(bytes.size() + eol.size())) {
        if (!bytes.empty()) std::memcpy(p, bytes.data(), bytes.size());
        std::memcpy(p + bytes.size(), eol.data(), eol.size());
        return Commit(bytes.size() + eol.size());
    }
    const bool ok = Write(bytes);
    return Write(eol) && ok;
}

FileWriter::FileWriter(std::size_t bufSize) : cap_(bufSize < 64 ? 64 : bufSize) {}

FileWriter::~FileWriter() { Close(); }

void FileWriter::Fail(int err) {
    if (!failed_) errno_ = err;
    failed_ = true;
}

bool FileWriter::Create(const std::string& path, SystemPort& port) {
    Close();
    const int fd = port.Open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        failed_ = false;
        errno_ = errno;
        return false;
    }
    Attach(fd, true, port);
    return true;
}

void FileWriter::Attach(int fd, bool own, SystemPort& port) {
    Close();
    failed_ = false;
    errno_ = 0;
    port_ = &port;
    fd_ = fd;
    own_ = own;
    handed_ = writtenTo_ = 0;
}

bool FileWriter::WriteAll(const char* data, std::size_t size) {
    if (fd_ < 0) {
        Fail(EBADF);
        return false;
    }
    while (size > 0) {
        const ssize_t put = port_->Write(fd_, data, size);
        if (put < 0) {
            if (errno == EINTR) continue;
            Fail(errno);
            return false;
        }
        if (put == 0) {
            Fail(EIO);
            return false;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
        handed_ += put;
    }
    // The disk writes what is behind while the next megabytes are converted. Only a hint: its
    // failure changes nothing, the final flush reports what went wrong.
    constexpr int64_t kWritebackStep = 2 << 20;
    if (writeback_ && handed_ - writtenTo_ >= kWritebackStep) {
        (void)port_->StartWriteback(fd_, writtenTo_, handed_ - writtenTo_);
        writtenTo_ = handed_;
    }
    return true;
}

char* FileWriter::Reserve(std::size_t size) {
    if (failed_ || fd_ < 0 || size > cap_) return nullptr;
    if (!buf_) {
        buf_.reset(new (std::nothrow) char[cap_]);
        if (!buf_) return nullptr;
    }
    if (cap_ - used_ < size && !Flush()) return nullptr;
    return buf_.get() + used_;
}

bool FileWriter::Commit(std::size_t size) {
    if (failed_ || !buf_ || size > cap_ - used_) return false;
    used_ += size;
    return true;
}

bool FileWriter::Write(std::string_view bytes) {
    if (failed_) return false;
    if (char* p = Reserve(bytes.size())) {
        if (!bytes.empty()) std::memcpy(p, bytes.data(), bytes.size());
        used_ += bytes.size();
        return true;
    }
    if (failed_) return false;
    // Larger than the buffer (or no buffer to be had): straight to the file after what is pending.
    return Flush() && WriteAll(bytes.data(), bytes.size());
}

bool FileWriter::Flush() {
    if (failed_) return false;
    if (used_ > 0) {
        const bool ok = WriteAll(buf_.get(), used_);
        used_ = 0;
        if (!ok) return false;
    }
    return true;
}

bool FileWriter::Close() {
    if (fd_ < 0) {
        used_ = 0;
        return !failed_;
    }
    bool ok = Flush();
    if (own_ && port_->Close(fd_) != 0) {
        Fail(errno);
        ok = false;
    }
    fd_ = -1;
    own_ = false;
    used_ = 0;
    return ok && !failed_;
}

} // namespace lmx
