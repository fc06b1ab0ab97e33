#include "env/ProgramFiles.h"

#include "common/Basics.h"
#include "common/DurableFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace lmx {

namespace {

// The files read at start that a user folder begins with. The log is only ever written.
constexpr const char* kSeeded[] = {"Lumivex.prm", "Lumivex.fmt", "Lumivex.old"};

// The user's configuration folder of the program, made when missing (private to the user).
bool MakeUserFolder(const std::string& dir, std::string& error, SystemPort& port) {
    // The folders above: whatever goes wrong there shows when the folder itself is made.
    (void)port.MakeFolders(ExtractFilePath(dir.substr(0, dir.size() - 1))); // dir ends with "/"
    SysStatus made;
    if (port.MakeFolder(dir.c_str(), 0700) != 0 && errno != EEXIST) made = {errno};
    if (made.Ok() && port.KindOf(dir) != EntryKind::Folder) made = {ENOTDIR};
    if (!made.Ok()) error = dir + " : " + made.Reason();
    return made.Ok();
}

} // namespace

bool FolderIsWritable(const std::string& dir, SystemPort& port) {
    const std::string base = IncludeTrailingSlash(dir) + ".Lumivex-probe-" + std::to_string(::getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string probe = base + "-" + std::to_string(attempt);
        const int fd = port.Open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            port.Close(fd);
            port.Unlink(probe.c_str());
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

ProgramFilesDir ChooseProgramFilesDir(const std::string& programDir, const char* xdgConfigHome, const char* home,
                                      SystemPort& port) {
    if (FolderIsWritable(programDir, port)) return ProgramFilesDir{IncludeTrailingSlash(programDir), false, {}};
    return UserFilesDir(programDir, xdgConfigHome, home, port);
}

ProgramFilesDir UserFilesDir(const std::string& programDir, const char* xdgConfigHome, const char* home,
                             SystemPort& port) {
    ProgramFilesDir r;
    r.dir = IncludeTrailingSlash(programDir);

    // A relative XDG_CONFIG_HOME is to be ignored: it would depend on the current folder.
    std::string base;
    if (xdgConfigHome && xdgConfigHome[0] == '/') base = xdgConfigHome;
    else if (home && home[0] != '\0') base = IncludeTrailingSlash(home) + ".config";
    if (base.empty()) {
        r.status = {StatusCode::FilesNoHome, "the program's folder " + r.dir + " cannot be written and HOME is not set"};
        return r;
    }
    const std::string user = IncludeTrailingSlash(base) + "Lumivex/";
    std::string error;
    if (!MakeUserFolder(user, error, port)) {
        r.status = {StatusCode::FilesCannotMakeFolder, error};
        return r;
    }
    for (const char* name : kSeeded) {
        const std::string from = r.dir + name, to = user + name;
        if (port.KindOf(from) != EntryKind::File || port.Exists(to)) continue;
        if (!CopyFileWhole(from, to, 0600, error, port)) {
            r.status = {StatusCode::FilesCannotSeed, error};
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

std::string LanguageFilePath(const std::string& filesDir, const std::string& programDir, std::string_view name,
                             SystemPort& port) {
    const std::string own = IncludeTrailingSlash(filesDir) + std::string(name);
    return port.KindOf(own) == EntryKind::File ? own : IncludeTrailingSlash(programDir) + std::string(name);
}

} // namespace lmx
