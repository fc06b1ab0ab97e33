#pragma once
// The outcome of reading or writing one of the program's files, or of a run: a code, and the
// system's reason when the system gave one. Each code's meaning is written here once; the numbers
// are those the logs and messages have always shown, and no two codes share one.
#include <string>

namespace lmx {

enum class StatusCode : int {
    Ok = 0,

    // The format file, Lumivex.fmt (its list, the load of one format).
    FmtEmptyName = -1,        // empty name asked, or the file ended inside the six descriptive lines
    FmtBadDescr = -2,         // a descriptive line is missing, out of order or has a bad value
    FmtColCountDiffers = -3,  // the number of COL lines differs from CLC
    FmtTooManyColsAtEof = -10, // more COL lines than CLC, running up to the end of the file
    FmtBadColumn = -790,      // at least one COL line is malformed
    FmtCopyIn = -791,         // the loaded format could not be taken as the input format
    FmtCopyOut = -792,        // the loaded format could not be taken as the output format
    FmtBadColCount = -793,    // the loaded CLC is not an integer greater than 0
    FmtNotFound = -795,       // no format of that name in the file
    FmtNoFormat = -797,       // (list) the file holds no format, or could not be opened
    FmtOpenFailed = -798,     // (load) the file could not be opened
    FmtNoFile = -799,         // the file does not exist
    // The save of one format (or its deletion). No message shows these numbers.
    FmtSaveRefused = -780,     // not a save or a deletion, or a format that would not read back as written
    FmtSaveConflict = -781,    // the file's blocks of that name are not those expected; nothing written
    FmtSaveCannotRead = -782,  // the file could not be read; nothing written
    FmtSaveNoBackup = -783,    // no format file to back up, or the backup could not be made
    FmtSaveCannotWrite = -784, // the new content did not reach the file's name; the old one is kept

    // The settings file, Lumivex.prm.
    SettingsCannotOpen = -109,  // it could not be opened for reading; nothing changed
    SettingsCannotWrite = -110, // it could not be created or completely written; the old one is kept
    SettingsReadFailed = -111,  // reading failed part-way; the keys read before keep their new values

    // The language file, Lumivex.lng. No message shows these numbers.
    LangFileUnreadable = -120, // missing, or not read to its end
    LangNoSection = -121,      // no non-empty section of that name; the texts are unchanged

    // A conversion run. With RunCannotCreate and RunIncompleteOutput, the reason says why.
    RunNotStarted = -500,       // a check of the "Convertir" button refused the run (its message was shown)
    RunLinkFailed = -501,       // the input/output link could not be built
    RunNoEngine = -502,         // no engine for the pair of formats
    RunCannotCreate = -503,     // the result file could not be created
    RunIncompleteOutput = -504, // the result file could not be completely written (a full disk)
    RunSourcesFailed = -505,    // some sources were not converted to their end; the others' lines are
                                // in the result. The closing message shows their count, not this number

    // The folder of the program's files. No message shows these numbers; the reason is the whole
    // sentence, since it names the folder or file at fault.
    FilesNoHome = -130,         // the program's folder cannot be written and HOME is not set
    FilesCannotMakeFolder = -131, // the user's configuration folder could not be made
    FilesCannotSeed = -132,     // a file beside the program could not be copied into it
};

struct Status {
    StatusCode code = StatusCode::Ok;
    std::string reason; // the system's text, Windows-1252; empty when it gave none

    bool Ok() const { return code == StatusCode::Ok; }
    int Number() const { return static_cast<int>(code); }
    friend bool operator==(const Status& s, StatusCode c) { return s.code == c; }
};

} // namespace lmx
