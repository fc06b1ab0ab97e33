#include "core/UFmtCheck.h"

#include "common/Text.h"
#include "env/ULang.h"

#include <algorithm>

namespace lmx {

namespace {

void Add(ErrList& list, std::string label, std::string key, std::string text) {
    list.push_back(TErrCol{std::move(label), std::move(key), std::move(text)});
}

// The bars between the six fields of a COL value.
constexpr std::ptrdiff_t kFieldBars = static_cast<std::ptrdiff_t>(cfCount) - 1;

// Layouts without separators, and the plain types, carry no date separator to check.
bool HasDateSeparator(const std::string& type) {
    return type != "N" && type != "AN" && type != "YYMMDD" && type != "YYYYMMDD";
}

} // namespace

bool CheckColonne(const TColonne& col, const std::string& decSep, const std::string& colSep, bool addMessages,
                  ErrList* errList, const LangTexts& lang) {
    try {
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

        if (col.FixeOn && ((col.FixeType != fxPrefix && col.FixeType != fxSuffix) || col.FixeText.empty()))
            Add(found, kDetailLabel, "SvColFixeType", lang.Text(LK::err_fmtDPrSfixe));

        if (col.CasseOn && col.Casse != csUpper && col.Casse != csLower)
            Add(found, kDetailLabel, "SvColCasse", lang.Text(LK::err_fmtDCasse));

        if (addMessages && errList) errList->insert(errList->end(), found.begin(), found.end());
        return found.empty();
    } catch (...) {
        return false;
    }
}

bool CheckFormatForSave(const FmtEditorValues& v, TFmtDef& work, std::vector<std::string>& colLines,
                        ErrList& errList, const LangTexts& lang) {
    errList.clear();
    colLines.clear(); // never the lines of an earlier save
    const std::string& error = lang.Text(LK::itm_error);
    const std::string& info = lang.Text(LK::itm_info);
    // Counted apart: a language file may give both labels the same text.
    bool failed = false;
    const auto addError = [&](std::string key, std::string text) {
        Add(errList, error, std::move(key), std::move(text));
        failed = true;
    };

    if (!v.EditFmtName.empty()) work.Name = v.EditFmtName;
    else addError("FmtName", lang.Text(LK::err_fmtDFName));

    work.Comment = v.Comment;

    int32_t count = 0;
    if (StrToInt32(v.ColCountText, count) && count > 0) work.ColCount = v.ColCountText;
    else addError("ColCount", lang.Text(LK::err_fmtDColCount));

    const std::string colSep = v.TabSep ? std::string("\t") : v.ColSepText;
    if (colSep.empty()) addError("SepCols", lang.Text(LK::err_fmtDColSep));
    else work.ColSep = colSep;

    if (!v.DecSepText.empty()) work.DecSep = v.DecSepText;
    else addError("SepDec", lang.Text(LK::err_fmtDDecSep));

    work.JmpLines = v.JmpLinesText;

    if (v.HdrOn) {
        work.Hdr = v.HdrLines;
        work.HdrCount = static_cast<int32_t>(v.HdrLines.size());
        work.HdrLn = IntToStr(work.HdrCount);
    } else {
        work.HdrCount = 0;
    }

    int32_t skip = 0;
    if (!StrToInt32(v.JmpLinesText, skip)) {
        // No language text exists for this one: the wording is the program's own. The save stops here,
        // so the error line (key "JmpLines") is the last of the list and nothing is written.
        addError("JmpLines",
            "Nombre de lignes \xE0 ignorer (lecture) non num\xE9rique : \"" + v.JmpLinesText + "\".");
        return false;
    }
    if (skip != work.HdrCount) Add(errList, info, "HdrCount", lang.Text(LK::err_fmtDIgnAdd));

    bool storeFailed = false;
    if (v.ShownTab >= 0 && v.StoreShown) {
        try {
            storeFailed = !v.StoreShown(v.ShownTab);
        } catch (...) {
            storeFailed = true;
        }
    }
    if (storeFailed) addError("SvColDscr", lang.Format(LK::err_fmtDNoSave, {IntToStr(v.ShownTab)}));

    if (v.Columns) {
        try {
            int64_t number = 0;
            for (const TColonne& col : *v.Columns) {
                ++number;
                if (col.Valid) continue;
                addError("BadColDscr", lang.Format(LK::err_fmtDInvalid, {IntToStr(number), col.ColName}));
                CheckColonne(col, v.DecSepText, colSep, true, &errList, lang);
            }
        } catch (...) {
            failed = true;
        }
        for (const TColonne& col : *v.Columns) colLines.push_back(ColEntryText(col));
    }

    // What the file cannot carry is refused here, whoever fills the values: a "|" inside a field is
    // cut off on reading, a line break ends the line (and may start a block of its own).
    for (std::size_t i = 0; i < colLines.size(); ++i)
        if (std::count(colLines[i].begin(), colLines[i].end(), '|') != kFieldBars)
            addError("SvColPipe", FillPlaceholders("Le caract\xE8re | (pipe) ne peut pas figurer dans la d\xE9" "finition "
                                                   "de la colonne %s.", {IntToStr(static_cast<int64_t>(i + 1))}));
    bool lineBreak = false;
    for (const std::string* text : {&v.EditFmtName, &v.Comment, &v.ColCountText, &v.ColSepText, &v.DecSepText,
                                    &v.JmpLinesText})
        lineBreak = lineBreak || HasLineBreak(*text);
    if (v.HdrOn)
        for (const std::string& line : v.HdrLines) lineBreak = lineBreak || HasLineBreak(line);
    for (const std::string& line : colLines) lineBreak = lineBreak || HasLineBreak(line);
    if (lineBreak)
        addError("LineBreak", "Une valeur contient un retour \xE0 la ligne, qui ne peut pas \xEAtre enregistr\xE9.");
    return !failed;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

bool ColLineWritable(std::string_view colLine) {
    return !HasLineBreak(colLine) && std::count(colLine.begin(), colLine.end(), '|') == kFieldBars;
}

bool FmtBlockWritable(const TFmtDef& work, const std::vector<std::string>& colLines) {
    for (const std::string* text : {&work.Name, &work.Comment, &work.ColCount, &work.ColSep, &work.DecSep,
                                    &work.JmpLines})
        if (HasLineBreak(*text)) return false;
    const std::size_t hdr = work.HdrCount > 0 ? static_cast<std::size_t>(work.HdrCount) : 0;
    for (std::size_t i = 0; i < hdr && i < work.Hdr.size(); ++i)
        if (HasLineBreak(work.Hdr[i])) return false;
    int32_t n = 0;
    const std::size_t cols = StrToInt32(work.ColCount, n) && n >= 0 ? static_cast<std::size_t>(n) : colLines.size();
    for (std::size_t i = 0; i < cols && i < colLines.size(); ++i)
        if (!ColLineWritable(colLines[i])) return false;
    return true;
}

std::vector<std::string> ErrListToMemo(const ErrList* list) {
    std::vector<std::string> memo;
    if (!list) return memo;
    memo.reserve(list->size());
    for (const TErrCol& e : *list) memo.push_back(e.Label + " " + e.Text);
    return memo;
}

} // namespace lmx
