#include "support/FaultyFileSys.h"

#include "common/UCommuns.h"

#include <cerrno>

namespace lmx::test {

namespace {
std::string Short(const char* path) {
    const std::string name = ExtractFileName(path);
    if (name.empty() || name == ".") return "FOLDER";
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0 ? "TEMP" : name;
}
} // namespace

bool FaultyFileSys::Fails(const std::string& kind) {
    if (kind != failKind_ || ++seen_ != failNth_) return false;
    errno = failErr_;
    return true;
}

int FaultyFileSys::Open(const char* path, int flags, mode_t mode) {
    calls.push_back("open " + Short(path));
    openFlags.push_back(flags);
    return Fails("open") ? -1 : IFileSys::Open(path, flags, mode);
}

ssize_t FaultyFileSys::Write(int fd, const void* data, std::size_t size) {
    calls.push_back("write");
    return Fails("write") ? -1 : IFileSys::Write(fd, data, size);
}

int FaultyFileSys::Fsync(int fd) {
    calls.push_back("fsync");
    return Fails("fsync") ? -1 : IFileSys::Fsync(fd);
}

int FaultyFileSys::Close(int fd) {
    calls.push_back("close");
    const int r = IFileSys::Close(fd);
    return Fails("close") ? -1 : r;
}

int FaultyFileSys::Rename(const char* from, const char* to) {
    calls.push_back("rename " + Short(from) + " " + Short(to));
    return Fails("rename") ? -1 : IFileSys::Rename(from, to);
}

int FaultyFileSys::Unlink(const char* path) {
    calls.push_back("unlink " + Short(path));
    return IFileSys::Unlink(path);
}

} // namespace lmx::test
