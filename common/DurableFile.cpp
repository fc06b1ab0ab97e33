#include "common/DurableFile.h"

#include "common/Basics.h"
#include "common/Paths.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace lmx {

namespace {

// The name a link that leads nowhere yet stands for (the end of its chain), so that the file is
// made there and the link stays; any other missing name is its own end. 0, or the error number.
int LinkEnd(const std::string& target, std::string& end) {
    fs::path at(target);
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(at, ec))) {
            end = at.string();
            return 0;
        }
        const fs::path next = fs::read_symlink(at, ec);
        if (ec) return ec.value();
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return ELOOP;
}

// A file system that cannot make a file without a name says so with one of these.
bool NoUnnamedFiles(int err) { return err == EOPNOTSUPP || err == EISDIR || err == EINVAL || err == ENOSYS; }

} // namespace

DurableFile::~DurableFile() { Abandon(); }

void DurableFile::Reset() {
    fd_ = -1;
    direct_ = false;
    unnamed_ = false;
    temp_.clear();
    final_.clear();
    folder_.clear();
}

bool DurableFile::Fail(int err, std::string& error) {
    errNo_ = err;
    error = SysErrorText(err);
    return false;
}

bool DurableFile::OpenDirect(const std::string& target, int fdToCopy, std::string& error) {
    int fd = -1;
    if (fdToCopy >= 0) {
        fd = ::fcntl(fdToCopy, F_DUPFD_CLOEXEC, 3);
    } else {
        // Without O_NONBLOCK a FIFO nobody reads would hold the program in open() for ever.
        fd = port_.Open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
        if (fd < 0 && errno == ENXIO) {
            errNo_ = ENXIO;
            error = "no process reads this FIFO";
            return false;
        }
        if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    if (fd < 0) return Fail(errno, error);
    fd_ = fd;
    direct_ = true;
    final_ = target;
    return true;
}

bool DurableFile::Open(const std::string& target, std::string& error, bool mayReplace) {
    Abandon();
    error.clear();
    errNo_ = 0;
    mayReplace_ = mayReplace;
    if (target.empty()) return Fail(ENOENT, error);
    if (const int fd = DescriptorOf(target); fd >= 0) return OpenDirect(target, fd, error);

    std::string real = target;
    bool keepMode = false;
    struct stat st {};
    if (port_.Stat(target.c_str(), st, true) == 0) {
        if (S_ISDIR(st.st_mode)) return Fail(EISDIR, error);
        if (!S_ISREG(st.st_mode)) return OpenDirect(target, -1, error);
        keepMode = true;
        struct stat lst {};
        if (port_.Stat(target.c_str(), lst, false) == 0 && S_ISLNK(lst.st_mode)) {
            // The link stays; the file it names gets the new content.
            std::error_code ec;
            real = fs::canonical(fs::path(target), ec).string();
            if (ec) return Fail(ec.value(), error);
        }
    } else if (errno != ENOENT) {
        return Fail(errno, error);
    } else if (const int err = LinkEnd(target, real)) {
        return Fail(err, error);
    }

    folder_ = ExtractFilePath(real);
    final_ = real;
    // What runs killed before their end left here goes first.
    port_.RemoveStaleTemps(folder_);
#ifdef O_TMPFILE
    if (port_.CanNameOpenFiles()) {
        const char* in = folder_.empty() ? "." : folder_.c_str();
        const int fd = port_.Open(in, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (keepMode) (void)::fchmod(fd, st.st_mode & 07777);
            fd_ = fd;
            unnamed_ = true;
            return true;
        }
        if (!NoUnnamedFiles(errno)) {
            const int err = errno;
            Reset();
            return Fail(err, error);
        }
    }
#endif
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = port_.OwnTempName(real);
        port_.TempCreated(temp);
        const int fd = port_.Open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (keepMode) (void)::fchmod(fd, st.st_mode & 07777);
            fd_ = fd;
            temp_ = temp;
            return true;
        }
        const int err = errno;
        port_.TempSettled(temp, [] { return true; });
        if (err != EEXIST) {
            Reset();
            return Fail(err, error);
        }
    }
    Reset();
    return Fail(EEXIST, error);
}

