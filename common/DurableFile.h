#pragma once
// Files that reach their name whole: written to a temporary file beside the name (created
// exclusively, never through a link), flushed to disk, renamed onto the name, and the folder
// flushed. Until the rename the name keeps its old content, or stays absent.
#include "common/UPaths.h"
#include "common/SystemPort.h"

#include <string>
#include <string_view>

namespace lmx {

class DurableFile {
public:
    explicit DurableFile(SystemPort& port = RealPort()) : port_(port) {}
    ~DurableFile(); // abandons whatever was not committed
    DurableFile(const DurableFile&) = delete;
    DurableFile& operator=(const DurableFile&) = delete;

    // Opens target for writing. A regular file or a new name gets a temporary file in its folder
    // (a link is followed to the file it names, whose permissions the new content keeps). Anything
    // else is written directly: the standard streams and /dev/fd/N by their descriptor, a device
    // or a FIFO opened as it is; a FIFO without a reader is refused at once (ENXIO) instead of
    // blocking. False with the system's reason in error. The port is told of the temporary file.
    bool Open(const std::string& target, std::string& error);

    int Fd() const { return fd_; }
    bool Direct() const { return direct_; }
    const std::string& TempPath() const { return temp_; }
    // The name the content reaches: the target, or the file its link names.
    const std::string& FinalPath() const { return final_; }

    // Flushes to disk, renames onto the name, flushes the folder; in direct mode only closes.
    // False with the reason when any step failed (the temporary file is then removed).
    bool Commit(std::string& error);
    // Closes and removes the temporary file; the name keeps what it held.
    void Abandon();

private:
    bool OpenDirect(const std::string& target, int fdToCopy, std::string& error);
    void Reset();

    SystemPort& port_;
    int fd_ = -1;
    bool direct_ = false;
    std::string temp_;
    std::string final_;
    std::string folder_;
};

// The whole content through a DurableFile. False with the reason in error.
bool WriteFileDurably(const std::string& path, std::string_view content, std::string& error,
                      SystemPort& port = RealPort());

// Copies from to the new name to, whole or not at all: a temporary file beside to, flushed to disk,
// then linked to its name (never over a file that appeared meanwhile: that one stays, and counts
// as done) and the folder flushed. The copy gets mode. False with "PATH : reason" in error.
bool CopyFileWhole(const std::string& from, const std::string& to, mode_t mode, std::string& error,
                   SystemPort& port = RealPort());

// Flushes a folder's entries to disk (after a rename or a new name in it).
bool SyncFolder(const std::string& folder, SystemPort& port = RealPort());

} // namespace lmx
