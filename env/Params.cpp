#include "env/Params.h"

#include "common/Cp1252.h"
#include "common/Basics.h"
#include "common/DurableFile.h"
#include "common/BlockLineReader.h"
#include "env/LangTexts.h"
#include "env/ParamsChoices.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace lmx {
namespace {

struct SlotDef {
    std::string_view key;      // three letters in the file; empty for slot 17
    std::string_view defUtf8;  // default, UTF-8 here, Windows-1252 in the slot
};

constexpr std::array<SlotDef, kPrmSlotCount> kSlots = {{
    {"CTB", "CTB"},  {"LNG", "Français"}, {"MRS", "$Q"},  {"F_S", "$L"},  {"MRD", "$Q"},
    {"DDO", "_conv"}, {"EXT", "$Q"},      {"BIS", "$Q"},  {"SCM", "0"},   {"SDL", "0"},
    {"SRN", "0"},    {"ERL", "1"},        {"MRI", ""},    {"MRO", ""},    {"CPD", "20"},
    {"CPE", "19"},   {"DTY", "$Q"},       {"", ""},       {"LGT", "$00B7C9A7"},
    {"LGF", "$00494248"}, {"LOG", "1"}, {"ENC", "$Q"}, {"EOL", "CRLF"},
}};

// Keys looked for on loading, in the order they are tried; DTY is not among them.
constexpr std::array<PrmIndex, 21> kLoadOrder = {
    prmCTB, prmLNG, prmMRS, prmF_S, prmMRD, prmDDO, prmEXT, prmBIS, prmSCM, prmSDL, prmSRN,
    prmERL, prmMRI, prmMRO, prmCPD, prmCPE, prmLGT, prmLGF, prmLOG, prmENC, prmEOL};

bool Reachable(int index) { return index >= 0 && index < kPrmSlotCount && index != prmDTY && index != prm17; }

std::string ErrnoText(int err) { return std::generic_category().message(err); }

} // namespace

bool SystemIsUtf8() {
    // The first of these that is set names the locale of the character type, as the C library's.
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value == nullptr || *value == '\0') continue;
        std::string set(value);
        for (char& c : set) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        return set.find("utf-8") != std::string::npos || set.find("utf8") != std::string::npos;
    }
    return false;
}

bool DataIsUtf8(std::string_view enc) {
    if (enc == "UTF-8") return true;
    if (enc == "Windows-1252") return false;
    return SystemIsUtf8();
}

DataShown DataShownOf(std::string_view enc) {
    if (enc == "UTF-8") return DataShown::Utf8;
    if (enc == "Windows-1252") return DataShown::Cp1252;
    return SystemIsUtf8() ? DataShown::Utf8Else1252 : DataShown::Cp1252;
}

Params::Params(const LangTexts& lang, SystemPort& port) : lang_(lang), port_(port) {
    Defaults();
    read_ = slots_;
}

void Params::Defaults() {
    for (int i = 0; i < kPrmSlotCount; ++i)
        if (i != prm17) slots_[static_cast<std::size_t>(i)] = Utf8ToCp1252(kSlots[static_cast<std::size_t>(i)].defUtf8);
}

int Params::PrmFile(int mode) {
    switch (mode) {
    case pmLoad:
    case pmLoadToo:
        return Load();
    case pmSave:
        return Save();
    case pmDefaults:
        Defaults();
        return prmOk;
    default:
        return prmOk;
    }
}

std::string Params::PrmGet(int index, bool asYesNo) const {
    if (!Reachable(index)) return {};
    const std::string& value = slots_[static_cast<std::size_t>(index)];
    if (!asYesNo) return value;
    return lang_.Text(value == "1" ? LK::msg_yes : LK::msg_no);
}

int Params::PrmSet(int index, std::string_view value, bool saveNow) {
    if (!Reachable(index)) return prmOk;
    slots_[static_cast<std::size_t>(index)] = std::string(value);
    ++changeCount_;
    if (changeCount_ <= 10 && !saveNow) return prmOk;
    if (ReadOnly) {
        changeCount_ = 0;
        return prmOk;
    }
    const int r = Save();
    changeCount_ = 0;
    return r;
}

