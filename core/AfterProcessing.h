#pragma once
// What a run does once its lines are written: the renaming, recycling or deletion of its sources.
// AfterProcessing.cpp also holds ConversionRun's closing message and after-processing.
#include "common/SystemPort.h"
#include "env/Settings.h"

#include <string>

namespace lmx {

// What happens to the sources after a run.
struct AfterProcessing {
    std::optional<std::string> renameText; // inserted into the sources' names; none: no renaming
    SourceDisposal disposal = sdKeep;
};

// A rename, recycle or delete of a source that was tried and failed.
struct AfterFailure {
    std::string verb;   // "RenameFile", "RecycleFile", "DeleteFile"
    std::string path;   // the source
    std::string reason; // the system's reason, Windows-1252
};

// quotes.txt with "_done" gives quotes_done.txt; never replaces an existing file. On failure the
// reason goes to reason when given. The folder is flushed unless folders is given, which then
// flushes it with the others.
class FolderFlushes;
bool RenameSource(SystemPort& port, const std::string& path, const std::string& text, std::string* reason = nullptr,
                  FolderFlushes* folders = nullptr);

} // namespace lmx
