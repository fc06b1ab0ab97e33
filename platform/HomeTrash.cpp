#include "platform/HomeTrash.h"

#include "common/Basics.h"
#include "common/DurableFile.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lmx {

namespace {

// Creates the folder and its missing parents, private to the user as the specification asks.
bool MakeFolders(const std::string& path) {
    std::size_t from = 1;
    for (;;) {
        const std::size_t slash = path.find('/', from);
        const std::string part = path.substr(0, slash);
        struct stat st {};
        if (::mkdir(part.c_str(), 0700) != 0 && !(::stat(part.c_str(), &st) == 0 && S_ISDIR(st.st_mode)))
            return false;
        if (slash == std::string::npos || slash + 1 == path.size()) return true;
        from = slash + 1;
    }
}

// The path as the specification's "Path=" key wants it: bytes outside the unreserved set escaped.
std::string UrlEscaped(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                           c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string LocalDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm t {};
    localtime_r(&now, &t);
    char buf[64];
    const std::size_t n = std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &t);
    return std::string(buf, n);
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

HomeTrash::HomeTrash(const std::string& dataHome) {
    if (!dataHome.empty() && dataHome.front() == '/') trash_ = IncludeTrailingSlash(dataHome) + "Trash";
}

HomeTrash HomeTrash::ForUser() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') return HomeTrash(data);
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return HomeTrash(IncludeTrailingSlash(home) + ".local/share");
    return HomeTrash(std::string());
}

bool HomeTrash::MoveToTrash(const std::string& path) {
    if (trash_.empty() || path.empty()) return false;
    const std::string files = trash_ + "/files/";
    const std::string info = trash_ + "/info/";
    struct stat src {}, dst {};
    if (::lstat(path.c_str(), &src) != 0 || S_ISDIR(src.st_mode)) return false;
    // Another file system would need a copy; that is not this trash's business. The nearest folder
    // that exists on the way tells, before anything is created for nothing.
    std::string probe = trash_;
    while (::stat(probe.c_str(), &dst) != 0 && probe.size() > 1) probe = ExtractFilePath(probe.substr(0, probe.size() - 1));
    if (dst.st_dev != src.st_dev) return false;
    if (!MakeFolders(trash_) || !MakeFolders(files) || !MakeFolders(info)) return false;
    if (::stat(files.c_str(), &dst) != 0 || dst.st_dev != src.st_dev) return false;

    const std::string full = AbsolutePath(path);
    const std::string name = ExtractFileName(full);
    const std::string ext = ExtractFileExt(name);
    const std::string stem = name.substr(0, name.size() - ext.size());
    for (int n = 1; n < 10000; ++n) {
        const std::string entry = n == 1 ? name : stem + "." + std::to_string(n) + ext;
        const std::string record = info + entry + ".trashinfo";
        // The record is made first and exclusively: it reserves the name against any other program.
        const int fd = ::open(record.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        struct stat taken {};
        if (::lstat((files + entry).c_str(), &taken) == 0) {
            ::close(fd);
            ::unlink(record.c_str());
            continue;
        }
        const std::string text =
            "[Trash Info]\nPath=" + UrlEscaped(full) + "\nDeletionDate=" + LocalDateTime() + "\n";
        const bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
        const bool closed = ::close(fd) == 0;
        if (!written || !closed || ::rename(full.c_str(), (files + entry).c_str()) != 0) {
            ::unlink(record.c_str());
            return false;
        }
        SyncFolder(info);
        SyncFolder(files);
        SyncFolder(ExtractFilePath(full));
        return true;
    }
    return false;
}

} // namespace lmx