void Params::LoadLine(Slots& slots, std::string_view line, bool tooLong, bool resolve) const {
    const std::string_view key = line.substr(0, 3);
    // The fourth character is normally "=" and is not examined.
    const std::string_view value = line.size() > 4 ? line.substr(4) : std::string_view();
    for (const PrmIndex index : kLoadOrder) {
        if (key != kSlots[index].key) continue;
        std::string& slot = slots[index];
        const bool folder = index == prmMRS || index == prmBIS || index == prmMRD;
        if (index == prmCTB) {
            slot = "CTB";
        } else if (!resolve || !folder) {
            // A value longer than any setting can be is a bad value: the slot keeps what it has.
            if (!tooLong) slot = std::string(value);
        } else if (index == prmMRD && !tooLong && IsElsewhere(value)) {
            // "$Q" is a choice (results beside their source), kept as it is: resolved to a folder
            // here, it would send every later result to that one folder.
            slot = std::string(kPrmElsewhere);
        } else {
            slot = !tooLong && CheckValue(ckDirectory, value) ? std::string(value) : ProgramDir;
        }
        return;
    }
}

int Params::Load() {
    if (port_.KindOf(PrmFileName) == EntryKind::Folder) {
        lastIoError_ = ErrnoText(EISDIR);
        return prmCannotOpen;
    }
    errno = 0;
    std::FILE* f = port_.OpenStream(PrmFileName);
    if (f == nullptr) {
        lastIoError_ = ErrnoText(errno != 0 ? errno : ENOENT);
        return prmCannotOpen;
    }
    // Key, separator and the longest value: a longer line is never held in memory.
    BlockLineReader reader(f, 4 + kMaxPrmValue);
    std::string line;
    read_ = slots_;
    while (reader.Next(line)) {
        LoadLine(slots_, line, reader.Cut(), true);
        LoadLine(read_, line, reader.Cut(), false);
    }
    std::fclose(f);
    if (reader.Failed()) {
        lastIoError_ = ErrnoText(reader.Error());
        return prmReadFailed;
    }
    return prmOk;
}

Params::Slots Params::Merged() {
    Slots out = slots_;
    if (port_.KindOf(PrmFileName) != EntryKind::File) return out;
    Params disk(lang_, port_);
    disk.ProgramDir = ProgramDir;
    disk.PrmFileName = PrmFileName;
    // A file that cannot be read back is replaced by what this window holds, as it always was.
    if (disk.Load() != prmOk) return out;
    // What this window left alone keeps the file's text as it is: a "$Q" stays a "$Q".
    for (std::size_t i = 0; i < out.size(); ++i)
        if (slots_[i] == read_[i]) out[i] = disk.read_[i];
    return out;
}

std::string Params::FileContent(const Slots& slots) {
    std::string out = FileBanner(bkParameters);
    out += "\r\n[P]\r\n";
    for (int i = 0; i < kPrmSlotCount; ++i) {
        if (i == prm17) continue;
        const auto& def = kSlots[static_cast<std::size_t>(i)];
        if (i > prmLOG && slots[static_cast<std::size_t>(i)] == def.defUtf8) continue;
        out += def.key;
        out += '=';
        out += i == prmDTY ? std::string_view("$Q") : std::string_view(slots[static_cast<std::size_t>(i)]);
        out += "\r\n";
    }
    out += "[/]\r\n";
    return out;
}

int Params::Save() {
    // Written beside the target, flushed to disk and renamed over it, so that neither a failed
    // write nor a crash ever leaves a truncated parameters file behind.
    if (PrmFileName.empty()) { // never scribble a scratch file into the current folder
        lastIoError_ = ErrnoText(ENOENT);
        return prmCannotWrite;
    }
    const FileLock lock(port_, PrmFileName);
    std::string error;
    if (WriteFileDurably(PrmFileName, FileContent(Merged()), error, port_)) {
        read_ = slots_; // what differed is on disk now
        return prmOk;
    }
    lastIoError_ = error;
    return prmCannotWrite;
}

} // namespace lmx
