#pragma once
// The files of a conversion: the sources chosen and the result proposed, with the rules on them
// that the conversion page, the run and the command-line converter share.
#include "common/SystemPort.h"
#include "env/Params.h"

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

struct ConvPageState {
    std::vector<std::string> InFiles; // full paths, sorted byte-wise
    std::string SourceDir;            // folder of the first file, with its trailing "/"
    std::string OutDir;               // folder of the proposed result file, with its trailing "/"
    std::string OutPath;              // empty when there is no result file
    bool InChosen = false;
    bool OutValid = false;
    bool OutReplace = false;          // the user agreed to replace the file that has OutPath's name
    bool OutFmtReload = true;
    int32_t AvgLineLen = 0;
};

// The source name that stands for standard input (the command-line converter's "-").
inline constexpr std::string_view kStdInSource = "-";
inline bool IsStdInSource(std::string_view path) { return path == kStdInSource; }

// True when path names one of the sources, as the same text or as the same file on disk
// (another spelling, a link): writing it would truncate a source before it is read. Standard
// input is such a source when it is a regular file (a shell's "<") and path names that file.
bool IsOneOfSources(SystemPort& port, const std::string& path, const std::vector<std::string>& sources);

// Why path cannot be read as a source: 0 when it can, else the error number (ENOENT, EACCES,
// EISDIR...; EINVAL for a FIFO or a device, which is looked at but never opened).
int SourceError(SystemPort& port, const std::string& path);

// The folders whose entries a run changed after its result (sources renamed or deleted), each
// flushed once when the run is done with them rather than once per source: a run of 20,000 small
// files costs one flush, not 20,000. Flushes on destruction what FlushAll has not.
class FolderFlushes {
public:
    explicit FolderFlushes(SystemPort& port) : port_(port) {}
    ~FolderFlushes() { FlushAll(); }
    FolderFlushes(const FolderFlushes&) = delete;
    FolderFlushes& operator=(const FolderFlushes&) = delete;
    void Add(const std::string& folder);
    // False when a flush failed (the others are still tried).
    bool FlushAll();

private:
    SystemPort& port_;
    std::set<std::string> folders_;
};

// The result file proposed for a source: in MRD's folder (MRS's when MRD names no folder), the
// source's name with DDO inserted before the extension, then EXT's extension ("$Q": the source's).
// dir receives the folder, ending with "/".
std::string ResultPathFor(const Params& prm, const std::string& source, std::string& dir);

} // namespace lmx
