// The format editor: loading a format into the page's values, the columns and their tabs.
#include "model/FormatEditorModel.h"

#include "common/Text.h"
#include "common/Basics.h"
#include "core/FormatCheck.h"
#include "core/FormatFile.h"
#include "core/Log.h"
#include "env/LangTexts.h"

#include <algorithm>

namespace lmx {

namespace {

bool IsCompactDate(std::string_view type) { return LayoutWithoutSeparator(type); }
bool IsPlain(std::string_view type) { return type == "N" || type == "AN"; }

// The items of the type list: the two plain types, then the date layouts.
bool IsTypeItem(std::string_view type) {
    if (IsPlain(type)) return true;
    const auto& layouts = DateLayouts();
    return std::find(layouts.begin(), layouts.end(), type) != layouts.end();
}

bool Contains(const std::vector<std::string>& list, const std::string& text) {
    return std::find(list.begin(), list.end(), text) != list.end();
}

} // namespace

bool TypeHasDateSep(std::string_view type) { return !IsPlain(type) && !IsCompactDate(type); }

bool ColNameCharOk(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
}

std::string UpperAZ(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

FormatEditorModel::FormatEditorModel(ChosenFormats& formats, FmtFile& file, Params& params,
                                     const LangTexts& lang, IMessages& messages, Log& log)
    : formats_(formats), file_(file), params_(params), lang_(lang), messages_(messages), log_(log) {}

std::string FormatEditorModel::ColSepValue() const {
    return General.TabSep ? std::string("\t") : General.ColSepText;
}

bool FormatEditorModel::LoadFmtIntoEditor(const std::string& name) {
    const bool blank = name == "0";
    Format f;
    if (blank) {
        f.countText = "1";
        f.colSep = ";";
        f.decSep = ".";
        f.skipText = "0";
    } else {
        FormatRead read = file_.Load(name);
        if (!read.status.Ok()) {
            log_.LogWrite(lkBox, "#FMTDEF, FmtLoadDescription returns(" + IntToStr(read.status.Number()) + ")");
            messages_.Show(lang_.Format(LK::err_fmtLoad, {name, lang_.Text(LK::err_fmtNoLoad)}));
            Buttons.Save = false;
            return false;
        }
        f = std::move(read.format);
    }
    const std::string shownName = General.FmtName;
    General = GeneralValuesOf(f);
    General.FmtName = shownName;

    SortColNames(formats_.Catalogue.ColumnNames);
    NameList = formats_.Catalogue.ColumnNames;

    Columns.clear();
    ColumnsMade = true;
    Tabs.clear();
    if (blank) {
        Columns.emplace_back();
        Tabs.emplace_back(kBlankColName);
    } else {
        for (const lmx::Column& c : f.columns) {
            Columns.push_back(DraftFromColumn(c));
            Tabs.push_back(c.name);
        }
    }
    TabIndex = 0;
    ShowDraft(0);
    SetMoveButtons();
    return true;
}

bool FormatEditorModel::ShowDraft(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= Columns.size()) {
        if (log_.ExtendedLog) {
            log_.LogWrite(lkLine, " *** #COLDESCR(LOAD) : " + IntToStr(index));
            log_.LogWrite(lkLine, " ");
        }
        return false;
    }
    const ColumnDraft& c = Columns[static_cast<std::size_t>(index)];
    ColumnValues& v = Column;
    v.Name = c.ColName;
    if (IsTypeItem(c.ColType)) v.Type = c.ColType; // an unknown type leaves the list as it was
    if (TypeHasDateSep(c.ColType)) v.DtSep = c.DtSep;
    else v.DtSep.clear();
    v.CaseOn = c.CaseOn;
    if (c.CaseRule != CaseCode::None) {
        v.Upper = c.CaseRule == CaseCode::Upper;
        v.Lower = c.CaseRule == CaseCode::Lower;
    }
    v.Control = static_cast<int32_t>(c.Control);
    v.AffixOn = c.AffixOn;
    if (c.AffixType != AffixCode::None) {
        v.Prefix = c.AffixType == AffixCode::Prefix;
        v.Suffix = c.AffixType == AffixCode::Suffix;
    }
    v.AffixText = c.AffixText;
    v.Scaled = c.Scaled;
    v.Percent = c.Percent;
    return true;
}

bool FormatEditorModel::StoreDraft(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= Columns.size()) return false;
    ColumnDraft& c = Columns[static_cast<std::size_t>(index)];
    ColumnValues& v = Column;
    c.ColName = v.Name;
    c.ColType = v.Type;
    if (IsPlain(v.Type)) {
        c.DtSep.clear();
        v.DtSep.clear();
    } else if (IsCompactDate(v.Type)) {
        c.DtSep = "0";
        v.DtSep.clear();
    } else {
        c.DtSep = v.DtSep;
    }
    c.AffixOn = v.AffixOn;
    c.AffixType = AffixCode::None;
    c.AffixText.clear();
    if (c.AffixOn) c.AffixType = v.Prefix ? AffixCode::Prefix : v.Suffix ? AffixCode::Suffix : AffixCode::None;
    if (c.AffixType != AffixCode::None) c.AffixText = v.AffixText;
    c.CaseOn = v.CaseOn;
    c.CaseRule = CaseCode::None;
    if (c.CaseOn) c.CaseRule = v.Upper ? CaseCode::Upper : v.Lower ? CaseCode::Lower : CaseCode::None;
    c.Control = static_cast<ControlCode>(v.Control);
    c.Scaled = v.Type == "N" && v.Scaled;
    c.Percent = v.Type == "N" && v.Percent;
    c.Valid = CheckDraft(c, General.DecSepText, ColSepValue(), false, nullptr, lang_);
    return true;
}

