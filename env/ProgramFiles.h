#pragma once
// Where the program keeps the files it writes (Lumivex.prm, Lumivex.fmt, Lumivex.old, LumivexLog.txt).
// Beside the program when its folder can be written: a user's own copy works as it always has.
// A system-wide installation cannot be written, so the files then live in the user's configuration
// folder, $XDG_CONFIG_HOME/Lumivex (by default ~/.config/Lumivex), made on first use and seeded
// with the copies found beside the program.
#include "common/Status.h"
#include "common/SystemPort.h"

#include <string>
#include <string_view>

namespace lmx {

struct ProgramFilesDir {
    std::string dir;         // ends with "/"
    bool userFolder = false; // the user's configuration folder was taken
    Status status;           // why the user's folder could not be used; dir is then the program's
};

// xdgConfigHome and home are the environment's values, null when unset.
ProgramFilesDir ChooseProgramFilesDir(const std::string& programDir, const char* xdgConfigHome, const char* home,
                                      SystemPort& port = RealPort());

// The second half of the rule: the user's configuration folder, made and seeded from programDir.
ProgramFilesDir UserFilesDir(const std::string& programDir, const char* xdgConfigHome, const char* home,
                             SystemPort& port = RealPort());

// True when a file can be created in the folder (tried, then removed).
bool FolderIsWritable(const std::string& dir, SystemPort& port = RealPort());

// The name of a program's language file: its own file name with the extension ".lng", or with
// ".lng" appended when it has none (Lumivex -> Lumivex.lng, Quotes -> Quotes.lng, a.exe -> a.lng).
std::string LanguageFileName(std::string_view programPath);

// The language file of that name: the one in the files' folder when there is one, else the one
// beside the program.
std::string LanguageFilePath(const std::string& filesDir, const std::string& programDir,
                             std::string_view name = "Lumivex.lng", SystemPort& port = RealPort());

} // namespace lmx
