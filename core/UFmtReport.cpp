#include "core/UFmtReport.h"

#include "common/Text.h"
#include "common/UCommuns.h"
#include "core/UFmtCheck.h"
#include "core/ULog.h"
#include "env/ULang.h"

namespace lmx {

namespace {

// The report only reads the file: nothing is ever shown or asked.
class NoMessages final : public IMessages {
public:
    void Show(const std::string&) override {}
    bool Confirm(const std::string&) override { return false; }
};

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

std::string LayoutList() {
    std::string out;
    for (const std::string_view l : DateLayouts()) {
        if (!out.empty()) out += ", ";
        out += l;
    }
    return out;
}

// What the descriptive line of the key must hold.
const char* DescrRule(const std::string& key) {
    if (key == "CMT") return "CMT= and the comment";
    if (key == "CLC") return "CLC= and a whole number greater than 0";
    if (key == "SEP") return "SEP= and the column separator (not empty)";
    if (key == "DEC") return "DEC= and the decimal separator (not empty, not the column separator)";
    return "IFL= and a whole number, 0 or more";
}

std::string ColumnFieldProblem(const FmtReadFault& f) {
    const std::string where = "line " + IntToStr(f.colLine) + " (column " + IntToStr(f.entry) + "): ";
    switch (f.field) {
    case cfName: return where + "field 1 (name) is empty";
    case cfType:
        return where + "field 2 (type) " + Quoted(f.value) +
               " is not N, AN, A, nor a date separator followed by one of the ten date layouts (" + LayoutList() + ")";
    case cfCasse: return where + "field 3 (forced case) " + Quoted(f.value) + " is not 0, 1 or 2";
    case cfControl: return where + "field 4 (control) " + Quoted(f.value) + " is not 0, 1 or 2";
    case cfFixeType: return where + "field 5 (prefix or suffix) " + Quoted(f.value) + " is not 0, 1 or 2";
    case cfFixeText: return where + "field 6 (prefix or suffix text) is empty while field 5 asks for one";
    default: return where + "the line cannot be read";
    }
}

std::string DescrProblem(const FmtReadFault& f) {
    if (f.descrKey.empty()) return {};
    if (f.descrAtEnd) return "the file ends after line " + IntToStr(f.descrLine) + ", where " + f.descrKey + "= was expected";
    return "line " + IntToStr(f.descrLine) + " should be " + DescrRule(f.descrKey) + ", it is " + Quoted(f.descrFound);
}

std::string Detail(int code, const FmtReadFault& f) {
    std::string out;
    switch (code) {
    case frColCountDiffers:
    case frTooManyColsAtEof:
        out = "CLC=" + IntToStr(f.colCount) + " but the block has " + IntToStr(f.colLines) + " COL line(s)";
        break;
    case frBadColumn:
        if (f.entry > 0) out = ColumnFieldProblem(f);
        break;
    default:
        break;
    }
    // A later fault decides the code, yet a cut-off or bad descriptive line is where to look first.
    const std::string descr = DescrProblem(f);
    if (!descr.empty()) out = out.empty() ? descr : descr + "; " + out;
    return out;
}

const char* ControlWord(const std::string& code) {
    if (code == "0") return "never";
    if (code == "1") return "always";
    if (code == "2") return "if not empty";
    return "?";
}

const char* CaseWord(const std::string& code) {
    if (code == "0") return "as is";
    if (code == "1") return "upper";
    if (code == "2") return "lower";
    return "?";
}

} // namespace

std::string FmtLoadProblem(const std::string& name, int code, const FmtReadFault& fault) {
    if (name.empty() && code == frEmptyName) return "the block's NOM line gives no name: it can never be chosen";
    std::string out = "code " + IntToStr(code) + ", " + FmtResultMeaning(code);
    const std::string detail = Detail(code, fault);
    if (!detail.empty()) out += ": " + detail;
    return out;
}

std::size_t FmtFileReport::PassedCount() const {
    std::size_t n = 0;
    for (const FmtCheck& c : formats) n += c.passed ? 1 : 0;
    return n;
}

bool CheckLoadedFormat(const TFmtDef& f, const LangTexts& lang, std::vector<std::string>& messages) {
    int32_t count = 0;
    StrToInt32(f.ColCount, count);
    ColList columns;
    ColListFromFmt(f, count, columns);
    // The editor checks each column as it stores it; the save then lists the reasons of the invalid ones.
    for (TColonne& col : columns) col.Valid = CheckColonne(col, f.DecSep, f.ColSep, false, nullptr, lang);

    FmtEditorValues v;
    v.EditFmtName = f.Name;
    v.Comment = f.Comment;
    v.ColCountText = f.ColCount;
    v.TabSep = f.ColSep == "\t";
    v.ColSepText = f.ColSep;
    v.DecSepText = f.DecSep;
    v.JmpLinesText = f.JmpLines;
    v.HdrOn = f.HdrCount > 0;
    v.HdrLines = f.Hdr;
    v.Columns = &columns;

    TFmtDef work = f; // the checks fill the record they are given: never the caller's
    std::vector<std::string> colLines;
    ErrList errors;
    const bool ok = CheckFormatForSave(v, work, colLines, errors, lang);
    for (std::string& line : ErrListToMemo(&errors)) messages.push_back(std::move(line));
    return ok;
}

FmtFileReport CheckFormatFile(const std::string& fmtPath, const LangTexts& lang) {
    FmtFileReport report;
    FormatState state;
    NoMessages quiet;
    FmtFile file(state, lang, quiet);
    file.FmtFileName = fmtPath;
    report.listCode = file.FmtLoadList();
    if (report.listCode != frOk) return report;

    const std::vector<std::string> names = state.FmtNames; // sorted: equal names stand together
    for (std::size_t i = 0; i < names.size(); ++i) {
        FmtCheck c;
        c.name = names[i];
        std::size_t same = 1;
        while (i + 1 < names.size() && names[i + 1] == c.name) {
            ++same;
            ++i;
        }
        if (same > 1) c.notes.push_back(IntToStr(static_cast<int64_t>(same)) + " blocks carry this name: only the first is ever loaded");
        c.code = file.FmtLoadDescription(flmWorkOnly, c.name);
        if (c.code != frOk) c.problem = FmtLoadProblem(c.name, c.code, file.LastFault());
        else c.passed = CheckLoadedFormat(state.FmtWork, lang, c.messages);
        report.formats.push_back(std::move(c));
    }
    return report;
}

std::string ColumnDescription(std::size_t number, const ColEntry& c) {
    const std::string& type = c[cfType];
    const bool plain = type == "N" || type == "AN" || type == "A";
    std::string line = " Col(" + IntToStr(static_cast<int64_t>(number)) + ")";
    if (line.size() < 10) line.append(10 - line.size(), ' ');
    line += ">" + c[cfName] + "<  |  Type >" + (plain ? type : type.substr(type.empty() ? 0 : 1)) + "<  |  DtSep >" +
            (plain ? std::string() : type.substr(0, 1)) + "<  |  Control >" + ControlWord(c[cfControl]) +
            "<  |  Case >" + CaseWord(c[cfCasse]) + "<  |  ";
    if (c[cfFixeType] == "1") line += "Prefix >" + c[cfFixeText] + "<";
    else if (c[cfFixeType] == "2") line += "Suffix >" + c[cfFixeText] + "<";
    else line += "Prefix/Suffix >none<";
    return line;
}

std::vector<std::string> FormatDescription(const TFmtDef& f) {
    std::vector<std::string> lines = Log::FormatLines(f);
    for (std::size_t i = 0; i < f.Cols.size(); ++i) lines.push_back(ColumnDescription(i + 1, f.Cols[i]));
    return lines;
}

} // namespace lmx
