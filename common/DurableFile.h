#pragma once
// Files that reach their name whole: written to a file without a name in the name's folder
// (O_TMPFILE), flushed to disk, then given the name, and the folder flushed. Until then the name
// keeps its old content, or stays absent, and a process killed meanwhile leaves nothing behind.
// Where the file system cannot make such a file, a temporary file beside the name (created
// exclusively, never through a link, named after the process: see SystemPort::OwnTempName) takes
// its place; the next durable write into that folder removes those of processes that are gone.
#include "common/Paths.h"
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
    // blocking. False with the system's reason in error. The port is told of every temporary name.
    // Without mayReplace, the commit never replaces a file that has the name by then.
    bool Open(const std::string& target, std::string& error, bool mayReplace = true);

    int Fd() const { return fd_; }
    bool Direct() const { return direct_; }
    // The temporary file's name; empty while the file has none.
    const std::string& TempPath() const { return temp_; }
    // The name the content reaches: the target, or the file its link names.
    const std::string& FinalPath() const { return final_; }

    // Flushes to disk, gives the name, flushes the folder; in direct mode only closes. False with
    // the reason when any step failed (the temporary file is then gone); EEXIST when the name was
    // taken meanwhile and could not be replaced.
    bool Commit(std::string& error);
    // The error number of the last failed Open or Commit.
    int ErrorNo() const { return errNo_; }
    // Closes and removes the temporary file; the name keeps what it held.
    void Abandon();

private:
    bool OpenDirect(const std::string& target, int fdToCopy, std::string& error);
    // Give the flushed file its name; 0 or the error number, nothing left behind either way.
    int CommitUnnamed();
    int CommitNamed();
    bool Fail(int err, std::string& error);
    void Reset();

    SystemPort& port_;
    int fd_ = -1;
    bool direct_ = false;
    bool unnamed_ = false; // made with O_TMPFILE
    bool mayReplace_ = true;
    int errNo_ = 0;
    std::string temp_;
    std::string final_;
    std::string folder_;
};

// The whole content through a DurableFile (see Open for mayReplace). False with the reason in error.
bool WriteFileDurably(const std::string& path, std::string_view content, std::string& error,
                      SystemPort& port = RealPort(), bool mayReplace = true);

// Copies from to the new name to, whole or not at all, through a DurableFile that never replaces:
// a file that appeared meanwhile under that name stays, and counts as done. The copy gets mode.
// False with "PATH : reason" in error.
bool CopyFileWhole(const std::string& from, const std::string& to, mode_t mode, std::string& error,
                   SystemPort& port = RealPort());

// Flushes a folder's entries to disk (after a rename or a new name in it).
bool SyncFolder(const std::string& folder, SystemPort& port = RealPort());

} // namespace lmx
