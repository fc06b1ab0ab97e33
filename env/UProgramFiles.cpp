#include "env/UProgramFiles.h"

#include "common/Cp1252.h"
#include "common/UCommuns.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace lmx {

namespace {

// The files read at start that a user folder begins with. The log is only ever written.
constexpr const char* kSeeded[] = {"Lumivex.prm", "Lumivex.fmt", "Lumivex.old"};

std::string Reason(int err) { return Utf8ToCp1252(std::strerror(err)); }

bool IsFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool SyncFolder(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// Copies from to the name to, whole or not at all: a temporary file in the same folder, flushed to
// disk, then linked to its name (never over a file that appeared meanwhile) and the folder flushed.
bool CopyWhole(const std::string& from, const std::string& to, std::string& error) {
    std::FILE* in = OpenForReading(from);
    if (!in) {
        error = from + " : " + Reason(errno);
        return false;
    }
    std::string tmp = to + ".XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        error = to + " : " + Reason(errno);
        std::fclose(in);
        return false;
    }
    char buf[65536];
    int err = 0;
    for (;;) {
        const std::size_t n = std::fread(buf, 1, sizeof buf, in);
        for (std::size_t done = 0; done < n && !err;) {
            const ssize_t w = ::write(fd, buf + done, n - done);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) err = w < 0 ? errno : EIO;
            else done += static_cast<std::size_t>(w);
        }
        if (err || n < sizeof buf) break;
    }
    if (!err && std::ferror(in)) err = EIO;
    std::fclose(in);
    if (!err && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && !err) err = errno;
    if (!err && ::link(tmp.c_str(), to.c_str()) != 0 && errno != EEXIST) err = errno;
    ::unlink(tmp.c_str());
    if (!err && !SyncFolder(ExtractFilePath(to))) err = errno ? errno : EIO;
    if (err) {
        error = to + " : " + Reason(err);
        return false;
    }
    return true;
}

// The user's configuration folder of the program, made when missing (private to the user).
bool MakeUserFolder(const std::string& dir, std::string& error) {
    std::error_code ec;
    const fs::path parent = fs::path(dir).parent_path().parent_path(); // dir ends with "/"
    fs::create_directories(parent, ec);
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
        error = dir + " : " + Reason(errno);
        return false;
    }
    if (!fs::is_directory(dir, ec)) {
        error = dir + " : " + Reason(ENOTDIR);
        return false;
    }
    return true;
}

} // namespace

bool FolderIsWritable(const std::string& dir) {
    const std::string base = IncludeTrailingSlash(dir) + ".Lumivex-probe-" + std::to_string(::getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string probe = base + "-" + std::to_string(attempt);
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(probe.c_str());
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

ProgramFilesDir ChooseProgramFilesDir(const std::string& programDir, const char* xdgConfigHome, const char* home) {
    if (FolderIsWritable(programDir)) return ProgramFilesDir{IncludeTrailingSlash(programDir), false, {}};
    return UserFilesDir(programDir, xdgConfigHome, home);
}

ProgramFilesDir UserFilesDir(const std::string& programDir, const char* xdgConfigHome, const char* home) {
    ProgramFilesDir r;
    r.dir = IncludeTrailingSlash(programDir);

    // A relative XDG_CONFIG_HOME is to be ignored: it would depend on the current folder.
    std::string base;
    if (xdgConfigHome && xdgConfigHome[0] == '/') base = xdgConfigHome;
    else if (home && home[0] != '\0') base = IncludeTrailingSlash(home) + ".config";
    if (base.empty()) {
        r.error = "the program's folder " + r.dir + " cannot be written and HOME is not set";
        return r;
    }
    const std::string user = IncludeTrailingSlash(base) + "Lumivex/";
    std::string error;
    if (!MakeUserFolder(user, error)) {
        r.error = error;
        return r;
    }
    for (const char* name : kSeeded) {
        const std::string from = r.dir + name, to = user + name;
        if (!IsFile(from) || EntryExists(to)) continue;
        if (!CopyWhole(from, to, error)) {
            r.error = error;
            return r;
        }
    }
    r.dir = user;
    r.userFolder = true;
    return r;
}

std::string LanguageFileName(std::string_view programPath) {
    return ExtractFileName(ChangeFileExt(programPath, ".lng"));
}

std::string LanguageFilePath(const std::string& filesDir, const std::string& programDir, std::string_view name) {
    const std::string own = IncludeTrailingSlash(filesDir) + std::string(name);
    return IsFile(own) ? own : IncludeTrailingSlash(programDir) + std::string(name);
}

} // namespace lmx