void FormatEditorModel::SetMoveButtons() {
    Buttons.Left = TabIndex > 0;
    Buttons.Right = TabIndex >= 0 && static_cast<std::size_t>(TabIndex) + 1 < Tabs.size();
}

void FormatEditorModel::AddColumn() {
    if (!ColumnsMade) return;
    Columns.emplace_back();
    Tabs.emplace_back(kBlankColName);
    General.ColCountText = IntToStr(static_cast<int64_t>(Columns.size()));
    SetMoveButtons();
}

void FormatEditorModel::DeleteColumn() {
    // The last column cannot go.
    if (TabIndex < 0 || Tabs.size() < 2 || static_cast<std::size_t>(TabIndex) >= Columns.size()) return;
    Columns.erase(Columns.begin() + TabIndex);
    Tabs.clear();
    for (const ColumnDraft& c : Columns) Tabs.push_back(c.ColName);
    TabIndex = TabIndex > 0 ? TabIndex - 1 : 0;
    ShowDraft(TabIndex);
    General.ColCountText = IntToStr(static_cast<int64_t>(Columns.size()));
    SetMoveButtons();
}

void FormatEditorModel::MoveColumn(int step) {
    const int other = TabIndex + step;
    if (TabIndex < 0 || other < 0 || static_cast<std::size_t>(other) >= Columns.size() ||
        static_cast<std::size_t>(TabIndex) >= Columns.size() || static_cast<std::size_t>(other) >= Tabs.size())
        return;
    // What was typed into the shown column goes with it.
    StoreDraft(TabIndex);
    std::swap(Columns[static_cast<std::size_t>(TabIndex)], Columns[static_cast<std::size_t>(other)]);
    std::swap(Tabs[static_cast<std::size_t>(TabIndex)], Tabs[static_cast<std::size_t>(other)]);
    if (!ShowDraft(TabIndex)) messages_.Show(lang_.Format(LK::err_fmtColFeed, {IntToStr(TabIndex)}));
}

void FormatEditorModel::SelectTab(int index) {
    if (TabIndex >= 0) StoreDraft(TabIndex);
    if (NewColNameTyped) {
        formats_.Catalogue.ColumnNames.push_back(Column.Name);
        if (SortColNames(formats_.Catalogue.ColumnNames)) NameList = formats_.Catalogue.ColumnNames;
        NewColNameTyped = false;
    }
    TabIndex = index;
    if (!ShowDraft(index)) messages_.Show(lang_.Format(LK::err_fmtColFeed, {IntToStr(index)}));
    SetMoveButtons();
}

void FormatEditorModel::ColNameEdited(const std::string& text) {
    if (TabIndex < 0 || static_cast<std::size_t>(TabIndex) >= Tabs.size()) return;
    Column.Name = text;
    if (!Contains(NameList, text)) NewColNameTyped = true;
    // The tab always reads the name typed, a known one too.
    Tabs[static_cast<std::size_t>(TabIndex)] = text;
}

void FormatEditorModel::ColNameChosen(const std::string& text) {
    if (TabIndex < 0 || static_cast<std::size_t>(TabIndex) >= Tabs.size()) return;
    Column.Name = text;
    Tabs[static_cast<std::size_t>(TabIndex)] = text;
    if (!Contains(NameList, text)) {
        NewColNameTyped = true;
        formats_.Catalogue.ColumnNames.push_back(text);
    }
}

void FormatEditorModel::TypeChosen(const std::string& type) {
    Column.Type = type;
    if (!TypeHasDateSep(type)) Column.DtSep.clear();
}

void FormatEditorModel::AffixClicked(bool on) {
    Column.AffixOn = on;
    if (!on) Column.AffixText.clear();
}

void FormatEditorModel::CaseClicked(bool on) {
    Column.CaseOn = on;
}

} // namespace lmx
