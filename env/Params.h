#pragma once
// The settings file "Lumivex.prm" beside the program: the one place that turns the typed Settings
// into the file's texts and back. Its keys and texts stay as stored files have them; a value the
// program cannot read is kept as the file has it until the user changes that setting.
#include "common/Status.h"
#include "common/SystemPort.h"
#include "env/Settings.h"

#include <array>
#include <cstddef>
#include <string>

namespace lmx {

// A longer value in the file is a bad value of its key: never loaded, so never written back.
inline constexpr std::size_t kMaxPrmValue = 64 * 1024;

class Params {
public:
    explicit Params(SystemPort& port = RealPort());

    // Set by the owner before any file access: the program's folder ending with "/", and
    // ProgramDir + "Lumivex.prm".
    std::string ProgramDir;
    std::string PrmFileName;
    // Changes stay in memory and the file is never written (the command-line converter).
    bool ReadOnly = false;

    // The settings in force; callers read and change them freely, and say when to write.
    Settings settings;

    // Back to the defaults, in memory only.
    void Defaults();
    // Reads the file over the settings: the keys it has replace theirs, folders are checked as the
    // program uses them (a missing one becomes the program's folder).
    Status Load();
    // Writes the file now (nothing when ReadOnly). It rereads the file under its lock and writes
    // back only the settings changed here since this instance last read or wrote it, so that two
    // windows on one folder keep each other's changes.
    Status Save();
    // Counts one change made without a write; the eleventh since the last write saves them all,
    // so that a crash loses at most ten.
    Status SaveOnEleventhChange();
    int ChangesSinceSave() const { return changeCount_; }

private:
    static constexpr int kSlotCount = 23;
    using Slots = std::array<std::string, kSlotCount>;

    // One line into slots; resolve: the folders checked as the program uses them ("$Q" kept, a
    // choice rather than a folder), else every value as the file has it.
    void LoadLine(Slots& slots, std::string_view line, bool tooLong, bool resolve) const;
    Status LoadSlots();
    // The file's texts for the settings: a setting left as loaded keeps its loaded text.
    Slots CurrentTexts() const;
    // What the file holds now, with the texts changed here since they were read in place of its
    // values: another window's save in the meantime is kept.
    Slots Merged(const Slots& current);
    static std::string FileContent(const Slots& slots);

    Slots base_; // the texts the settings were last loaded from or saved as, folders resolved
    Slots read_; // each text as this instance last read it from the file or wrote it there
    int changeCount_ = 0;
    SystemPort& port_;
};

} // namespace lmx
