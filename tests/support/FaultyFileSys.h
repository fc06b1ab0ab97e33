#pragma once
// The system calls of a durable write, recorded in order; one kind of call can be made to fail.
#include "common/UDurable.h"

#include <string>
#include <vector>

namespace lmx::test {

class FaultyFileSys final : public IFileSys {
public:
    // The nth call (from 1) of kind "open", "write", "fsync", "close" or "rename" fails with err.
    void FailAt(std::string kind, int nth = 1, int err = 5 /* EIO */) {
        failKind_ = std::move(kind);
        failNth_ = nth;
        failErr_ = err;
    }
    // "open NAME", "write", "fsync", "close", "rename FROM TO", "unlink NAME"; names without folder,
    // a temporary name as "TEMP", a folder as "FOLDER".
    std::vector<std::string> calls;
    std::vector<int> openFlags;

    int Open(const char* path, int flags, mode_t mode) override;
    ssize_t Write(int fd, const void* data, std::size_t size) override;
    int Fsync(int fd) override;
    int Close(int fd) override;
    int Rename(const char* from, const char* to) override;
    int Unlink(const char* path) override;

private:
    bool Fails(const std::string& kind);
    std::string failKind_;
    int failNth_ = 0;
    int failErr_ = 0;
    int seen_ = 0;
};

} // namespace lmx::test