int DurableFile::CommitUnnamed() {
    int err = 0;
    if (!mayReplace_) {
        // The name is given only when nobody has it: a file that came meanwhile stays.
        const bool linked = port_.LinkOpenFile(fd_, final_.c_str()) == 0;
        if (!linked) err = errno;
        // The close is where some file systems report a failed write: it counts as one.
        if (port_.Close(fd_) != 0 && linked) {
            err = errno;
            port_.Unlink(final_.c_str());
        }
        fd_ = -1;
        return err;
    }
    // A name of its own first, then renamed onto the name in one step: the name is never without
    // a whole content.
    for (int attempt = 0; attempt < 100 && temp_.empty(); ++attempt) {
        const std::string temp = port_.OwnTempName(final_);
        port_.TempCreated(temp);
        if (port_.LinkOpenFile(fd_, temp.c_str()) == 0) {
            temp_ = temp;
            break;
        }
        err = errno;
        port_.TempSettled(temp, [] { return true; });
        if (err != EEXIST) break;
    }
    if (port_.Close(fd_) != 0 && err == 0) err = errno;
    fd_ = -1;
    if (temp_.empty()) return err != 0 ? err : EEXIST;
    const bool renamed = port_.TempSettled(temp_, [&] {
        if (err == 0 && port_.Rename(temp_.c_str(), final_.c_str()) == 0) return true;
        if (err == 0) err = errno;
        port_.Unlink(temp_.c_str());
        return false;
    });
    return renamed ? 0 : err;
}

int DurableFile::CommitNamed() {
    int err = 0;
    if (port_.Close(fd_) != 0) err = errno;
    fd_ = -1;
    const bool moved = port_.TempSettled(temp_, [&] {
        if (err == 0) {
            if (mayReplace_) {
                if (port_.Rename(temp_.c_str(), final_.c_str()) == 0) return true;
                err = errno;
            } else {
                const SysStatus s = port_.MoveNoReplace(temp_, final_);
                if (s.Ok()) return true;
                err = s.code;
            }
        }
        port_.Unlink(temp_.c_str());
        return false;
    });
    return moved ? 0 : err;
}

bool DurableFile::Commit(std::string& error) {
    error.clear();
    errNo_ = 0;
    if (fd_ < 0) return Fail(EBADF, error);
    if (direct_) {
        const int r = port_.Close(fd_);
        const int err = errno;
        Reset();
        return r == 0 || Fail(err, error);
    }
    if (port_.Fsync(fd_) != 0) {
        const int err = errno;
        Abandon();
        return Fail(err, error);
    }
    const int err = unnamed_ ? CommitUnnamed() : CommitNamed();
    const std::string folder = folder_;
    Reset();
    if (err != 0) return Fail(err, error);
    if (!port_.SyncFolder(folder)) return Fail(errno, error);
    return true;
}

void DurableFile::Abandon() {
    if (fd_ >= 0) port_.Close(fd_);
    if (!temp_.empty()) {
        const std::string temp = temp_;
        port_.TempSettled(temp, [&] { return port_.Unlink(temp.c_str()) == 0; });
    }
    Reset();
}

bool CopyFileWhole(const std::string& from, const std::string& to, mode_t mode, std::string& error,
                   SystemPort& port) {
    // Whatever has the name already stays: the copy is not needed.
    if (port.Exists(to)) return true;
    std::FILE* in = port.OpenStream(from);
    if (!in) {
        error = from + " : " + SysErrorText(errno);
        return false;
    }
    DurableFile file(port);
    std::string reason;
    if (!file.Open(to, reason, false)) {
        error = to + " : " + reason;
        std::fclose(in);
        return false;
    }
    (void)::fchmod(file.Fd(), mode & 07777);
    char buf[65536];
    int err = 0;
    for (;;) {
        const std::size_t n = std::fread(buf, 1, sizeof buf, in);
        for (std::size_t done = 0; done < n && !err;) {
            const ssize_t w = port.Write(file.Fd(), buf + done, n - done);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) err = w < 0 ? errno : EIO;
            else done += static_cast<std::size_t>(w);
        }
        if (err || n < sizeof buf) break;
    }
    if (!err && std::ferror(in)) err = EIO;
    std::fclose(in);
    if (err) {
        file.Abandon();
        error = to + " : " + SysErrorText(err);
        return false;
    }
    if (!file.Commit(reason) && file.ErrorNo() != EEXIST) {
        error = to + " : " + reason;
        return false;
    }
    return true;
}

bool SyncFolder(const std::string& folder, SystemPort& port) { return port.SyncFolder(folder); }

bool WriteFileDurably(const std::string& path, std::string_view content, std::string& error, SystemPort& port,
                      bool mayReplace) {
    DurableFile file(port);
    if (!file.Open(path, error, mayReplace)) return false;
    const char* p = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t put = port.Write(file.Fd(), p, left);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            error = SysErrorText(put < 0 ? errno : EIO);
            file.Abandon();
            return false;
        }
        p += put;
        left -= static_cast<std::size_t>(put);
    }
    return file.Commit(error);
}

} // namespace lmx
