#include "core/ConversionFiles.h"

#include "common/Basics.h"
#include "common/Paths.h"
#include "env/Settings.h"

#include <cerrno>
#include <fcntl.h>

namespace lmx {

bool IsOneOfSources(SystemPort& port, const std::string& path, const std::vector<std::string>& sources) {
    // The result is looked at once, not once per source.
    struct stat out {};
    const bool outExists = port.Stat(path.c_str(), out, true) == 0;
    for (const auto& src : sources) {
        if (IsStdInSource(src)) {
            // Appending to the file being read would chase its own lines; a terminal or a pipe
            // shared by both ends is no file.
            if (port.KindOf("/dev/stdin") == EntryKind::File && SameFile(path, "/dev/stdin")) return true;
            continue;
        }
        if (src == path) return true;
        struct stat st {};
        if (outExists && port.Stat(src.c_str(), st, true) == 0 && st.st_dev == out.st_dev && st.st_ino == out.st_ino)
            return true;
    }
    return false;
}

int SourceError(SystemPort& port, const std::string& path) {
    struct stat st {};
    if (port.Stat(path.c_str(), st, true) != 0) return errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    // Opening a FIFO would wake or wait for its writer; a device is no file of lines.
    if (!S_ISREG(st.st_mode)) return EINVAL;
    const int fd = port.Open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0);
    if (fd < 0) return errno;
    port.Close(fd);
    return 0;
}

void FolderFlushes::Add(const std::string& folder) { folders_.insert(folder); }

bool FolderFlushes::FlushAll() {
    bool ok = true;
    for (const std::string& folder : folders_) ok = port_.SyncFolder(folder) && ok;
    folders_.clear();
    return ok;
}

std::string ResultPathFor(const Params& prm, const std::string& source, std::string& dir) {
    const std::string& added = prm.settings.addedText;
    const std::string ext = ResultExtension(prm.settings, source);
    const std::string mrd = prm.settings.resultFolder.value_or("");
    // No folder of its own (results beside their source, or a folder since removed): the source's.
    dir = IncludeTrailingSlash(CheckValue(ckDirectory, mrd) ? mrd : ExtractFilePath(source));
    const std::string name = ExtractFileName(source);
    const std::string stem = name.substr(0, name.size() - ExtractFileExt(name).size());
    return dir + stem + added + ext;
}

} // namespace lmx
