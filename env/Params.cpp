#include "env/Params.h"

#include "common/Basics.h"
#include "common/BlockLineReader.h"
#include "common/Cp1252.h"
#include "common/DurableFile.h"
#include "env/Colors.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace lmx {
namespace {

// The file's keys, in the order they are written.
enum Slot : int {
    sCTB, sLNG, sMRS, sF_S, sMRD, sDDO, sEXT, sBIS, sSCM, sSDL, sSRN, sERL, sMRI, sMRO, sCPD, sCPE,
    sDTY, // never read; the file always says "DTY=$Q"
    s17,  // never read nor written
    sLGT, sLGF, sLOG,
    // Written only when they differ from their defaults, so a file that never changed them keeps
    // its lines.
    sENC, sEOL,
};

struct SlotDef {
    std::string_view key;      // three letters in the file; empty for slot 17
    std::string_view defUtf8;  // default, UTF-8 here, Windows-1252 in the slot
};

constexpr std::array<SlotDef, 23> kSlots = {{
    {"CTB", "CTB"},  {"LNG", "Français"}, {"MRS", "$Q"},  {"F_S", "$L"},  {"MRD", "$Q"},
    {"DDO", "_conv"}, {"EXT", "$Q"},      {"BIS", "$Q"},  {"SCM", "0"},   {"SDL", "0"},
    {"SRN", "0"},    {"ERL", "1"},        {"MRI", ""},    {"MRO", ""},    {"CPD", "20"},
    {"CPE", "19"},   {"DTY", "$Q"},       {"", ""},       {"LGT", "$00B7C9A7"},
    {"LGF", "$00494248"}, {"LOG", "1"}, {"ENC", "$Q"}, {"EOL", "CRLF"},
}};

// Keys looked for on loading, in the order they are tried; DTY is not among them.
constexpr std::array<Slot, 21> kLoadOrder = {sCTB, sLNG, sMRS, sF_S, sMRD, sDDO, sEXT, sBIS, sSCM, sSDL, sSRN,
                                             sERL, sMRI, sMRO, sCPD, sCPE, sLGT, sLGF, sLOG, sENC, sEOL};

// Settings that the program uses; the others are kept and written back only.
constexpr std::array<Slot, 15> kTyped = {sLNG, sMRS, sMRD, sDDO, sEXT, sSDL, sSRN, sERL,
                                         sMRI, sMRO, sLGT, sLGF, sLOG, sENC, sEOL};

// "$Q" in MRS, MRD and EXT: the program's folder, the source's folder or extension.
constexpr std::string_view kElsewhere = "$Q";
constexpr std::string_view kNoRenaming = "0";

std::string ErrnoText(int err) { return std::generic_category().message(err); }

std::optional<std::string> OrElsewhere(const std::string& text) {
    return text == kElsewhere ? std::nullopt : std::optional<std::string>(text);
}

std::optional<uint32_t> ColorOf(const std::string& text) {
    uint32_t bgr = 0;
    return ColorFromText(text, bgr) ? std::optional<uint32_t>(bgr) : std::nullopt;
}

template <std::size_t N>
Settings FromTexts(const std::array<std::string, N>& t) {
    Settings s;
    s.language = t[sLNG];
    s.sourceFolder = OrElsewhere(t[sMRS]);
    s.resultFolder = OrElsewhere(t[sMRD]);
    s.addedText = t[sDDO];
    s.resultExtension = OrElsewhere(t[sEXT]);
    s.disposal = t[sSDL] == "1" ? sdTrash : t[sSDL] == "2" ? sdDelete : sdKeep;
    s.renameText = t[sSRN] == kNoRenaming ? std::nullopt : std::optional<std::string>(t[sSRN]);
    s.badLine = t[sERL] == "1" ? BadLineRule::Reject : t[sERL] == "2" ? BadLineRule::Stop : BadLineRule::Unset;
    s.inputFormat = t[sMRI];
    s.outputFormat = t[sMRO];
    s.logTextColor = ColorOf(t[sLGT]);
    s.logBackColor = ColorOf(t[sLGF]);
    const std::string& log = t[sLOG];
    s.log = log == "0"   ? LogDetail::Simple
            : log == "1" ? LogDetail::Extended
            : CheckValue(ckPositiveInt, log) ? LogDetail::ExtendedOther
                                             : LogDetail::Unreadable;
    s.encoding = DataEncodingOf(t[sENC]);
    s.lfOnly = DataEndsLf(t[sEOL]);
    return s;
}

std::string TextOf(const Settings& s, Slot slot) {
    auto orElsewhere = [](const std::optional<std::string>& v) { return v ? *v : std::string(kElsewhere); };
    auto color = [](const std::optional<uint32_t>& c) { return c ? ColorToText(*c) : std::string(); };
    switch (slot) {
    case sLNG: return s.language;
    case sMRS: return orElsewhere(s.sourceFolder);
    case sMRD: return orElsewhere(s.resultFolder);
    case sDDO: return s.addedText;
    case sEXT: return orElsewhere(s.resultExtension);
    case sSDL: return s.disposal == sdTrash ? "1" : s.disposal == sdDelete ? "2" : "0";
    case sSRN: return s.renameText ? *s.renameText : std::string(kNoRenaming);
    case sERL: return s.badLine == BadLineRule::Reject ? "1" : s.badLine == BadLineRule::Stop ? "2" : "";
    case sMRI: return s.inputFormat;
    case sMRO: return s.outputFormat;
    case sLGT: return color(s.logTextColor);
    case sLGF: return color(s.logBackColor);
    case sLOG:
        return s.log == LogDetail::Simple ? "0" : s.log == LogDetail::Extended ? "1"
               : s.log == LogDetail::ExtendedOther ? "2" : "";
    case sENC: return std::string(EncodingText(s.encoding));
    case sEOL: return std::string(LineEndText(s.lfOnly));
    default: return {};
    }
}

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

DataEncoding DataEncodingOf(std::string_view text) {
    return text == "UTF-8" ? DataEncoding::Utf8 : text == "Windows-1252" ? DataEncoding::Windows1252 : DataEncoding::System;
}

std::string_view EncodingText(DataEncoding encoding) {
    return encoding == DataEncoding::Utf8 ? "UTF-8" : encoding == DataEncoding::Windows1252 ? "Windows-1252" : kElsewhere;
}

bool DataIsUtf8(DataEncoding encoding) {
    return encoding == DataEncoding::Utf8 || (encoding == DataEncoding::System && SystemIsUtf8());
}

DataShown DataShownOf(DataEncoding encoding) {
    if (encoding == DataEncoding::Utf8) return DataShown::Utf8;
    if (encoding == DataEncoding::Windows1252) return DataShown::Cp1252;
    return SystemIsUtf8() ? DataShown::Utf8Else1252 : DataShown::Cp1252;
}

std::string ResultExtension(const Settings& s, std::string_view source) {
    return s.resultExtension ? *s.resultExtension : ExtractFileExt(source);
}

Params::Params(SystemPort& port) : port_(port) {
    Defaults();
    read_ = base_;
}

void Params::Defaults() {
    for (std::size_t i = 0; i < kSlots.size(); ++i) base_[i] = Utf8ToCp1252(kSlots[i].defUtf8);
    settings = FromTexts(base_);
}

Status Params::SaveOnEleventhChange() {
    if (++changeCount_ <= 10) return {};
    return Save();
}

void Params::LoadLine(Slots& slots, std::string_view line, bool tooLong, bool resolve) const {
    const std::string_view key = line.substr(0, 3);
    // The fourth character is normally "=" and is not examined.
    const std::string_view value = line.size() > 4 ? line.substr(4) : std::string_view();
    for (const Slot index : kLoadOrder) {
        if (key != kSlots[index].key) continue;
        std::string& slot = slots[index];
        const bool folder = index == sMRS || index == sBIS || index == sMRD;
        if (index == sCTB) {
            slot = "CTB";
        } else if (!resolve || !folder) {
            // A value longer than any setting can be is a bad value: the slot keeps what it has.
            if (!tooLong) slot = std::string(value);
        } else if (index == sMRD && !tooLong && value == kElsewhere) {
            // "$Q" is a choice (results beside their source), kept as it is: resolved to a folder
            // here, it would send every later result to that one folder.
            slot = std::string(kElsewhere);
        } else {
            slot = !tooLong && CheckValue(ckDirectory, value) ? std::string(value) : ProgramDir;
        }
        return;
    }
}

Status Params::Load() {
    // Settings changed in memory and not in the file keep their change.
    Slots current = CurrentTexts();
    base_ = current;
    const Status r = LoadSlots();
    settings = FromTexts(base_);
    return r;
}

Status Params::LoadSlots() {
    if (port_.KindOf(PrmFileName) == EntryKind::Folder)
        return {StatusCode::SettingsCannotOpen, ErrnoText(EISDIR)};
    errno = 0;
    std::FILE* f = port_.OpenStream(PrmFileName);
    if (f == nullptr) return {StatusCode::SettingsCannotOpen, ErrnoText(errno != 0 ? errno : ENOENT)};
    // Key, separator and the longest value: a longer line is never held in memory.
    BlockLineReader reader(f, 4 + kMaxPrmValue);
    std::string line;
    read_ = base_;
    while (reader.Next(line)) {
        LoadLine(base_, line, reader.Cut(), true);
        LoadLine(read_, line, reader.Cut(), false);
    }
    std::fclose(f);
    if (reader.Failed()) return {StatusCode::SettingsReadFailed, ErrnoText(reader.Error())};
    return {};
}

Params::Slots Params::CurrentTexts() const {
    Slots out = base_;
    const Settings loaded = FromTexts(base_);
    for (const Slot slot : kTyped)
        if (std::string text = TextOf(settings, slot); text != TextOf(loaded, slot)) out[slot] = std::move(text);
    return out;
}

Params::Slots Params::Merged(const Slots& current) {
    Slots out = current;
    if (port_.KindOf(PrmFileName) != EntryKind::File) return out;
    Params disk(port_);
    disk.ProgramDir = ProgramDir;
    disk.PrmFileName = PrmFileName;
    // A file that cannot be read back is replaced by what this instance holds, as it always was.
    if (!disk.LoadSlots().Ok()) return out;
    // What this instance left alone keeps the file's text as it is: a "$Q" stays a "$Q".
    for (std::size_t i = 0; i < out.size(); ++i)
        if (current[i] == read_[i]) out[i] = disk.read_[i];
    return out;
}

std::string Params::FileContent(const Slots& slots) {
    std::string out = FileBanner(bkParameters);
    out += "\r\n[P]\r\n";
    for (int i = 0; i < kSlotCount; ++i) {
        if (i == s17) continue;
        const auto& def = kSlots[static_cast<std::size_t>(i)];
        const std::string& text = slots[static_cast<std::size_t>(i)];
        if (i > sLOG && text == def.defUtf8) continue;
        out += def.key;
        out += '=';
        out += i == sDTY ? kElsewhere : std::string_view(text);
        out += "\r\n";
    }
    out += "[/]\r\n";
    return out;
}

Status Params::Save() {
    changeCount_ = 0;
    if (ReadOnly) return {};
    // Written beside the target, flushed to disk and renamed over it, so that neither a failed
    // write nor a crash ever leaves a truncated settings file behind.
    if (PrmFileName.empty()) // never scribble a scratch file into the current folder
        return {StatusCode::SettingsCannotWrite, ErrnoText(ENOENT)};
    const FileLock lock(port_, PrmFileName);
    const Slots current = CurrentTexts();
    std::string error;
    if (!WriteFileDurably(PrmFileName, FileContent(Merged(current)), error, port_))
        return {StatusCode::SettingsCannotWrite, error};
    base_ = read_ = current; // what differed is on disk now
    return {};
}

} // namespace lmx
