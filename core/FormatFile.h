#pragma once
// The format definition file Lumivex.fmt: the list of names, the load of one format by name, and the
// writer that rewrites the whole file after keeping the previous one as Lumivex.old.
#include "core/FormatReader.h"
#include "core/ChosenFormats.h"
#include "core/ColumnDraft.h"
#include "core/FormatLines.h"
#include "core/Ports.h"

#include <string>
#include <vector>

namespace lmx {

class LangTexts;

// Load modes of FmtLoadDescription; any other mode only reads the format.
enum FmtLoadMode : int { flmInput = 1, flmOutput = 2, flmReadOnly = 3 };
// Save modes of FmtSaveFile.
enum FmtSaveMode : int { fsmSave = 10, fsmDelete = 11 };

// The lines of the blocks that bear one name, as the file held them when they were read.
struct FmtBlockSeen {
    bool present = false;
    std::string lines;
    bool operator==(const FmtBlockSeen&) const = default;
};

// How the format being saved differs on disk from what the editor read: added, changed or deleted
// elsewhere (another window, another program) in the meantime.
enum class FmtConflict { None, Added, Changed, Deleted };

class FmtFile {
public:
    FmtFile(ChosenFormats& state, const LangTexts& lang, IMessages& messages, SystemPort& port = RealPort());

    // ProgramDir + "Lumivex.fmt"; the backup is the same path with ".old".
    std::string FmtFileName;
    std::string BackupFileName() const;

    // Rebuilds the catalogue: format names (sorted, duplicates kept) and column names (file order).
    // Ok, FmtNoFormat or FmtNoFile.
    Status FmtLoadList();

    // Reads the named format, nothing else changed; the fault is kept as LastFault.
    FormatRead Load(const std::string& name);

    // Loads the named format; mode 1 takes it as the input format, mode 2 as the output format (a
    // failed load leaves that side without format). The load's status.
    Status FmtLoadDescription(int mode, const std::string& name);

    // The faults met by the last load.
    const FmtReadFault& LastFault() const { return fault_; }

    // Mode 10: the block named editFmtName is replaced by format's, appended at the end. Mode 11:
    // that block is removed (format is not read). Shows its own messages for the file's reading and
    // the backup steps; not Ok whenever Lumivex.fmt was not replaced. Saves take turns under the
    // file's lock. With expected, the file is left alone when its blocks of that name are not those
    // expected (FmtSaveConflict): LastConflict says how they differ, and nothing is shown.
    Status FmtSaveFile(int mode, const std::string& editFmtName, const Format& format = Format{},
                     const FmtBlockSeen* expected = nullptr);
    FmtConflict LastConflict() const { return conflict_; }

    // The blocks of that name as the file holds them now (none when it cannot be read).
    FmtBlockSeen BlockSeen(const std::string& name);

    // What the editor does after FmtSaveFile(10) failed: check the file again, bring the backup back
    // when needed, and tell the user whether the previous version survived.
    void RecoverAfterFailedSave();

    // Puts the new content under the format file's name, whole or not at all (by default through
    // a temporary file flushed to disk and renamed); tests replace it to make it fail.
    void SetContentWriter(FmtContentWriter writer) { writer_ = std::move(writer); }

private:
    // The format file is there when its name leads to something (a dangling link does not).
    bool FileIsThere() { return port_.KindOf(FmtFileName) != EntryKind::None; }
    // Reads the file: every line but the banner and the blocks named name into kept (when given),
    // the lines of those blocks into block. False when it cannot be read.
    bool SplitFile(const std::string& name, std::vector<std::string>* kept, FmtBlockSeen& block);

    ChosenFormats& state_;
    const LangTexts& lang_;
    IMessages& messages_;
    SystemPort& port_;
    FmtContentWriter writer_;
    FmtReadFault fault_;
    FmtConflict conflict_ = FmtConflict::None;
};

} // namespace lmx
