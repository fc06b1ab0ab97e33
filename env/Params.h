#pragma once
// The user's settings and remembered choices: 21 text slots kept in "Lumivex.prm" beside the program.
#include "common/Cp1252.h"
#include "common/SystemPort.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace lmx {

class LangTexts;

// The slots, by the index every caller uses.
enum PrmIndex : int {
    prmCTB = 0,  // control entry, always "CTB"; setting it with saveNow writes the file at once
    prmLNG = 1,  // user-interface language
    prmMRS = 2,  // folder of the last chosen source file
    prmF_S = 3,  // kept and written back only
    prmMRD = 4,  // folder of result files; "$Q": the source's own folder
    prmDDO = 5,  // text inserted before the extension of a proposed result file
    prmEXT = 6,  // extension of result files; "$Q": the source's extension
    prmBIS = 7,  // a folder, checked at loading, otherwise kept
    prmSCM = 8,  // kept and written back only
    prmSDL = 9,  // after a run: "0" leave sources, "1" recycle bin, "2" delete
    prmSRN = 10, // text inserted into source names after a run; "0": no renaming
    prmERL = 11, // bad input line: "1" reject it, "2" stop the run
    prmMRI = 12, // last input format
    prmMRO = 13, // last output format
    prmCPD = 14, // kept and written back only
    prmCPE = 15, // kept and written back only
    prmDTY = 16, // unreachable; the file always says "DTY=$Q"
    prm17 = 17,  // unreachable and never written
    prmLGT = 18, // log text colour
    prmLGF = 19, // log background colour
    prmLOG = 20, // "0" simple log, a whole number above 0 extended
    // Written only when they differ from their defaults, so a file that never changed them keeps
    // its lines.
    prmENC = 21, // encoding of data files: "$Q" the system's, "UTF-8" or "Windows-1252"
    prmEOL = 22, // line end of results and rejects files: "CRLF" or "LF"
};

inline constexpr int kPrmSlotCount = 23;

// The encoding of data files by ENC: "$Q" takes the system's (UTF-8 when the locale's character
// set is UTF-8, from LC_ALL, LC_CTYPE or LANG, else Windows-1252).
bool DataIsUtf8(std::string_view enc);
bool SystemIsUtf8();
// How the window shows data lines by ENC: "$Q" with a UTF-8 system shows a line that is no UTF-8
// as Windows-1252, so that a file from another system reads.
DataShown DataShownOf(std::string_view enc);
// Results and rejects files end their lines with LF alone.
inline bool DataEndsLf(std::string_view eol) { return eol == "LF"; }
// A longer value in the file is a bad value of its key: never loaded, so never written back.
inline constexpr std::size_t kMaxPrmValue = 64 * 1024;

enum PrmMode : int { pmLoad = 1, pmLoadToo = 2, pmSave = 3, pmDefaults = 4 };

// Results of PrmFile and PrmSet.
enum PrmResult : int {
    prmOk = 0,
    prmCannotOpen = -109,  // load: the file could not be opened for reading; slots unchanged
    prmCannotWrite = -110, // save: the file could not be created or completely written; the old one is kept
    prmReadFailed = -111,  // load: reading failed part-way; the slots read before keep their new values
};

class Params {
public:
    // Yes/No texts come from the language texts as they are when asked.
    explicit Params(const LangTexts& lang, SystemPort& port = RealPort());

    // Set by the owner before any file access: the program's folder ending with "/", and
    // ProgramDir + "Lumivex.prm".
    std::string ProgramDir;
    std::string PrmFileName;
    // Changes stay in memory and the file is never written (the command-line converter).
    bool ReadOnly = false;

    // pmLoad / pmLoadToo, pmSave, pmDefaults; any other mode does nothing. A PrmResult.
    int PrmFile(int mode);
    // The slot's text ("" for 16, 17 and indexes out of range); with asYesNo, the "msg_yes" text
    // when the slot is exactly "1", else "msg_no".
    std::string PrmGet(int index, bool asYesNo = false) const;
    // Stores the value; the eleventh change since the last write, or saveNow, writes the file and
    // gives the write's result. A write rereads the file under its lock and writes back only the
    // slots whose value differs from what this instance last read or wrote, so that two windows
    // on one folder keep each other's changes. 16, 17 and indexes out of range are ignored (0).
    int PrmSet(int index, std::string_view value, bool saveNow);

    int PrmChangeCount() const { return changeCount_; }
    // The system's reason for the last failed load or save.
    const std::string& LastIoError() const { return lastIoError_; }

private:
    using Slots = std::array<std::string, kPrmSlotCount>;

    int Load();
    int Save();
    void Defaults();
    // One line into slots; resolve: the folders checked as the program uses them ("$Q" kept, a
    // choice rather than a folder), else every value as the file has it.
    void LoadLine(Slots& slots, std::string_view line, bool tooLong, bool resolve) const;
    // What the file holds now, with the slots changed here since they were read in place of its
    // values: another window's save in the meantime is kept.
    Slots Merged();
    static std::string FileContent(const Slots& slots);

    const LangTexts& lang_;
    Slots slots_;
    Slots read_; // each slot's text as this window last read it from the file or wrote it there
    int changeCount_ = 0;
    std::string lastIoError_;
    SystemPort& port_;
};

} // namespace lmx
