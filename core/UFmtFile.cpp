#include "core/UFmtFile.h"

#include "common/Text.h"
#include "common/UCommuns.h"
#include "common/UDurable.h"
#include "env/ULang.h"

#include <filesystem>
#include <limits>

namespace fs = std::filesystem;

namespace lmx {

namespace {

bool PathExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::path(path), ec);
}

bool IsCode012(const std::string& s) { return s == "0" || s == "1" || s == "2"; }

} // namespace

FmtFile::FmtFile(FormatState& state, const LangTexts& lang, IMessages& messages)
    : state_(state), lang_(lang), messages_(messages), writer_([](const std::string& path, std::string_view content) {
          std::string error;
          return WriteFileDurably(path, content, error);
      }) {}

std::string FmtFile::BackupFileName() const { return ChangeFileExt(FmtFileName, ".old"); }

int FmtFile::FmtLoadList() {
    state_.FmtNames.clear();
    state_.ColNames.clear();
    try {
        if (!PathExists(FmtFileName)) return frNoFile;
        FmtLineReader in;
        if (!in.Open(FmtFileName)) return frNoFormat;
        std::string line;
        while (in.ReadLine(line)) {
            const std::string_view key = LineKey(line);
            const std::string_view value = LineValue(line);
            if (key == "NOM") {
                state_.FmtNames.emplace_back(value);
            } else if (key == "COL") {
                // A value without a bar gives an empty name: the column is malformed anyway.
                const auto bar = value.find('|');
                state_.ColNames.emplace_back(bar == std::string_view::npos ? std::string_view() : value.substr(0, bar));
            }
        }
        if (in.Failed()) {
            state_.FmtNames.clear();
            state_.ColNames.clear();
            return frNoFormat;
        }
        SortNames(state_.FmtNames);
        return state_.FmtNames.empty() ? frNoFormat : frOk;
    } catch (...) {
        state_.FmtNames.clear();
        state_.ColNames.clear();
        return frNoFormat;
    }
}

int FmtFile::FmtLoadDescription(int mode, const std::string& name) {
    fault_ = FmtReadFault{};
    try {
        if (name.empty()) return frEmptyName;
        if (!PathExists(FmtFileName)) return frNoFile;
        TFmtDef& work = state_.FmtWork;
        work.Clear();

        FmtLineReader in;
        if (!in.Open(FmtFileName)) return frOpenFailed;
        int result = frNotFound;
        std::string line;
        in.ReadLine(line);
        // The end test comes first: the file's last line is never taken as the wanted NOM line.
        while (!in.AtEnd()) {
            if (LineKey(line) == "NOM" && LineValue(line) == name) {
                work.Name = name;
                result = FmtReadBlock(in);
                break;
            }
            in.ReadLine(line);
        }
        // The wanted NOM as the file's last line is a block cut off before its descriptive lines,
        // not a missing format.
        if (result == frNotFound && LineKey(line) == "NOM" && LineValue(line) == name) {
            work.Name = name;
            result = frEmptyName;
            fault_.descrLine = in.LineNo();
            fault_.descrKey = "CMT";
            fault_.descrAtEnd = true;
        }
        const bool readFailed = in.Failed();
        in.Close();
        if (readFailed) return frOpenFailed;
        if (result != frOk) return result;

        int32_t n = 0;
        if (!StrToInt32(work.ColCount, n) || n <= 0) return frBadColCount;

        if (mode == flmInput) {
            if (!CopyLoaded(state_.FmtIn, state_.InColCount, state_.InDateSep, state_.InDateFmt)) return frCopyIn;
        } else if (mode == flmOutput) {
            if (!CopyLoaded(state_.FmtOut, state_.OutColCount, state_.OutDateSep, state_.OutDateFmt))
                return frCopyOut;
        }
        return frOk;
    } catch (...) {
        return frOpenFailed;
    }
}

bool FmtFile::CopyLoaded(TFmtDef& target, int32_t& colCount, std::string& dateSep, std::string& dateFmt) {
    try {
        const TFmtDef& work = state_.FmtWork;
        int32_t n = 0;
        if (!StrToInt32(work.ColCount, n) || n <= 0) return false;
        const auto count = static_cast<std::size_t>(n);
        if (work.Cols.size() < count || work.IsDate.size() < count) return false;
        const auto hdrCount = static_cast<std::size_t>(work.HdrCount < 0 ? 0 : work.HdrCount);
        if (work.Hdr.size() < hdrCount) return false;

        // Built apart and moved in, so that a failure leaves the target as it was.
        TFmtDef copy;
        copy.Name = work.Name;
        copy.Comment = work.Comment;
        copy.ColCount = work.ColCount;
        copy.ColSep = work.ColSep;
        copy.DecSep = work.DecSep;
        copy.JmpLines = work.JmpLines;
        copy.HdrLn = work.HdrLn;
        copy.HdrCount = static_cast<int32_t>(hdrCount);
        copy.Hdr.assign(work.Hdr.begin(), work.Hdr.begin() + static_cast<std::ptrdiff_t>(hdrCount));
        copy.Cols.assign(work.Cols.begin(), work.Cols.begin() + n);
        copy.IsDate.assign(work.IsDate.begin(), work.IsDate.begin() + n);

        target = std::move(copy);
        colCount = n;
        if (state_.DateRemembered) {
            dateSep = state_.RememberedDateSep.substr(0, 1);
            dateFmt = state_.RememberedDateFmt;
        }
        return true;
    } catch (...) {
        return false;
    }
}

