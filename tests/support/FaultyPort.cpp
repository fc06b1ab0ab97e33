#include "support/FaultyPort.h"

#include "common/Basics.h"

#include <cerrno>
#include <fcntl.h>

namespace lmx::test {

namespace {
std::string Short(const char* path) {
    const std::string name = ExtractFileName(path);
    if (name.empty() || name == ".") return "FOLDER";
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0 ? "TEMP" : name;
}
} // namespace

bool FaultyPort::Fails(const char* kind) {
    if (kind != failKind_ || ++seen_ != failNth_) return false;
    errno = failErr_;
    return true;
}

void FaultyPort::Record(std::string call) {
    calls.push_back(call);
    if (onCall) onCall(call);
}

int FaultyPort::Flock(int fd, int operation) {
    Record("flock");
    return SystemPort::Flock(fd, operation);
}

Meanwhile::Meanwhile(FaultyPort& port, std::string at, FaultyPort& otherPort, std::function<void()> other)
    : port_(port), otherPort_(otherPort), other_(std::move(other)) {
    otherPort.onCall = [this](const std::string& call) {
        if (call == "flock") waitingOrDone_ = true;
    };
    port.onCall = [this, at = std::move(at)](const std::string& call) {
        if (thread_.joinable() || call.rfind(at, 0) != 0) return;
        thread_ = std::thread([this] {
            other_();
            waitingOrDone_ = true;
        });
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!waitingOrDone_ && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
}

Meanwhile::~Meanwhile() {
    if (thread_.joinable()) thread_.join();
    port_.onCall = nullptr;
    otherPort_.onCall = nullptr;
}

int FaultyPort::Open(const char* path, int flags, mode_t mode) {
    Record("open " + Short(path));
    openFlags.push_back(flags);
#ifdef O_TMPFILE
    if (noUnnamedFiles && (flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
#endif
    return Fails("open") ? -1 : SystemPort::Open(path, flags, mode);
}

ssize_t FaultyPort::Write(int fd, const void* data, std::size_t size) {
    Record("write");
    return Fails("write") ? -1 : SystemPort::Write(fd, data, size);
}

int FaultyPort::Fsync(int fd) {
    Record("fsync");
    return Fails("fsync") ? -1 : SystemPort::Fsync(fd);
}

int FaultyPort::StartWriteback(int fd, int64_t offset, int64_t size) {
    Record("writeback");
    return Fails("writeback") ? -1 : SystemPort::StartWriteback(fd, offset, size);
}

int FaultyPort::Close(int fd) {
    Record("close");
    const int r = SystemPort::Close(fd);
    return Fails("close") ? -1 : r;
}

int FaultyPort::Rename(const char* from, const char* to) {
    Record("rename " + Short(from) + " " + Short(to));
    if (beforeNaming) beforeNaming(to);
    return Fails("rename") ? -1 : SystemPort::Rename(from, to);
}

int FaultyPort::RenameNoReplace(const char* from, const char* to) {
    Record("rename " + Short(from) + " " + Short(to));
    if (beforeNaming) beforeNaming(to);
    return Fails("rename") ? -1 : SystemPort::RenameNoReplace(from, to);
}

int FaultyPort::Link(const char* from, const char* to) {
    Record("link " + Short(from) + " " + Short(to));
    if (beforeNaming) beforeNaming(to);
    return Fails("link") ? -1 : SystemPort::Link(from, to);
}

int FaultyPort::LinkOpenFile(int fd, const char* to) {
    Record("link FD " + Short(to));
    if (beforeNaming) beforeNaming(to);
    return Fails("link") ? -1 : SystemPort::LinkOpenFile(fd, to);
}

int FaultyPort::Unlink(const char* path) {
    Record("unlink " + Short(path));
    return Fails("unlink") ? -1 : SystemPort::Unlink(path);
}

int FaultyPort::MakeFolder(const char* path, mode_t mode) {
    Record("mkdir " + Short(path));
    return Fails("mkdir") ? -1 : SystemPort::MakeFolder(path, mode);
}

int FaultyPort::Stat(const char* path, struct stat& st, bool follow) {
    return Fails("stat") ? -1 : SystemPort::Stat(path, st, follow);
}

} // namespace lmx::test
