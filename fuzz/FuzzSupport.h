#pragma once
// What the fuzz targets share: a scratch folder of their own, the input written to a file there
// (for the readers that take paths) or served from memory through a port, and message/trash
// ports that record nothing.
#include "core/Ports.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace lmx::fuzz {

// One folder per process, made on first use and kept for the process's life: the runs of one
// process reuse the same file, so no input leaves anything behind but that file.
inline const std::string& ScratchDir() {
    static const std::string dir = [] {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl = std::string(base && *base ? base : "/tmp") + "/lumivex-fuzz-XXXXXX";
        if (::mkdtemp(tmpl.data()) == nullptr) std::abort();
        return tmpl + "/";
    }();
    return dir;
}

// Replaces the file with exactly these bytes; aborts when it cannot, since every later result
// would then be about some other content.
inline void WriteBytes(const std::string& path, const uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    if (std::fclose(f) != 0) std::abort();
}

// Opening path gives an anonymous file holding bytes; everything else is the system's.
class BytesPort final : public SystemPort {
public:
    explicit BytesPort(std::string path) : path_(std::move(path)) {}
    std::string_view bytes;
    int Open(const char* path, int flags, mode_t mode) override {
        if (path != path_) return SystemPort::Open(path, flags, mode);
        const int fd = ::memfd_create("fuzz", MFD_CLOEXEC);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
            ::lseek(fd, 0, SEEK_SET) != 0)
            std::abort();
        return fd;
    }

private:
    std::string path_;
};

class QuietMessages final : public IMessages {
public:
    void Show(const std::string&) override {}
    bool Confirm(const std::string&) override { return true; }
};

class NoTrash final : public ITrash {
public:
    bool MoveToTrash(const std::string&) override { return false; }
};

} // namespace lmx::fuzz