int FmtFile::FmtReadBlock(FmtLineReader& in) {
    TFmtDef& work = state_.FmtWork;
    int result = frOk;
    std::string line;
    std::string_view key;
    std::string_view value;
    // The first descriptive fault is the one worth showing.
    const auto descrFault = [&](const char* expected, bool atEnd) {
        result = atEnd ? frEmptyName : frBadDescr;
        if (!fault_.descrKey.empty()) return;
        fault_.descrLine = in.LineNo();
        fault_.descrKey = expected;
        fault_.descrAtEnd = atEnd;
        if (!atEnd) fault_.descrFound = line;
    };
    // One descriptive line; a failed step does not stop the following ones.
    const auto next = [&](const char* expected) {
        if (in.AtEnd()) {
            descrFault(expected, true);
            return false;
        }
        in.ReadLine(line);
        key = LineKey(line);
        value = LineValue(line);
        return true;
    };

    if (next("CMT")) {
        if (key == "CMT") work.Comment = value;
        else descrFault("CMT", false);
    }
    bool countSet = false;
    if (next("CLC")) {
        if (key == "CLC" && CheckValue(ckPositiveInt, value)) {
            work.ColCount = value;
            countSet = true;
        } else {
            descrFault("CLC", false);
        }
    }
    if (next("SEP")) {
        if (key == "SEP" && !value.empty()) work.ColSep = value;
        else descrFault("SEP", false);
    }
    if (next("DEC")) {
        if (key == "DEC" && !value.empty() && value != work.ColSep) work.DecSep = value;
        else descrFault("DEC", false);
    }
    if (next("IFL")) {
        if (key == "IFL" && CheckValue(ckNonNegativeInt, value)) work.JmpLines = value;
        else descrFault("IFL", false);
    }
    if (!countSet) return result;

    int32_t n = 0;
    StrToInt32(work.ColCount, n);
    // The count is not trusted for an allocation: entries come with the COL lines that back them.
    work.Cols.clear();
    work.IsDate.clear();
    work.Hdr.clear();
    work.HdrCount = 0;
    work.HdrLn = "0";

    int64_t k = 0;
    bool blockEnded = false;
    bool columnsOk = true;
    while (!in.AtEnd()) {
        in.ReadLine(line);
        key = LineKey(line);
        value = LineValue(line);
        if (key == "HDR") {
            work.Hdr.emplace_back(value);
            ++work.HdrCount;
            work.HdrLn = IntToStr(work.HdrCount);
        } else if (key == "COL") {
            ++k;
            if (k > n) result = frTooManyColsAtEof;
            if (k > std::numeric_limits<int32_t>::max() || !FmtReadColumn(static_cast<int32_t>(k), std::string(value))) {
                if (columnsOk) fault_.colLine = in.LineNo();
                columnsOk = false;
            }
        } else {
            blockEnded = true; // this line is consumed with the block
            if (k != n) result = frColCountDiffers;
            break;
        }
    }
    if (!blockEnded && k < n) result = frColCountDiffers;
    fault_.colLines = k;
    fault_.colCount = n;
    if (!columnsOk) return frBadColumn;
    return result;
}

bool FmtFile::ColumnFault(int32_t k, int field, const std::string& value) {
    if (fault_.entry == 0) {
        fault_.entry = k;
        fault_.field = field;
        fault_.value = value;
    }
    return false;
}

bool FmtFile::FmtReadColumn(int32_t k, const std::string& value) {
    if (k < 1) return false;
    if (value.empty()) return ColumnFault(k, cfName, value);
    try {
        ColEntry entry;
        std::size_t pos = 0;
        for (std::size_t f = 0; f < cfCount && pos <= value.size(); ++f) {
            const std::size_t bar = value.find('|', pos);
            if (bar == std::string::npos) {
                entry[f] = value.substr(pos);
                pos = value.size() + 1;
            } else {
                entry[f] = value.substr(pos, bar - pos);
                pos = bar + 1;
            }
        }

        TFmtDef& work = state_.FmtWork;
        const auto idx = static_cast<std::size_t>(k - 1);
        if (work.Cols.size() <= idx) work.Cols.resize(idx + 1);
        if (work.IsDate.size() <= idx) work.IsDate.resize(idx + 1, 0);
        work.Cols[idx] = entry; // kept even when a test below fails
        work.IsDate[idx] = 0;

        if (entry[cfName].empty()) return ColumnFault(k, cfName, entry[cfName]);
        const std::string& type = entry[cfType];
        if (type != "A" && type != "N" && type != "AN") {
            if (type.size() < 2 || !CheckValue(ckDateLayout, std::string_view(type).substr(1)))
                return ColumnFault(k, cfType, type);
            state_.DateRemembered = true;
            state_.RememberedDateSep = type.substr(0, 1);
            state_.RememberedDateFmt = type.substr(1);
            work.IsDate[idx] = 1;
        }
        for (const ColField f : {cfCasse, cfControl, cfFixeType})
            if (!IsCode012(entry[f])) return ColumnFault(k, f, entry[f]);
        if (entry[cfFixeType] != "0" && entry[cfFixeText].empty()) return ColumnFault(k, cfFixeText, entry[cfFixeText]);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace lmx
