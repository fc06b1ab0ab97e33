#include "common/SystemPort.h"

#include "common/Cp1252.h"
#include "common/Basics.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <cctype>
#include <climits>
#include <csignal>
#include <random>
#include <sys/file.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace lmx {

std::string SysErrorText(int err) { return Utf8ToCp1252(std::strerror(err)); }

int SystemPort::Open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t SystemPort::Write(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }
int SystemPort::Fsync(int fd) { return ::fsync(fd); }
int SystemPort::StartWriteback(int fd, int64_t offset, int64_t size) {
#ifdef __linux__
    return ::sync_file_range(fd, offset, size, SYNC_FILE_RANGE_WRITE);
#else
    (void)fd, (void)offset, (void)size;
    return 0;
#endif
}
int SystemPort::Close(int fd) { return ::close(fd); }
int SystemPort::Rename(const char* from, const char* to) { return ::rename(from, to); }
int SystemPort::Link(const char* from, const char* to) { return ::link(from, to); }
int SystemPort::Unlink(const char* path) { return ::unlink(path); }
int SystemPort::MakeFolder(const char* path, mode_t mode) { return ::mkdir(path, mode); }
int SystemPort::Stat(const char* path, struct stat& st, bool follow) {
    return follow ? ::stat(path, &st) : ::lstat(path, &st);
}

bool SystemPort::List(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    DIR* d = ::opendir(folder.empty() ? "." : folder.c_str());
    if (d == nullptr) return false;
    errno = 0;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name(e->d_name);
        if (name != "." && name != "..") names.emplace_back(name);
    }
    const int err = errno;
    ::closedir(d);
    errno = err;
    return err == 0;
}

bool SystemPort::Exists(const std::string& path) {
    struct stat st {};
    return !path.empty() && Stat(path.c_str(), st, false) == 0;
}

EntryKind SystemPort::KindOf(const std::string& path, bool follow) {
    struct stat st {};
    if (path.empty() || Stat(path.c_str(), st, follow) != 0) return EntryKind::None;
    if (S_ISREG(st.st_mode)) return EntryKind::File;
    if (S_ISDIR(st.st_mode)) return EntryKind::Folder;
    if (S_ISLNK(st.st_mode)) return EntryKind::Link;
    return EntryKind::Other;
}

bool SystemPort::SameEntry(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    return Stat(a.c_str(), sa, true) == 0 && Stat(b.c_str(), sb, true) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

int64_t SystemPort::SizeOf(const std::string& path) {
    struct stat st {};
    if (path.empty() || Stat(path.c_str(), st, true) != 0 || !S_ISREG(st.st_mode)) return 0;
    return static_cast<int64_t>(st.st_size);
}

int64_t SystemPort::FileSize(const std::string& path) {
    if (path.empty()) return 0;
    // One look for the usual case, a file under its own name: runs over thousands of sources ask.
    struct stat st {};
    if (Stat(path.c_str(), st, true) == 0) return S_ISREG(st.st_mode) ? static_cast<int64_t>(st.st_size) : 0;
    if (Exists(path)) return 0; // a link that leads nowhere
    const std::string name = ExtractFileName(path);
    if (name.find_first_of("*?") == std::string::npos) return 0;
    const std::string dir = ExtractFilePath(path);
    std::vector<std::string> names;
    List(dir.empty() ? "." : dir, names);
    std::vector<std::string> matches;
    for (std::string& entry : names)
        if (WildMatch(name, entry)) matches.push_back(std::move(entry));
    if (matches.empty()) return 0;
    return SizeOf((dir.empty() ? "./" : dir) + *std::min_element(matches.begin(), matches.end()));
}

SysStatus SystemPort::OpenForReading(const std::string& path, int& fd) {
    fd = Open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0);
    if (fd < 0) return {errno};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))) {
        Close(fd);
        fd = -1;
        return {EINVAL};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return {};
}

std::FILE* SystemPort::OpenStream(const std::string& path) {
    int fd = -1;
    if (const SysStatus s = OpenForReading(path, fd); !s.Ok()) {
        errno = s.code;
        return nullptr;
    }
    std::FILE* f = ::fdopen(fd, "rb");
    if (f == nullptr) {
        const int err = errno;
        Close(fd);
        errno = err;
    }
    return f;
}

SysStatus SystemPort::RemoveFile(const std::string& path, bool flushFolder) {
    struct stat st {};
    if (Stat(path.c_str(), st, true) != 0) return {errno};
    if (!S_ISREG(st.st_mode)) return {EINVAL};
    if (Unlink(path.c_str()) != 0) return {errno};
    if (flushFolder) SyncFolder(ExtractFilePath(path));
    return {};
}

SysStatus SystemPort::MakeFolders(const std::string& path, mode_t mode) {
    std::string at = path;
    while (at.size() > 1 && at.back() == '/') at.pop_back();
    if (at.empty() || KindOf(at) == EntryKind::Folder) return {};
    const std::string parent = ExtractFilePath(at);
    if (!parent.empty() && parent != at) {
        if (const SysStatus s = MakeFolders(parent); !s.Ok()) return s;
    }
    if (MakeFolder(at.c_str(), mode) != 0 && errno != EEXIST) return {errno};
    return KindOf(at) == EntryKind::Folder ? SysStatus{} : SysStatus{ENOTDIR};
}

bool SystemPort::SyncFolder(const std::string& folder) {
    const int fd = Open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return false;
    int r = Fsync(fd);
    const int err = errno;
    Close(fd);
    // Some file systems cannot flush a folder at all; there is nothing more to be had then.
    if (r != 0 && err == EINVAL) r = 0;
    errno = err;
    return r == 0;
}

int SystemPort::OpenUnnamed(const std::string& folder, const std::string& prefix) {
#ifdef O_TMPFILE
    const int fd = Open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) return fd;
#endif
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = IncludeTrailingSlash(folder) + prefix + RandomTag();
        const int named = Open(name.c_str(), O_CREAT | O_EXCL | O_NOFOLLOW | O_RDWR | O_CLOEXEC, 0600);
        if (named >= 0) {
            Unlink(name.c_str());
            return named;
        }
        if (errno != EEXIST) return -1;
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

int SystemPort::Flock(int fd, int operation) { return ::flock(fd, operation); }

int SystemPort::LockFile(const std::string& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = Open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0);
        if (fd < 0) return -1;
        struct stat held {};
        if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
            Close(fd);
            errno = EINVAL;
            return -1;
        }
        int r = 0;
        while ((r = Flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (r != 0) {
            const int err = errno;
            Close(fd);
            errno = err;
            return -1;
        }
        // The holder before us may have put a new file under the name: that one is the one to lock.
        struct stat now {};
        if (Stat(path.c_str(), now, true) == 0 && now.st_dev == held.st_dev && now.st_ino == held.st_ino) return fd;
        Close(fd);
    }
    errno = EAGAIN;
    return -1;
}

SystemPort& RealPort() {
    static SystemPort port; // stateless: every call goes straight to the system
    return port;
}

} // namespace lmx
