#pragma once
// Files that reach their name whole: written to a temporary file beside the name (created
// exclusively, never through a link), flushed to disk, renamed onto the name, and the folder
// flushed. Until the rename the name keeps its old content, or stays absent.
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace lmx {

// The system calls behind a durable write; tests replace them to fail a chosen step or to see
// the order of the steps.
class IFileSys {
public:
    virtual ~IFileSys() = default;
    virtual int Open(const char* path, int flags, mode_t mode);
    virtual ssize_t Write(int fd, const void* data, std::size_t size);
    virtual int Fsync(int fd);
    virtual int Close(int fd);
    virtual int Rename(const char* from, const char* to);
    virtual int Unlink(const char* path);
};

// The plain system calls.
IFileSys& SystemFileSys();

// Told when a temporary file comes and goes, so that whoever catches a signal can remove what is
// left (the command-line converter).
class ITempFiles {
public:
    virtual ~ITempFiles() = default;
    virtual void Add(const std::string& path) = 0;
    // Runs step, the rename or removal that ends the temporary file, so that no cleanup runs in
    // the middle of it; the path is forgotten afterwards. The step's answer.
    virtual bool Settle(const std::string& path, const std::function<bool()>& step) = 0;
};

class DurableFile {
public:
    explicit DurableFile(IFileSys& sys = SystemFileSys()) : sys_(sys) {}
    ~DurableFile(); // abandons whatever was not committed
    DurableFile(const DurableFile&) = delete;
    DurableFile& operator=(const DurableFile&) = delete;

    // Opens target for writing. A regular file or a new name gets a temporary file in its folder
    // (a link is followed to the file it names, whose permissions the new content keeps). Anything
    // else is written directly: the standard streams and /dev/fd/N by their descriptor, a device
    // or a FIFO opened as it is; a FIFO without a reader is refused at once (ENXIO) instead of
    // blocking. False with the system's reason in error.
    bool Open(const std::string& target, std::string& error, ITempFiles* temps = nullptr);

    int Fd() const { return fd_; }
    bool Direct() const { return direct_; }
    const std::string& TempPath() const { return temp_; }
    // The name the content reaches: the target, or the file its link names.
    const std::string& FinalPath() const { return final_; }

    // Flushes to disk, renames onto the name, flushes the folder; in direct mode only closes.
    // False with the reason when any step failed (the temporary file is then removed).
    bool Commit(std::string& error);
    // Closes and removes the temporary file; the name keeps what it held.
    void Abandon();

private:
    bool OpenDirect(const std::string& target, int fdToCopy, std::string& error);
    void Reset();

    IFileSys& sys_;
    ITempFiles* temps_ = nullptr;
    int fd_ = -1;
    bool direct_ = false;
    std::string temp_;
    std::string final_;
    std::string folder_;
};

// The whole content through a DurableFile. False with the reason in error.
bool WriteFileDurably(const std::string& path, std::string_view content, std::string& error,
                      IFileSys& sys = SystemFileSys(), ITempFiles* temps = nullptr);

// True for the names DurableFile writes through a descriptor the program holds: /dev/stdout,
// /dev/stderr, /dev/fd/N, /proc/self/fd/N. Such a name is never replaced.
bool NamesADescriptor(const std::string& path);

// Flushes a folder's entries to disk (after a rename or a new name in it).
bool SyncFolder(const std::string& folder, IFileSys& sys = SystemFileSys());

// The path made absolute against the current folder, its "." parts and doubled "/" removed
// (".." stays: a link may stand before it). An empty path stays empty.
std::string AbsolutePath(std::string_view path);

// True when both paths name the same file: the same text, the same existing file (links,
// hard links), or the same place once their folders are resolved (a name not yet created).
bool SameFile(const std::string& a, const std::string& b);

// The system's text for an error number, in Windows-1252.
std::string SysErrorText(int err);

} // namespace lmx
