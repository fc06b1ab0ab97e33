#include "common/UDurable.h"

#include "common/Cp1252.h"
#include "common/UCommuns.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace lmx {

int IFileSys::Open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t IFileSys::Write(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }
int IFileSys::Fsync(int fd) { return ::fsync(fd); }
int IFileSys::Close(int fd) { return ::close(fd); }
int IFileSys::Rename(const char* from, const char* to) { return ::rename(from, to); }
int IFileSys::Unlink(const char* path) { return ::unlink(path); }

IFileSys& SystemFileSys() {
    static IFileSys sys; // stateless: every call goes straight to the system
    return sys;
}

std::string SysErrorText(int err) { return Utf8ToCp1252(std::strerror(err)); }

namespace {

// A name that stands for a descriptor the program already holds: written through a copy of it,
// so that a shell's ">>" keeps appending and a terminal stays a terminal.
int DescriptorOf(const std::string& path) {
    if (path == "/dev/stdout") return 1;
    if (path == "/dev/stderr") return 2;
    for (const std::string_view prefix : {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/")}) {
        if (path.compare(0, prefix.size(), prefix) != 0 || path.size() == prefix.size()) continue;
        int n = 0;
        for (std::size_t i = prefix.size(); i < path.size(); ++i) {
            if (path[i] < '0' || path[i] > '9' || n > 100000) return -1;
            n = n * 10 + (path[i] - '0');
        }
        return n;
    }
    return -1;
}

std::string RandomTag() {
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device rd;
    std::string tag(6, 'x');
    for (char& c : tag) c = kChars[rd() % (sizeof kChars - 1)];
    return tag;
}

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

bool NamesADescriptor(const std::string& path) { return DescriptorOf(path) >= 0; }

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
        fd = sys_.Open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
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

bool DurableFile::Open(const std::string& target, std::string& error, ITempFiles* temps) {
    Abandon();
    error.clear();
    temps_ = temps;
    if (target.empty()) {
        error = SysErrorText(ENOENT);
        return false;
    }
    if (const int fd = DescriptorOf(target); fd >= 0) return OpenDirect(target, fd, error);

    std::string real = target;
    bool keepMode = false;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            error = SysErrorText(EISDIR);
            return false;
        }
        if (!S_ISREG(st.st_mode)) return OpenDirect(target, -1, error);
        keepMode = true;
        struct stat lst {};
        if (::lstat(target.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
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
        if (temps_) temps_->Add(temp);
        const int fd = sys_.Open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (keepMode) (void)::fchmod(fd, st.st_mode & 07777);
            fd_ = fd;
            temp_ = temp;
            final_ = real;
            return true;
        }
        const int err = errno;
        if (temps_) temps_->Settle(temp, [] { return true; });
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
        const int r = sys_.Close(fd_);
        const int err = errno;
        Reset();
        if (r != 0) error = SysErrorText(err);
        return r == 0;
    }
    int err = 0;
    if (sys_.Fsync(fd_) != 0) err = errno;
    // The close is where some file systems report a failed write: it counts as one.
    if (sys_.Close(fd_) != 0 && err == 0) err = errno;
    fd_ = -1;
    if (err != 0) {
        error = SysErrorText(err);
        Abandon();
        return false;
    }
    auto step = [&] {
        if (sys_.Rename(temp_.c_str(), final_.c_str()) == 0) return true;
        err = errno;
        sys_.Unlink(temp_.c_str());
        return false;
    };
    const bool renamed = temps_ ? temps_->Settle(temp_, step) : step();
    const std::string folder = folder_;
    Reset();
    if (!renamed) {
        error = SysErrorText(err);
        return false;
    }
    if (!SyncFolder(folder, sys_)) {
        error = SysErrorText(errno);
        return false;
    }
    return true;
}

void DurableFile::Abandon() {
    if (fd_ >= 0) sys_.Close(fd_);
    if (!temp_.empty()) {
        const std::string temp = temp_;
        auto step = [&] { return sys_.Unlink(temp.c_str()) == 0; };
        if (temps_) temps_->Settle(temp, step);
        else step();
    }
    Reset();
}

bool SyncFolder(const std::string& folder, IFileSys& sys) {
    const int fd = sys.Open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return false;
    int r = sys.Fsync(fd);
    const int err = errno;
    sys.Close(fd);
    // Some file systems cannot flush a folder at all; there is nothing more to be had then.
    if (r != 0 && err == EINVAL) r = 0;
    errno = err;
    return r == 0;
}

bool WriteFileDurably(const std::string& path, std::string_view content, std::string& error, IFileSys& sys,
                      ITempFiles* temps) {
    DurableFile file(sys);
    if (!file.Open(path, error, temps)) return false;
    const char* p = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t put = sys.Write(file.Fd(), p, left);
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

std::string AbsolutePath(std::string_view path) {
    if (path.empty()) return {};
    std::string full;
    if (path.front() != '/') {
        std::error_code ec;
        const fs::path cwd = fs::current_path(ec);
        if (ec) return std::string(path);
        full = cwd.string() + "/";
    }
    full += path;
    std::string out;
    std::size_t i = 0;
    while (i < full.size()) {
        std::size_t end = full.find('/', i);
        if (end == std::string::npos) end = full.size();
        const std::string_view part(full.data() + i, end - i);
        if (!part.empty() && part != ".") {
            out += '/';
            out += part;
        }
        i = end + 1;
    }
    if (out.empty()) return "/";
    const bool folderLike = path.back() == '/' || path == "." || path.ends_with("/.");
    if (folderLike) out += '/';
    return out;
}

bool SameFile(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code ec;
    if (fs::equivalent(fs::path(a), fs::path(b), ec) && !ec) return true;
    ec.clear();
    const fs::path ca = fs::weakly_canonical(fs::path(a), ec);
    if (ec) return AbsolutePath(a) == AbsolutePath(b);
    const fs::path cb = fs::weakly_canonical(fs::path(b), ec);
    if (ec) return AbsolutePath(a) == AbsolutePath(b);
    return ca == cb;
}

} // namespace lmx
