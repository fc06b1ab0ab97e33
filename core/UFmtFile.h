#pragma once
// The format definition file Lumivex.fmt: the list of names, the load of one format by name, and the
// writer that rewrites the whole file after keeping the previous one as Lumivex.old.
#include "core/UDataFormats.h"
#include "core/UFmtLines.h"
#include "core/UPorts.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lmx {

class LangTexts;

// Result codes of the readers.
enum FmtResult : int {
    frOk = 0,                // success
    frEmptyName = -1,        // empty name asked, or the file ended inside the six descriptive lines
    frBadDescr = -2,         // a descriptive line is missing, out of order or has a bad value
    frColCountDiffers = -3,  // the number of COL lines differs from CLC
    frTooManyColsAtEof = -10, // more COL lines than CLC, running up to the end of the file
    frBadColumn = -790,      // at least one COL line is malformed
    frCopyIn = -791,         // the loaded format could not be copied to the input format
    frCopyOut = -792,        // the loaded format could not be copied to the output format
    frBadColCount = -793,    // the loaded CLC is not an integer greater than 0
    frNotFound = -795,       // no format of that name in the file
    frNoFormat = -797,       // (list) the file holds no format, or could not be opened
    frOpenFailed = -798,     // (load) the file could not be opened
    frNoFile = -799,         // the file does not exist
};

// Where the last load met its faults, for a message that says where to look. Lines are counted
// from 1 in the file; 0 means none was met.
struct FmtReadFault {
    // -1 and -2: the first descriptive line at fault, the key expected there and the line found
    // (atEnd: the file ended after descrLine instead).
    int64_t descrLine = 0;
    std::string descrKey;
    std::string descrFound;
    bool descrAtEnd = false;
    // -790: the first malformed COL line, its number within the block (from 1), its first bad
    // field (a ColField) and that field's value.
    int64_t colLine = 0;
    int32_t entry = 0;
    int field = -1;
    std::string value;
    // -3 and -10: the COL lines the block holds, and the count its CLC line gives.
    int64_t colLines = 0;
    int32_t colCount = 0;
};

// Load modes of FmtLoadDescription; any other mode leaves the format in FmtWork only.
enum FmtLoadMode : int { flmInput = 1, flmOutput = 2, flmWorkOnly = 3 };
// Save modes of FmtSaveFile.
enum FmtSaveMode : int { fsmSave = 10, fsmDelete = 11 };

class FmtFile {
public:
    FmtFile(FormatState& state, const LangTexts& lang, IMessages& messages);

    // ProgramDir + "Lumivex.fmt"; the backup is the same path with ".old".
    std::string FmtFileName;
    std::string BackupFileName() const;

    // Rebuilds FmtNames (sorted, duplicates kept) and ColNames (file order). 0, -797 or -799.
    int FmtLoadList();

    // Loads the named format into FmtWork; mode 1 copies it to FmtIn, mode 2 to FmtOut.
    int FmtLoadDescription(int mode, const std::string& name);

    // Reads the lines of one block after its NOM line into FmtWork.
    int FmtReadBlock(FmtLineReader& in);

    // Splits and checks one COL value into entry k-1 of FmtWork.Cols (1-based k).
    bool FmtReadColumn(int32_t k, const std::string& value);

    // The faults met by the last FmtLoadDescription (the codes stay those above).
    const FmtReadFault& LastFault() const { return fault_; }

    // Mode 10: the block named editFmtName is replaced by FmtWork's, appended at the end (colLines
    // holds the COL values, at least ColCount of them). Mode 11: that block is removed.
    // Shows its own messages for the backup steps; false whenever Lumivex.fmt was not replaced.
    bool FmtSaveFile(int mode, const std::string& editFmtName, const std::vector<std::string>& colLines);

    // What the editor does after FmtSaveFile(10) failed: check the file again, bring the backup back
    // when needed, and tell the user whether the previous version survived.
    void RecoverAfterFailedSave();

    // Puts the new content under the format file's name, whole or not at all (by default through
    // a temporary file flushed to disk and renamed); tests replace it to make it fail.
    void SetContentWriter(FmtContentWriter writer) { writer_ = std::move(writer); }

private:
    bool ColumnFault(int32_t k, int field, const std::string& value);
    bool CopyLoaded(TFmtDef& target, int32_t& colCount, std::string& dateSep, std::string& dateFmt);
    bool BuildNewContent(int mode, const std::vector<std::string>& kept,
                         const std::vector<std::string>& colLines, std::string& content) const;

    FormatState& state_;
    const LangTexts& lang_;
    IMessages& messages_;
    FmtContentWriter writer_;
    FmtReadFault fault_;
};

} // namespace lmx
