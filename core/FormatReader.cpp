#include "core/FormatReader.h"

#include "common/Text.h"
#include "common/Basics.h"

#include <array>
#include <limits>
#include <string>
#include <vector>

namespace lmx {

namespace {

bool ColumnFault(FormatRead& read, int32_t k, int field, std::string_view value) {
    if (read.fault.entry == 0) {
        read.fault.entry = k;
        read.fault.field = field;
        read.fault.value = value;
    }
    return false;
}

// A code field holds exactly "0", "1" or "2".
template <typename Code>
bool ReadCode(std::string_view text, Code& code) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '2') return false;
    code = static_cast<Code>(text[0] - '0');
    return true;
}

// The lines of one block after its NOM line.
StatusCode ReadBlock(FmtLineReader& in, FormatRead& read) {
    Format& f = read.format;
    FmtReadFault& fault = read.fault;
    std::string line;
    std::string_view key;
    std::string_view value;
    // The descriptive faults in file order: the first is the one worth showing, the last sets the
    // code. DEC equal to SEP waits for the end of the block: fields in quotes allow it.
    // So does a grouping separator equal to SEP.
    struct Pending {
        const char* key;
        int64_t line;
        std::string found;
        bool atEnd;
        bool quotesAllow = false;
    };
    std::vector<Pending> pending;
    const auto descrFault = [&](const char* expected, bool atEnd, bool quotesAllow = false) {
        pending.push_back(Pending{expected, in.LineNo(), atEnd ? std::string() : line, atEnd, quotesAllow});
    };
    const auto descrResult = [&] {
        if (f.quoting != QuoteMode::None) std::erase_if(pending, [](const Pending& p) { return p.quotesAllow; });
        if (pending.empty()) return StatusCode::Ok;
        const Pending& first = pending.front();
        fault.descrLine = first.line;
        fault.descrKey = first.key;
        fault.descrAtEnd = first.atEnd;
        fault.descrFound = first.found;
        return pending.back().atEnd ? StatusCode::FmtEmptyName : StatusCode::FmtBadDescr;
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
        if (key == "CMT") f.comment = value;
        else descrFault("CMT", false);
    }
    int32_t n = 0;
    bool countSet = false;
    if (next("CLC")) {
        if (key == "CLC" && StrToInt32(value, n) && n > 0) {
            f.countText = value;
            countSet = true;
        } else {
            descrFault("CLC", false);
        }
    }
    if (next("SEP")) {
        if (key == "SEP" && !value.empty()) f.colSep = value;
        else descrFault("SEP", false);
    }
    if (next("DEC")) {
        if (key == "DEC" && !value.empty()) f.decSep = value;
        if (key != "DEC" || value.empty()) descrFault("DEC", false);
        else if (value == f.colSep) descrFault("DEC", false, true);
    }
    if (next("IFL")) {
        if (key == "IFL" && CheckValue(ckNonNegativeInt, value)) f.skipText = value;
        else descrFault("IFL", false);
    }
    if (!countSet) return descrResult();

    // The count is not trusted for an allocation: columns come with the COL lines that back them.
    StatusCode result = StatusCode::Ok;
    int64_t k = 0;
    bool blockEnded = false;
    bool columnsOk = true;
    Column col;
    while (!in.AtEnd()) {
        in.ReadLine(line);
        key = LineKey(line);
        value = LineValue(line);
        if (key == "HDR") {
            f.headers.emplace_back(value);
        } else if (key == "GUI" || key == "MIL") {
            // Once each; a quote cannot separate the fields it encloses, nor group digits.
            bool ok = false;
            if (key == "GUI" && f.quoting == QuoteMode::None && (value == "1" || value == "2") && f.colSep != "\"" &&
                f.decSep != "\"") {
                f.quoting = static_cast<QuoteMode>(value[0] - '0');
                ok = true;
            } else if (key == "MIL" && f.groupSep.empty() && GroupSepUsable(value, f.colSep, f.decSep, true)) {
                f.groupSep = value;
                ok = true;
                if (value == f.colSep) descrFault("MIL", false, true);
            }
            if (!ok) descrFault(key == "GUI" ? "GUI" : "MIL", false);
        } else if (key == "COL") {
            ++k;
            if (k > n) result = StatusCode::FmtTooManyColsAtEof;
            if (k <= std::numeric_limits<int32_t>::max() && ReadColumn(static_cast<int32_t>(k), value, col, read)) {
                if (columnsOk) f.columns.push_back(col);
            } else {
                if (columnsOk) fault.colLine = in.LineNo();
                columnsOk = false;
            }
        } else {
            blockEnded = true; // this line is consumed with the block
            if (k != n) result = StatusCode::FmtColCountDiffers;
            break;
        }
    }
    if (!blockEnded && k < n) result = StatusCode::FmtColCountDiffers;
    fault.colLines = k;
    fault.colCount = n;
    const StatusCode descr = descrResult();
    if (!columnsOk) return StatusCode::FmtBadColumn;
    return result != StatusCode::Ok ? result : descr;
}

} // namespace

