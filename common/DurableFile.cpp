#include "common/DurableFile.h"

#include "common/UCommuns.h"
#include "common/UPaths.h"

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
// made there and the link stays; any other missing name is its own end.
bool LinkEnd(const std::string& target, std::string& end, std::string& error) {
    fs::path at(target);
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(at, ec))) {
            end = at.string();
            return true;
        }
        const fs::path next = fs::read_symlink(at, ec);
        if (ec) {
            error = SysErrorText(ec.value());
            return false;
        }
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    error = SysErrorText(ELOOP);
    return false;
}

} // namespace

DurableFile::~DurableFile() { Abandon(); }

void DurableFile::Reset() {
    fd_ = -1;
    direct_ = false;
    temp_.clear();
    final_.clear();
    folder_.clear();
}

bool DurableFile::OpenDirect(const std::string& target, int fdToCopy, std::string& error) {
    int fd = -1;
    if (fdToCopy >= 0) {
        fd = ::fcntl(fdToCopy, F_DUPFD_CLOEXEC, 3);
    } else {
        // Without O_NONBLOCK a FIFO nobody reads would hold the program in open() for ever.
        fd = port_.Open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
        if (fd < 0 && errno == ENXIO) {
            error = "no process reads this FIFO";
            return false;
        }
        if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    if (fd < 0) {
        error = SysErrorText(errno);
        return false;
    }
    fd_ = fd;
    direct_ = true;
    final_ = target;
    return true;
}

bool DurableFile::Open(const std::string& target, std::string& error) {
    Abandon();
    error.clear();
    if (target.empty()) {
        error = SysErrorText(ENOENT);
        return false;
    }
    if (const int fd = DescriptorOf(target); fd >= 0) return OpenDirect(target, fd, error);

    std::string real = target;
    bool keepMode = false;
    struct stat st {};
    if (port_.Stat(target.c_str(), st, true) == 0) {
        if (S_ISDIR(st.st_mode)) {
            error = SysErrorText(EISDIR);
            return false;
        }
        if (!S_ISREG(st.st_mode)) return OpenDirect(target, -1, error);
        keepMode = true;
        struct stat lst {};
        if (port_.Stat(target.c_str(), lst, false) == 0 && S_ISLNK(lst.st_mode)) {
            // The link stays; the file it names gets the new content.
            std::error_code ec;
            real = fs::canonical(fs::path(target), ec).string();
            if (ec) {
                error = SysErrorText(ec.value());
                return false;
            }
        }
    } else if (errno != ENOENT) {
        error = SysErrorText(errno);
        return false;
    } else if (!LinkEnd(target, real, error)) {
        return false;
    }

    folder_ = ExtractFilePath(real);
    std::string name = ExtractFileName(real);
    if (name.size() > 200) name.resize(200); // room for the tag within the longest name
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = folder_ + name + "." + RandomTag() + ".tmp";
        port_.TempCreated(temp);
        const int fd = port_.Open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (keepMode) (void)::fchmod(fd, st.st_mode & 07777);
            fd_ = fd;
            temp_ = temp;
            final_ = real;
            return true;
        }
        const int err = errno;
        port_.TempSettled(temp, [] { return true; });
        if (err != EEXIST) {
            error = SysErrorText(err);
            folder_.clear();
            return false;
        }
    }
    error = SysErrorText(EEXIST);
    folder_.clear();
    return false;
}

bool DurableFile::Commit(std::string& error) {
    error.clear();
    if (fd_ < 0) {
        error = SysErrorText(EBADF);
        return false;
    }
    if (direct_) {
        const int r = port_.Close(fd_);
        const int err = errno;
        Reset();
        if (r != 0) error = SysErrorText(err);
        return r == 0;
    }
    int err = 0;
    if (port_.Fsync(fd_) != 0) err = errno;
    // The close is where some file systems report a failed write: it counts as one.
    if (port_.Close(fd_) != 0 && err == 0) err = errno;
    fd_ = -1;
    if (err != 0) {
        error = SysErrorText(err);
        Abandon();
        return false;
    }
    auto step = [&] {
        if (port_.Rename(temp_.c_str(), final_.c_str()) == 0) return true;
        err = errno;
        port_.Unlink(temp_.c_str());
        return false;
    };
    const bool renamed = port_.TempSettled(temp_, step);
    const std::string folder = folder_;
    Reset();
    if (!renamed) {
        error = SysErrorText(err);
        return false;
    }
    if (!port_.SyncFolder(folder)) {
        error = SysErrorText(errno);
        return false;
    }
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
    std::FILE* in = port.OpenStream(from);
    if (!in) {
        error = from + " : " + SysErrorText(errno);
        return false;
    }
    int fd = -1;
    std::string temp;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = to + "." + RandomTag();
        port.TempCreated(temp);
        fd = port.Open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            const int err = errno;
            port.TempSettled(temp, [] { return true; });
            errno = err;
            if (err != EEXIST) break;
        }
    }
    if (fd < 0) {
        error = to + " : " + SysErrorText(errno);
        std::fclose(in);
        return false;
    }
    (void)::fchmod(fd, mode & 07777);
    char buf[65536];
    int err = 0;
    for (;;) {
        const std::size_t n = std::fread(buf, 1, sizeof buf, in);
        for (std::size_t done = 0; done < n && !err;) {
            const ssize_t w = port.Write(fd, buf + done, n - done);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) err = w < 0 ? errno : EIO;
            else done += static_cast<std::size_t>(w);
        }
        if (err || n < sizeof buf) break;
    }
    if (!err && std::ferror(in)) err = EIO;
    std::fclose(in);
    if (!err && port.Fsync(fd) != 0) err = errno;
    if (port.Close(fd) != 0 && !err) err = errno;
    port.TempSettled(temp, [&] {
        if (!err && port.Link(temp.c_str(), to.c_str()) != 0 && errno != EEXIST) err = errno;
        port.Unlink(temp.c_str());
        return err == 0;
    });
    if (!err && !port.SyncFolder(ExtractFilePath(to))) err = errno ? errno : EIO;
    if (err) {
        error = to + " : " + SysErrorText(err);
        return false;
    }
    return true;
}

bool SyncFolder(const std::string& folder, SystemPort& port) { return port.SyncFolder(folder); }

bool WriteFileDurably(const std::string& path, std::string_view content, std::string& error, SystemPort& port) {
    DurableFile file(port);
    if (!file.Open(path, error)) return false;
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
