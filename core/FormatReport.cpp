#include "core/FormatReport.h"

#include "common/Text.h"
#include "common/Basics.h"
#include "core/FormatCheck.h"
#include "core/Log.h"
#include "env/LangTexts.h"

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
LK DescrRule(const std::string& key) {
    if (key == "CMT") return LK::err_fmtRdRuleCmt;
    if (key == "CLC") return LK::err_fmtRdRuleClc;
    if (key == "SEP") return LK::err_fmtRdRuleSep;
    if (key == "DEC") return LK::err_fmtRdRuleDec;
    if (key == "GUI") return LK::err_fmtRdRuleGui;
    if (key == "MIL") return LK::err_fmtRdRuleMil;
    return LK::err_fmtRdRuleIfl;
}

std::string ColumnFieldProblem(const FmtReadFault& f, const LangTexts& lang) {
    const std::string where = lang.Format(LK::err_fmtRdWhere, {IntToStr(f.colLine), IntToStr(f.entry)}) + ": ";
    switch (f.field) {
    case cfName: return where + lang.Text(LK::err_fmtRdFieldName);
    case cfType: return where + lang.Format(LK::err_fmtRdFieldType, {Quoted(f.value), LayoutList()});
    case cfCaseRule: return where + lang.Format(LK::err_fmtRdFieldCase, {Quoted(f.value)});
    case cfControl: return where + lang.Format(LK::err_fmtRdFieldCtrl, {Quoted(f.value)});
    case cfAffixType: return where + lang.Format(LK::err_fmtRdFieldFixe, {Quoted(f.value)});
    case cfAffixText: return where + lang.Text(LK::err_fmtRdFieldText);
    default: return where + lang.Text(LK::err_fmtRdBadLine);
    }
}

std::string DescrProblem(const FmtReadFault& f, const LangTexts& lang) {
    if (f.descrKey.empty()) return {};
    if (f.descrAtEnd) return lang.Format(LK::err_fmtRdEndsAfter, {IntToStr(f.descrLine), f.descrKey});
    return lang.Format(LK::err_fmtRdShouldBe,
                       {IntToStr(f.descrLine), lang.Text(DescrRule(f.descrKey)), Quoted(f.descrFound)});
}

std::string Detail(StatusCode code, const FmtReadFault& f, const LangTexts& lang) {
    std::string out;
    switch (code) {
    case StatusCode::FmtColCountDiffers:
    case StatusCode::FmtTooManyColsAtEof:
        out = lang.Format(LK::err_fmtRdColLines, {IntToStr(f.colCount), IntToStr(f.colLines)});
        break;
    case StatusCode::FmtBadColumn:
        if (f.entry > 0) out = ColumnFieldProblem(f, lang);
        break;
    default:
        break;
    }
    // A later fault decides the code, yet a cut-off or bad descriptive line is where to look first.
    const std::string descr = DescrProblem(f, lang);
    if (!descr.empty()) out = out.empty() ? descr : descr + "; " + out;
    return out;
}

// What each reader code means: the one wording for every message that must say why a format
// does not load.
LK Meaning(StatusCode code) {
    switch (code) {
    case StatusCode::FmtEmptyName: return LK::err_fmtRdEmptyName;
    case StatusCode::FmtBadDescr: return LK::err_fmtRdBadDescr;
    case StatusCode::FmtColCountDiffers: return LK::err_fmtRdColCount;
    case StatusCode::FmtTooManyColsAtEof: return LK::err_fmtRdTooManyCols;
    case StatusCode::FmtBadColumn: return LK::err_fmtRdBadColumn;
    case StatusCode::FmtCopyIn: return LK::err_fmtRdCopyIn;
    case StatusCode::FmtCopyOut: return LK::err_fmtRdCopyOut;
    case StatusCode::FmtBadColCount: return LK::err_fmtRdBadColCount;
    case StatusCode::FmtNotFound: return LK::err_fmtRdNotFound;
    case StatusCode::FmtNoFormat: return LK::err_fmtRdNoFormat;
    case StatusCode::FmtOpenFailed: return LK::err_fmtRdOpenFailed;
    case StatusCode::FmtNoFile: return LK::err_fmtRdNoFile;
    default: return LK::err_fmtRdUnknown;
    }
}