bool ReadColumn(int32_t k, std::string_view value, Column& col, FormatRead& read) {
    if (k < 1) return false;
    if (value.empty()) return ColumnFault(read, k, cfName, value);
    std::array<std::string_view, cfCount> field{};
    std::size_t pos = 0;
    for (std::size_t i = 0; i < field.size() && pos <= value.size(); ++i) {
        const std::size_t bar = value.find('|', pos);
        if (bar == std::string_view::npos) {
            field[i] = value.substr(pos);
            pos = value.size() + 1;
        } else {
            field[i] = value.substr(pos, bar - pos);
            pos = bar + 1;
        }
    }

    if (field[cfName].empty()) return ColumnFault(read, k, cfName, field[cfName]);
    col.name = field[cfName];
    const std::string_view type = field[cfType];
    if (type != "A" && type != "AN" && !IsNumberType(type)) {
        if (type.size() < 2 || !CheckValue(ckDateLayout, type.substr(1))) return ColumnFault(read, k, cfType, type);
    }
    col.SetTypeText(type);
    if (!ReadCode(field[cfCaseRule], col.casing)) return ColumnFault(read, k, cfCaseRule, field[cfCaseRule]);
    if (!ReadCode(field[cfControl], col.control)) return ColumnFault(read, k, cfControl, field[cfControl]);
    if (!ReadCode(field[cfAffixType], col.affix)) return ColumnFault(read, k, cfAffixType, field[cfAffixType]);
    if (col.affix != AffixCode::None && field[cfAffixText].empty())
        return ColumnFault(read, k, cfAffixText, field[cfAffixText]);
    col.affixText = field[cfAffixText];
    return true;
}

FormatRead ReadFormat(FmtLineReader& in, const std::string& name) {
    FormatRead read;
    if (name.empty()) {
        read.status.code = StatusCode::FmtEmptyName;
        return read;
    }
    StatusCode result = StatusCode::FmtNotFound;
    std::string line;
    in.ReadLine(line);
    // The end test comes first: the file's last line is never taken as the wanted NOM line.
    while (!in.AtEnd()) {
        if (LineKey(line) == "NOM" && LineValue(line) == name) {
            read.format.name = name;
            result = ReadBlock(in, read);
            break;
        }
        in.ReadLine(line);
    }
    // The wanted NOM as the file's last line is a block cut off before its descriptive lines,
    // not a missing format.
    if (result == StatusCode::FmtNotFound && LineKey(line) == "NOM" && LineValue(line) == name) {
        read.format.name = name;
        result = StatusCode::FmtEmptyName;
        read.fault.descrLine = in.LineNo();
        read.fault.descrKey = "CMT";
        read.fault.descrAtEnd = true;
    }
    read.status.code = in.Failed() ? StatusCode::FmtOpenFailed : result;
    return read;
}

} // namespace lmx
