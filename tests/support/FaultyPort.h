#pragma once
// The real system, with its calls recorded in order; one kind of call can be made to fail, and
// the clocks can be set.
#include "common/DurableFile.h" // the port, and the durable writes tests drive through it

#include <atomic>
#include <functional>
#include <optional>
#include <thread>
#include <string>
#include <vector>

namespace lmx::test {

class FaultyPort final : public SystemPort {
public:
    // The nth call (from 1) of kind "open", "write", "fsync", "writeback", "close", "rename", "link", "unlink",
    // "mkdir" or "stat" fails with err. Naming an open file counts as "link", a rename that never
    // replaces as "rename".
    void FailAt(std::string kind, int nth = 1, int err = 5 /* EIO */) {
        failKind_ = std::move(kind);
        failNth_ = nth;
        failErr_ = err;
        seen_ = 0;
    }
    // "open NAME", "write", "fsync", "writeback", "close", "rename FROM TO", "link FROM TO", "unlink NAME",
    // "mkdir NAME"; names without folder, a temporary name as "TEMP", a folder as "FOLDER", an
    // open file named by LinkOpenFile as "FD".
    std::vector<std::string> calls;
    std::vector<int> openFlags;
    // Told of each call as it is recorded, before it is made ("flock" too).
    std::function<void(const std::string& call)> onCall;
    // A file system that cannot make files without a name (O_TMPFILE: EOPNOTSUPP).
    bool noUnnamedFiles = false;
    // Called with the name about to be given (link, rename), before the system is asked.
    std::function<void(const std::string& to)> beforeNaming;
    // When set, what the clocks answer.
    std::optional<std::chrono::system_clock::time_point> wallTime;
    std::optional<std::chrono::steady_clock::time_point> steadyTime;

    int Open(const char* path, int flags, mode_t mode) override;
    ssize_t Write(int fd, const void* data, std::size_t size) override;
    int Fsync(int fd) override;
    int StartWriteback(int fd, int64_t offset, int64_t size) override;
    int Close(int fd) override;
    int Rename(const char* from, const char* to) override;
    int Link(const char* from, const char* to) override;
    int Unlink(const char* path) override;
    int MakeFolder(const char* path, mode_t mode) override;
    int Stat(const char* path, struct stat& st, bool follow) override;
    int Flock(int fd, int operation) override;
    int LinkOpenFile(int fd, const char* to) override;
    int RenameNoReplace(const char* from, const char* to) override;
    std::chrono::system_clock::time_point WallTime() override { return wallTime ? *wallTime : SystemPort::WallTime(); }
    std::chrono::steady_clock::time_point SteadyTime() override {
        return steadyTime ? *steadyTime : SystemPort::SteadyTime();
    }

private:
    bool Fails(const char* kind);
    void Record(std::string call);
    std::string failKind_;
    int failNth_ = 0;
    int failErr_ = 0;
    int seen_ = 0;
};

// A second instance acting at one instant of a first: when port first sees a call that starts with
// at, other runs on a thread of its own, its calls going through otherPort, and the first goes on
// once other is over or waits for a lock. The destructor waits for other's end.
class Meanwhile {
public:
    Meanwhile(FaultyPort& port, std::string at, FaultyPort& otherPort, std::function<void()> other);
    ~Meanwhile();
    Meanwhile(const Meanwhile&) = delete;
    Meanwhile& operator=(const Meanwhile&) = delete;
    bool Started() const { return thread_.joinable(); }

private:
    FaultyPort& port_;
    FaultyPort& otherPort_;
    std::function<void()> other_;
    std::thread thread_;
    std::atomic<bool> waitingOrDone_{false};
};

} // namespace lmx::test
