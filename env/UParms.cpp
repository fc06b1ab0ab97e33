#include "env/UParms.h"

#include "common/Cp1252.h"
#include "common/UCommuns.h"
#include "env/ULang.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
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
    {"LGF", "$00857883"}, {"LOG", "1"},
}};

// Keys looked for on loading, in the order they are tried; DTY is not among them.
constexpr std::array<PrmIndex, 19> kLoadOrder = {
    prmCTB, prmLNG, prmMRS, prmF_S, prmMRD, prmDDO, prmEXT, prmBIS, prmSCM, prmSDL,
    prmSRN, prmERL, prmMRI, prmMRO, prmCPD, prmCPE, prmLGT, prmLGF, prmLOG};

bool Reachable(int index) { return index >= 0 && index < kPrmSlotCount && index != prmDTY && index != prm17; }

std::string ErrnoText(int err) { return std::generic_category().message(err); }

// Streams a file line by line; CR LF, LF and a lone CR each end a line.
class LineReader {
public:
    explicit LineReader(std::FILE* f) : f_(f) {}

    // False at the end of the file or on a read error (see Failed).
    bool Next(std::string& line) {
        line.clear();
        bool any = false;
        for (;;) {
            if (pos_ == len_ && !Fill()) return any;
            const char c = buf_[pos_++];
            if (skipLf_) {
                skipLf_ = false;
                if (c == '\n') continue;
            }
            if (c == '\r' || c == '\n') {
                skipLf_ = c == '\r';
                return true;
            }
            line.push_back(c);
            any = true;
        }
    }
    bool Failed() const { return failed_; }
    int Error() const { return error_; }

private:
    bool Fill() {
        if (failed_) return false;
        errno = 0;
        len_ = std::fread(buf_, 1, sizeof buf_, f_);
        pos_ = 0;
        if (len_ == 0 && std::ferror(f_) != 0) {
            failed_ = true;
            error_ = errno != 0 ? errno : EIO;
        }
        return len_ > 0;
    }

    std::FILE* f_;
    char buf_[65536];
    std::size_t pos_ = 0, len_ = 0;
    bool skipLf_ = false;
    bool failed_ = false;
    int error_ = 0;
};

} // namespace

Params::Params(const LangTexts& lang) : lang_(lang) { Defaults(); }

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

void Params::LoadLine(std::string_view line) {
    const std::string_view key = line.substr(0, 3);
    // The fourth character is normally "=" and is not examined.
    const std::string_view value = line.size() > 4 ? line.substr(4) : std::string_view();
    for (const PrmIndex index : kLoadOrder) {
        if (key != kSlots[index].key) continue;
        std::string& slot = slots_[index];
        switch (index) {
        case prmCTB:
            slot = "CTB";
            break;
        case prmMRS:
        case prmBIS:
            slot = CheckValue(ckDirectory, value) ? std::string(value) : ProgramDir;
            break;
        case prmMRD:
            if (value == "$Q")
                slot = CheckValue(ckDirectory, slots_[prmMRS]) ? slots_[prmMRS] : ProgramDir;
            else
                slot = CheckValue(ckDirectory, value) ? std::string(value) : ProgramDir;
            break;
        default:
            slot = std::string(value);
            break;
        }
        return;
    }
}

int Params::Load() {
    std::error_code ec;
    if (std::filesystem::is_directory(PrmFileName, ec)) {
        lastIoError_ = ErrnoText(EISDIR);
        return prmCannotOpen;
    }
    errno = 0;
    std::FILE* f = OpenForReading(PrmFileName);
    if (f == nullptr) {
        lastIoError_ = ErrnoText(errno != 0 ? errno : ENOENT);
        return prmCannotOpen;
    }
    LineReader reader(f);
    std::string line;
    while (reader.Next(line)) LoadLine(line);
    std::fclose(f);
    if (reader.Failed()) {
        lastIoError_ = ErrnoText(reader.Error());
        return prmReadFailed;
    }
    return prmOk;
}

std::string Params::FileContent() const {
    std::string out = FileBanner(bkParameters);
    out += "\r\n[P]\r\n";
    for (int i = 0; i < kPrmSlotCount; ++i) {
        if (i == prm17) continue;
        const auto& def = kSlots[static_cast<std::size_t>(i)];
        out += def.key;
        out += '=';
        out += i == prmDTY ? std::string_view("$Q") : std::string_view(slots_[static_cast<std::size_t>(i)]);
        out += "\r\n";
    }
    out += "[/]\r\n";
    return out;
}

int Params::Save() {
    // Written beside the target and renamed over it, so that a failed write never leaves a
    // truncated parameters file behind.
    if (PrmFileName.empty()) { // never scribble a scratch file into the current folder
        lastIoError_ = ErrnoText(ENOENT);
        return prmCannotWrite;
    }
    const std::string content = FileContent();
    const std::string temp = PrmFileName + ".tmp";
    errno = 0;
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr) {
        lastIoError_ = ErrnoText(errno != 0 ? errno : EACCES);
        return prmCannotWrite;
    }
    errno = 0;
    bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    ok = std::fflush(f) == 0 && ok;
    int err = errno;
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok) {
        errno = 0;
        if (std::rename(temp.c_str(), PrmFileName.c_str()) == 0) return prmOk;
        err = errno;
    }
    lastIoError_ = ErrnoText(err != 0 ? err : EIO);
    std::remove(temp.c_str());
    return prmCannotWrite;
}

} // namespace lmx
