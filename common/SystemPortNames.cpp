// The port's side of results that reach their name only when complete: linking without
// replacing, the temporary files a killed run leaves, and whether a source is still the file read.
#include "common/SystemPort.h"

#include "common/Basics.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace lmx {

// --- Names given only to complete files ---

int SystemPort::LinkOpenFile(int fd, const char* to) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, to, AT_SYMLINK_FOLLOW);
}

int SystemPort::RenameNoReplace(const char* from, const char* to) {
#if defined(SYS_renameat2) && defined(RENAME_NOREPLACE)
    return static_cast<int>(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
#else
    (void)from, (void)to;
    errno = ENOSYS;
    return -1;
#endif
}

SysStatus SystemPort::MoveNoReplace(const std::string& from, const std::string& to) {
    if (Link(from.c_str(), to.c_str()) == 0) {
        if (Unlink(from.c_str()) != 0) {
            const int err = errno;
            Unlink(to.c_str()); // leave things as they were
            return {err};
        }
    } else if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) {
        return {errno};
    } else if (RenameNoReplace(from.c_str(), to.c_str()) != 0) {
        if (errno != EINVAL && errno != ENOSYS) return {errno};
        // Neither: the best left is to look just before.
        if (Exists(to)) return {EEXIST};
        if (Rename(from.c_str(), to.c_str()) != 0) return {errno};
    }
    return {};
}

bool SystemPort::CanNameOpenFiles() { return KindOf("/proc/self/fd") == EntryKind::Folder; }

namespace {

constexpr std::string_view kTempMark = ".lumivex-";

// This machine's name as it may stand in a file name.
std::string HostTag() {
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0 || host[0] == '\0') return "localhost";
    std::string tag(host);
    if (tag.size() > 64) tag.resize(64);
    for (char& c : tag)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.')) c = '_';
    return tag;
}

// The pid in a name made by OwnTempName for this host; 0 for any other name.
long OwnerOf(std::string_view name, std::string_view host) {
    const std::string tail = "@" + std::string(host) + ".tmp";
    if (name.size() <= tail.size() || name.substr(name.size() - tail.size()) != tail) return 0;
    name.remove_suffix(tail.size());
    const std::size_t mark = name.rfind(kTempMark);
    if (mark == std::string_view::npos) return 0;
    name.remove_prefix(mark + kTempMark.size()); // PID-TAG
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > 10 || name.size() - dash - 1 != 6) return 0;
    long pid = 0;
    for (const char c : name.substr(0, dash)) {
        if (c < '0' || c > '9') return 0;
        pid = pid * 10 + (c - '0');
    }
    for (const char c : name.substr(dash + 1))
        if (!std::isalnum(static_cast<unsigned char>(c))) return 0;
    return pid <= INT_MAX ? pid : 0;
}

} // namespace

std::string SystemPort::OwnTempName(const std::string& path) {
    const std::string tail =
        std::string(kTempMark) + std::to_string(::getpid()) + "-" + RandomTag() + "@" + HostTag() + ".tmp";
    std::string name = ExtractFileName(path);
    // The longest name a folder takes is 255 bytes.
    if (name.size() + tail.size() > 255) name.resize(255 - tail.size());
    return ExtractFilePath(path) + name + tail;
}

int SystemPort::RemoveStaleTemps(const std::string& folder) {
    std::vector<std::string> names;
    if (!List(folder.empty() ? "." : folder, names)) return 0;
    const std::string host = HostTag();
    int removed = 0;
    for (const std::string& name : names) {
        const long pid = OwnerOf(name, host);
        if (pid <= 0 || pid == ::getpid()) continue;
        // Alive, or someone else's whom we may not signal: theirs to finish.
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        const std::string path = IncludeTrailingSlash(folder) + name;
        struct stat st {};
        if (Stat(path.c_str(), st, false) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
        if (Unlink(path.c_str()) == 0) ++removed;
    }
    return removed;
}

FileIdentity FileIdentity::Of(int fd, int64_t size) {
    FileIdentity id;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return id;
    id.known = true;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = size;
    id.modified = st.st_mtim;
    return id;
}

bool FileIdentity::StillAt(SystemPort& port, const std::string& path) const {
    struct stat st {};
    return known && port.Stat(path.c_str(), st, true) == 0 && st.st_dev == device && st.st_ino == inode &&
           static_cast<int64_t>(st.st_size) == size && st.st_mtim.tv_sec == modified.tv_sec &&
           st.st_mtim.tv_nsec == modified.tv_nsec;
}

} // namespace lmx
