#pragma once
// The program's one way to the system: files, folders and the clock. The window and the converter
// give the real one, tests one that fails a chosen call. The virtual calls are the system's own,
// one by one, with its own answer (-1 and errno), so that a fake sees and can fail every step;
// what is built on them is not virtual and answers with values (SysStatus: the system's number,
// its text on demand). Nothing here throws.
//
// The data itself never passes through a virtual call per line: the port opens a file and hands
// back its descriptor, which the readers and writers fill or drain through large buffers.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <vector>

namespace lmx {

// The system's text for an error number, in Windows-1252.
std::string SysErrorText(int err);

// The outcome of a call: 0 when it went well, else the system's error number.
struct SysStatus {
    int code = 0;
    bool Ok() const { return code == 0; }
    std::string Reason() const { return SysErrorText(code); }
};

enum class EntryKind { None, File, Folder, Link, Other };

class SystemPort {
public:
    virtual ~SystemPort() = default;

    // The calls of the system: -1 (or false) with errno set, as the system answers.
    virtual int Open(const char* path, int flags, mode_t mode);
    virtual ssize_t Write(int fd, const void* data, std::size_t size);
    virtual int Fsync(int fd);
    // Asks the system to start writing size bytes of fd from offset to disk and returns at once
    // (the final Fsync then finds little left). Only a hint: 0 where the system has no such call.
    virtual int StartWriteback(int fd, int64_t offset, int64_t size);
    virtual int Close(int fd);
    virtual int Rename(const char* from, const char* to);
    virtual int Link(const char* from, const char* to); // a hard link; never replaces
    virtual int Unlink(const char* path);
    virtual int MakeFolder(const char* path, mode_t mode);
    // stat(2) when follow, lstat(2) otherwise.
    virtual int Stat(const char* path, struct stat& st, bool follow);
    // The names in a folder ("." and ".." left out), in the system's order; errno on failure.
    virtual bool List(const std::string& folder, std::vector<std::string>& names);

    // Told when a temporary file comes, and asked to run the step that ends it (its rename or
    // removal), so that whoever removes what is left on a signal never runs in the middle of it.
    virtual void TempCreated(const std::string& path) { (void)path; }
    virtual bool TempSettled(const std::string& path, const std::function<bool()>& step) {
        (void)path;
        return step();
    }

    // The wall clock for dates and log lines, and a steady one for durations.
    virtual std::chrono::system_clock::time_point WallTime();
    virtual std::chrono::steady_clock::time_point SteadyTime();

    // --- Names given only to complete files ---
    // Gives the open file fd (one made with O_TMPFILE) the name to; never replaces (EEXIST). Goes
    // through /proc/self/fd, which needs no privilege, unlike AT_EMPTY_PATH.
    virtual int LinkOpenFile(int fd, const char* to);
    // rename(2) that never replaces (EEXIST); EINVAL or ENOSYS where the file system cannot.
    virtual int RenameNoReplace(const char* from, const char* to);

    // --- Built on the calls above ---

    // True when something of any kind, a dangling link included, has this name: the link itself is
    // looked at, never followed. An entry the system will not tell about counts as absent.
    bool Exists(const std::string& path);
    // What the name is, links followed (Link only when follow is false).
    EntryKind KindOf(const std::string& path, bool follow = true);
    // True when both names exist and are the same file (links followed, hard links).
    bool SameEntry(const std::string& a, const std::string& b);
    // Size in bytes of a regular file (links followed); 0 for anything else or nothing.
    int64_t SizeOf(const std::string& path);
    // Size in bytes of the first entry matching path (wildcards * and ? in the name part; a name
    // that exists as written is taken literally first, otherwise the first match in name order).
    int64_t FileSize(const std::string& path);
    // Opens for reading without ever waiting: a FIFO, a device or a socket is refused (EINVAL),
    // since one in a file's place would hang or flood the reader; a regular file or a folder opens.
    SysStatus OpenForReading(const std::string& path, int& fd);
    // The same as a stdio stream (nullptr and errno on failure).
    std::FILE* OpenStream(const std::string& path);
    // Removes the name of a regular file (a link to one: the link; never a folder or anything else)
    // and flushes its folder, unless the caller flushes it later (flushFolder false).
    SysStatus RemoveFile(const std::string& path, bool flushFolder = true);
    // Makes the folder and the missing ones above it (mode for the last one only).
    SysStatus MakeFolders(const std::string& path, mode_t mode = 0777);
    // Flushes a folder's entries to disk (after a rename or a new name in it); errno on failure.
    bool SyncFolder(const std::string& folder);
    // A file without a name in folder, for reading and writing: never seen by anyone, gone when
    // closed. Where the system cannot make one, a new file named prefix and a random tag, removed
    // at once. Its descriptor, or -1 with errno.
    int OpenUnnamed(const std::string& folder, const std::string& prefix);
    // Local time now, and the year now (by the calendar of UTC).
    std::tm LocalTime();
    int CurrentYear();
    // Milliseconds of the steady clock.
    int64_t SteadyMs();

    // --- Advisory locks: instances of the program sharing a file take turns to rewrite it ---
    // flock(2).
    virtual int Flock(int fd, int operation);
    // Waits for the exclusive lock of the regular file at path (links followed) and gives the
    // descriptor that holds it, or -1 with errno when there is no such file or it cannot be locked.
    // The lock is on the file the name leads to once it is held: a file replaced by a rename in
    // the meantime is locked anew.
    int LockFile(const std::string& path);

    // --- Names given only to complete files ---
    // Moves from to the name to, never over an existing one (EEXIST): a hard link then the old
    // name removed; without hard links a rename that cannot replace; without that either, a
    // check then a rename. The folders are not flushed.
    SysStatus MoveNoReplace(const std::string& from, const std::string& to);
    // True when files made by O_TMPFILE can later be named here (LinkOpenFile needs /proc).
    bool CanNameOpenFiles();
    // A temporary name beside path that says whose it is: path.lumivex-PID-TAG@HOST.tmp (the name
    // part cut so that the whole stays a valid name).
    std::string OwnTempName(const std::string& path);
    // Removes the files in folder that OwnTempName made for a process of this machine that is gone
    // (a run killed before it could clean up); the others' are left alone. The number removed.
    int RemoveStaleTemps(const std::string& folder);
};

// Holds the lock of LockFile for its lifetime. Without a lock (no file yet, a file system that
// has none) the work goes on as it would without a second instance.
class FileLock {
public:
    FileLock(SystemPort& port, const std::string& path) : port_(port), fd_(port.LockFile(path)) {}
    ~FileLock() {
        if (fd_ >= 0) port_.Close(fd_); // closing the last descriptor releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return fd_ >= 0; }

private:
    SystemPort& port_;
    int fd_;
};

// What a file was when a reader met its end: the same name later naming another file, or this
// one changed (grown, rewritten), no longer matches.
struct FileIdentity {
    bool known = false;
    dev_t device = 0;
    ino_t inode = 0;
    int64_t size = 0;
    struct timespec modified {};
    // The file behind the open descriptor fd, of which size bytes were read.
    static FileIdentity Of(int fd, int64_t size);
    // True when path (links followed) is still that file, at that size and modification time.
    bool StillAt(SystemPort& port, const std::string& path) const;
};

// Six random letters and digits, for a name nobody else has.
std::string RandomTag();

// The real system; stateless, so one serves everyone.
SystemPort& RealPort();

} // namespace lmx
