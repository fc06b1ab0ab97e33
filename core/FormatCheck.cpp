#include "core/FormatCheck.h"

#include "common/Text.h"
#include "common/Basics.h"
#include "env/LangTexts.h"

#include <algorithm>

namespace lmx {

namespace {

void Add(ErrList& list, std::string label, std::string key, std::string text) {
    list.push_back(EditorMessage{std::move(label), std::move(key), std::move(text)});
}

// Layouts without separators, and the plain types, carry no date separator to check.
bool HasDateSeparator(const std::string& type) {
    return type != "N" && type != "AN" && !LayoutWithoutSeparator(type);
}

} // namespace

FmtGeneralValues GeneralValuesOf(const Format& f) {
    FmtGeneralValues g;
    g.Comment = f.comment;
    g.ColCountText = f.countText;
    g.TabSep = f.colSep == "\t";
    g.ColSepText = g.TabSep ? std::string() : f.colSep;
    g.DecSepText = f.decSep;
    g.DecSample = "(0" + f.decSep + "00)";
    g.JmpLinesText = f.skipText;
    g.HdrOn = !f.headers.empty();
    g.HdrLines = f.headers;
    g.Quoting = f.quoting;
    g.GroupSepText = f.groupSep;
    return g;
}

bool CheckDraft(const ColumnDraft& col, const std::string& decSep, const std::string& colSep, bool addMessages,
                  ErrList* errList, const LangTexts& lang) {
    ErrList found;
    if (col.ColName.empty() || col.ColName == kBlankColName)
        Add(found, kDetailLabel, "SvColName", lang.Format(LK::err_fmtDColName, {col.ColName}));

    if (HasDateSeparator(col.ColType)) {
        // Only the first rule that applies is reported.
        if (col.DtSep.empty())
            Add(found, kDetailLabel, "SvColDtSep", lang.Text(LK::err_fmtDDateSep));
        else if (col.DtSep == decSep)
            Add(found, kDetailLabel, "SvColDtSepDecSep", lang.Text(LK::err_fmtDDtDecSep));
        else if (col.DtSep == colSep)
            Add(found, kDetailLabel, "SvColDtSepColSep", lang.Text(LK::err_fmtDDtColSep));
        else if (col.DtSep == "|")
            Add(found, kDetailLabel, "SvColDtSep", lang.Text(LK::err_fmtDPipeSep));
    }

    if (col.AffixOn &&
        ((col.AffixType != AffixCode::Prefix && col.AffixType != AffixCode::Suffix) || col.AffixText.empty()))
        Add(found, kDetailLabel, "SvColFixeType", lang.Text(LK::err_fmtDPrSfixe));

    if (col.CaseOn && col.CaseRule != CaseCode::Upper && col.CaseRule != CaseCode::Lower)
        Add(found, kDetailLabel, "SvColCasse", lang.Text(LK::err_fmtDCasse));

    if (addMessages && errList) errList->insert(errList->end(), found.begin(), found.end());
    return found.empty();
}

bool CheckFormatForSave(const FmtEditorValues& v, Format& work, ErrList& errList, const LangTexts& lang) {
    const FmtGeneralValues& g = v.General;
    errList.clear();
    std::vector<std::string> colLines;
    const std::string& error = lang.Text(LK::itm_error);
    const std::string& info = lang.Text(LK::itm_info);
    // Counted apart: a language file may give both labels the same text.
    bool failed = false;
    const auto addError = [&](std::string key, std::string text) {
        Add(errList, error, std::move(key), std::move(text));
        failed = true;
    };

    if (!v.EditFmtName.empty()) work.name = v.EditFmtName;
    else addError("FmtName", lang.Text(LK::err_fmtDFName));

    work.comment = g.Comment;

    int32_t count = 0;
    if (StrToInt32(g.ColCountText, count) && count > 0) work.countText = g.ColCountText;
    else addError("ColCount", lang.Text(LK::err_fmtDColCount));

    const std::string colSep = g.TabSep ? std::string("\t") : g.ColSepText;
    if (colSep.empty()) addError("SepCols", lang.Text(LK::err_fmtDColSep));
    else work.colSep = colSep;

    if (!g.DecSepText.empty()) work.decSep = g.DecSepText;
    else addError("SepDec", lang.Text(LK::err_fmtDDecSep));
    // Only fields in quotes tell a decimal separator from the column separator.
    if (!g.DecSepText.empty() && g.DecSepText == colSep && g.Quoting == QuoteMode::None)
        addError("SepDec", lang.Format(LK::hnt_fmtSepIsCol, {g.DecSepText}));

    work.skipText = g.JmpLinesText;

    // The fields' quotes and the grouping separator: a quote cannot separate what it encloses.
    work.quoting = g.Quoting;
    if (g.Quoting != QuoteMode::None && (colSep == "\"" || g.DecSepText == "\""))
        addError("Quotes", lang.Text(LK::err_fmtDQuoteSep));
    work.groupSep = g.GroupSepText;
    if (!g.GroupSepText.empty() && !GroupSepUsable(g.GroupSepText, colSep, g.DecSepText, g.Quoting != QuoteMode::None))
        addError("GroupSep", lang.Text(LK::err_fmtDGrpSep));

    if (g.HdrOn) work.headers = g.HdrLines;
    else work.headers.clear();

    int32_t skip = 0;
    if (!StrToInt32(g.JmpLinesText, skip)) {
        // No language text exists for this one: the wording is the program's own. The save stops here,
        // so the error line (key "JmpLines") is the last of the list and nothing is written.
        addError("JmpLines",
            "Nombre de lignes \xE0 ignorer (lecture) non num\xE9rique : \"" + g.JmpLinesText + "\".");
        return false;
    }
    if (skip < 0 || static_cast<std::size_t>(skip) != work.headers.size())
        Add(errList, info, "HdrCount", lang.Text(LK::err_fmtDIgnAdd));

    const bool storeFailed = v.ShownTab >= 0 && v.StoreShown && !v.StoreShown(v.ShownTab);
    if (storeFailed) addError("SvColDscr", lang.Format(LK::err_fmtDNoSave, {IntToStr(v.ShownTab)}));

    if (v.Columns) {
        int64_t number = 0;
        for (const ColumnDraft& col : *v.Columns) {
            ++number;
            if (col.Valid) continue;
            addError("BadColDscr", lang.Format(LK::err_fmtDInvalid, {IntToStr(number), col.ColName}));
            CheckDraft(col, g.DecSepText, colSep, true, &errList, lang);
        }
        work.columns.clear();
        for (const ColumnDraft& col : *v.Columns) {
            work.columns.push_back(ColumnFromDraft(col));
            colLines.push_back(work.columns.back().Text());
        }
    }

    // What the file cannot carry is refused here, whoever fills the values: a "|" inside a field is
    // cut off on reading, a line break ends the line (and may start a block of its own).
    for (std::size_t i = 0; i < colLines.size(); ++i)
        if (std::count(colLines[i].begin(), colLines[i].end(), '|') != cfCount - 1)
            addError("SvColPipe", FillPlaceholders("Le caract\xE8re | (pipe) ne peut pas figurer dans la d\xE9" "finition "
                                                   "de la colonne %s.", {IntToStr(static_cast<int64_t>(i + 1))}));
    bool lineBreak = false;
    for (const std::string* text :
         {&v.EditFmtName, &g.Comment, &g.ColCountText, &g.ColSepText, &g.DecSepText, &g.JmpLinesText, &g.GroupSepText})
        lineBreak = lineBreak || HasLineBreak(*text);
    if (g.HdrOn)
        for (const std::string& line : g.HdrLines) lineBreak = lineBreak || HasLineBreak(line);
    for (const std::string& line : colLines) lineBreak = lineBreak || HasLineBreak(line);
    if (lineBreak)
        addError("LineBreak", "Une valeur contient un retour \xE0 la ligne, qui ne peut pas \xEAtre enregistr\xE9.");
    return !failed;
}

std::vector<std::string> ErrListToMemo(const ErrList* list) {
    std::vector<std::string> memo;
    if (!list) return memo;
    memo.reserve(list->size());
    for (const EditorMessage& e : *list) memo.push_back(e.Label + " " + e.Text);
    return memo;
}

} // namespace lmx