const char* ControlWord(ControlCode code) {
    switch (code) {
    case ControlCode::Never: return "never";
    case ControlCode::Always: return "always";
    case ControlCode::IfNotEmpty: return "if not empty";
    }
    return "?";
}

const char* CaseWord(CaseCode code) {
    switch (code) {
    case CaseCode::None: return "as is";
    case CaseCode::Upper: return "upper";
    case CaseCode::Lower: return "lower";
    }
    return "?";
}

} // namespace

std::string FmtLoadProblem(const std::string& name, StatusCode code, const FmtReadFault& fault, const LangTexts& lang) {
    if (name.empty() && code == StatusCode::FmtEmptyName) return lang.Text(LK::err_fmtRdNoName);
    std::string out = lang.Format(LK::err_fmtRdCode, {IntToStr(static_cast<int>(code)), lang.Text(Meaning(code))});
    const std::string detail = Detail(code, fault, lang);
    if (!detail.empty()) out += ": " + detail;
    return out;
}

std::size_t FmtFileReport::PassedCount() const {
    std::size_t n = 0;
    for (const FmtCheck& c : formats) n += c.passed ? 1 : 0;
    return n;
}

bool CheckLoadedFormat(const Format& f, const LangTexts& lang, std::vector<std::string>& messages) {
    ColList columns;
    // The editor checks each column as it stores it; the save then lists the reasons of the invalid ones.
    for (const Column& c : f.columns) {
        columns.push_back(DraftFromColumn(c));
        columns.back().Valid = CheckDraft(columns.back(), f.decSep, f.colSep, false, nullptr, lang);
    }

    FmtEditorValues v;
    v.EditFmtName = f.name;
    v.General = GeneralValuesOf(f);
    v.Columns = &columns;

    Format work = f; // the checks fill the value they are given: never the caller's
    ErrList errors;
    const bool ok = CheckFormatForSave(v, work, errors, lang);
    for (std::string& line : ErrListToMemo(&errors)) messages.push_back(std::move(line));
    return ok;
}

FmtFileReport CheckFormatFile(const std::string& fmtPath, const LangTexts& lang) {
    FmtFileReport report;
    ChosenFormats state;
    NoMessages quiet;
    FmtFile file(state, lang, quiet);
    file.FmtFileName = fmtPath;
    report.list = file.FmtLoadList();
    if (!report.list.Ok()) return report;

    const std::vector<std::string> names = state.Catalogue.FormatNames; // sorted: equal names stand together
    for (std::size_t i = 0; i < names.size(); ++i) {
        FmtCheck c;
        c.name = names[i];
        std::size_t same = 1;
        while (i + 1 < names.size() && names[i + 1] == c.name) {
            ++same;
            ++i;
        }
        if (same > 1) c.notes.push_back(lang.Format(LK::err_fmtRdSameName, {IntToStr(static_cast<int64_t>(same))}));
        const FormatRead read = file.Load(c.name);
        c.status = read.status;
        if (!c.status.Ok()) c.problem = FmtLoadProblem(c.name, c.status.code, read.fault, lang);
        else c.passed = CheckLoadedFormat(read.format, lang, c.messages);
        report.formats.push_back(std::move(c));
    }
    return report;
}

std::string ColumnDescription(std::size_t number, const Column& c) {
    const bool date = c.IsDate();
    std::string line = " Col(" + IntToStr(static_cast<int64_t>(number)) + ")";
    if (line.size() < 10) line.append(10 - line.size(), ' ');
    line += ">" + c.name + "<  |  Type >" + (date ? c.dateLayout : c.TypeText()) + "<  |  DtSep >" + c.dateSep +
            "<  |  Control >" + ControlWord(c.control) + "<  |  Case >" + CaseWord(c.casing) + "<  |  ";
    if (c.affix == AffixCode::Prefix) line += "Prefix >" + c.affixText + "<";
    else if (c.affix == AffixCode::Suffix) line += "Suffix >" + c.affixText + "<";
    else line += "Prefix/Suffix >none<";
    return line;
}

std::vector<std::string> FormatDescription(const Format& f) {
    std::vector<std::string> lines = Log::FormatLines(f);
    for (std::size_t i = 0; i < f.columns.size(); ++i) lines.push_back(ColumnDescription(i + 1, f.columns[i]));
    return lines;
}

} // namespace lmx
