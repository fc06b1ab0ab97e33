// The format editor: naming a format, saving, deleting, and the guards on the two separators.
#include "model/FormatEditorModel.h"

#include "common/Text.h"
#include "core/FormatCheck.h"
#include "core/FormatFile.h"
#include "core/Log.h"
#include "env/LangTexts.h"
#include "env/Params.h"

#include <new>

namespace lmx {

bool FormatEditorModel::BeginNameDialog(int mode) {
    NameDlgMode = mode;
    file_.FmtLoadList(); // another window may have added or deleted formats since
    if (mode != ndNew && formats_.Catalogue.FormatNames.empty()) {
        messages_.Show(lang_.Text(LK::err_fmtNone));
        return false;
    }
    return true;
}

void FormatEditorModel::NameAccepted() {
    General.FmtName = EditFmtName;
    Buttons.Save = true;
    Buttons.Cancel = NameDlgMode == ndModify;
    if (NameDlgMode == ndModify) {
        EditStatus = lang_.Format(LK::hnt_fmtModifyName, {EditFmtName});
        // Read before the load: a change in between is then taken for one made elsewhere.
        seen_ = file_.BlockSeen(EditFmtName);
        LoadFmtIntoEditor(EditFmtName);
    } else if (NameDlgMode == ndModel) {
        EditStatus = lang_.Format(LK::hnt_fmtNewModel, {EditFmtName, ModelFmtName});
        LoadFmtIntoEditor(ModelFmtName);
    } else {
        EditStatus = lang_.Format(LK::hnt_fmtNewName, {EditFmtName});
        LoadFmtIntoEditor("0");
    }
    Buttons.Columns = true;
    Buttons.Del = NameDlgMode == ndModify;
    SetMoveButtons();
}

NameDlgOutcome FormatEditorModel::NameDialogOk(const std::string& edit1, const std::string& chosen) {
    NameDlgOutcome out;
    if (NameDlgMode == ndModify) {
        EditFmtName = chosen;
        out.Close = true;
        return out;
    }
    if (edit1.empty()) {
        out.Message = lang_.Text(LK::msg_fmtFillOrUndo);
        return out;
    }
    // Names are kept in upper case; only a to z change.
    const std::string candidate = UpperAZ(edit1);
    for (const std::string& name : formats_.Catalogue.FormatNames) {
        if (name != candidate) continue;
        out.Message = lang_.Format(LK::msg_fmtNameExists, {candidate});
        out.ClearEdit1 = true;
        return out;
    }
    EditFmtName = candidate;
    ModelFmtName = NameDlgMode == ndModel ? chosen : std::string();
    out.Close = true;
    return out;
}

void FormatEditorModel::ShowErrors() {
    Memo = ErrListToMemo(&Errors);
}

void FormatEditorModel::OneError(std::string text) {
    Errors.clear();
    Errors.push_back(EditorMessage{lang_.Text(LK::itm_error), "Def", std::move(text)});
    ShowErrors();
}

void FormatEditorModel::ReloadAfterWrite(const std::string* skip) {
    if (file_.FmtLoadList().Ok()) log_.LogWrite(lkLine, " DEF  FMT(Reload)    Ok");
    // Refilled even when the last format is gone: the conversion page must not offer it any more.
    Choices = RefillFormatChoices(formats_, params_, skip);
}

FileOutcome FormatEditorModel::Save() {
    try {
        return SaveEdited();
    } catch (const std::bad_alloc&) {
        // Nothing was written: the page stays as it is.
        messages_.Show(lang_.Text(LK::err_fmtFileUpdt));
        return FileOutcome{};
    }
}

FileOutcome FormatEditorModel::SaveEdited() {
    FileOutcome out;
    FmtEditorValues v;
    v.EditFmtName = EditFmtName;
    v.General = General;
    v.Columns = &Columns;
    v.ShownTab = TabIndex;
    v.StoreShown = [this](int tab) { return StoreDraft(tab); };
    Format edited;
    if (!CheckFormatForSave(v, edited, Errors, lang_)) {
        ShowErrors();
        return out;
    }
    // A new name must still be free; a modified format must still be what was loaded.
    const FmtBlockSeen expected = NameDlgMode == ndModify ? seen_ : FmtBlockSeen{};
    Status written = file_.FmtSaveFile(fsmSave, EditFmtName, edited, &expected);
    if (written == StatusCode::FmtSaveConflict) {
        const FmtConflict conflict = file_.LastConflict();
        const LK text = conflict == FmtConflict::Added     ? LK::msg_fmtAddedElsewhere
                        : conflict == FmtConflict::Changed ? LK::msg_fmtChangedElsewhere
                                                           : LK::msg_fmtDeletedElsewhere;
        if (!messages_.Confirm(lang_.Format(text, {EditFmtName}))) return ReloadAfterConflict();
        written = file_.FmtSaveFile(fsmSave, EditFmtName, edited);
    }
    if (written.Ok()) {
        out.Written = true;
        Errors.push_back(EditorMessage{lang_.Text(LK::itm_info), "Ok", lang_.Text(LK::msg_NoError)});
        ShowErrors();
        messages_.Show(lang_.Text(LK::msg_FmtDFileUpd));
        // The saved format is not reselected: it must be chosen again before a conversion.
        ReloadAfterWrite(&EditFmtName);
        out.Refill = true;
    } else {
        file_.RecoverAfterFailedSave();
    }
    if (out.Written) BackToStart();
    else BlankPage();
    return out;
}

void FormatEditorModel::BlankPage() {
    LoadFmtIntoEditor("0");
    EditStatus.clear();
    General.FmtName.clear();
}

void FormatEditorModel::BackToStart() {
    BlankPage();
    // Filling the blank page and saving again must not silently replace the format just saved;
    // New, Modify or Model comes first.
    Buttons.Save = Buttons.Cancel = Buttons.Del = Buttons.Columns = false;
    EditFmtName.clear();
    ModelFmtName.clear();
    NameDlgMode = ndStart;
}

FileOutcome FormatEditorModel::ReloadAfterConflict() {
    const bool gone = file_.LastConflict() == FmtConflict::Deleted;
    // The conversion page may hold the format as it was: it must be chosen again.
    ReloadAfterWrite(&EditFmtName);
    if (gone) {
        BackToStart();
    } else {
        // The format the file holds, open for modification.
        NameDlgMode = ndModify;
        ModelFmtName.clear();
        NameAccepted();
    }
    return FileOutcome{false, true};
}

FileOutcome FormatEditorModel::Delete() {
    FileOutcome out;
    if (!messages_.Confirm(lang_.Format(LK::msg_fmtDelConf, {EditFmtName}))) return out;
    if (file_.FmtSaveFile(fsmDelete, EditFmtName, {}).Ok()) {
        out.Written = true;
        Buttons.Save = Buttons.Cancel = Buttons.Del = false;
        messages_.Show(lang_.Format(LK::msg_fmtDel, {EditFmtName}));
        EditFmtName.clear();
        ReloadAfterWrite(nullptr);
        out.Refill = true;
    } else {
        messages_.Show(lang_.Text(LK::msg_fmtNoDel));
    }
    BlankPage();
    return out;
}

void FormatEditorModel::CancelEdits() {
    if (NameDlgMode == ndModify && !EditFmtName.empty()) seen_ = file_.BlockSeen(EditFmtName);
    LoadFmtIntoEditor(EditFmtName.empty() ? std::string("0") : EditFmtName);
}

void FormatEditorModel::TabSepClicked() {
    General.ColSepText.clear();
}

void FormatEditorModel::ColSepEdited() {
    FmtGeneralValues& g = General;
    g.TabSep = false;
    if (g.ColSepText == "|") {
        g.ColSepText.clear();
        PipeRefused();
    } else if (!g.ColSepText.empty() && g.ColSepText == g.DecSepText && g.Quoting == QuoteMode::None) {
        // The decimal separator gives way and must be chosen again.
        g.DecSepText.clear();
        g.DecSample = "(000)";
        OneError(lang_.Format(LK::hnt_fmtSepIsDec, {g.ColSepText}));
    } else {
        Memo.clear();
    }
}

void FormatEditorModel::DecSepEdited() {
    FmtGeneralValues& g = General;
    if (g.DecSepText == "|") {
        g.DecSepText.clear();
        g.DecSample = "(000)";
        PipeRefused();
    } else if (!g.DecSepText.empty() && g.DecSepText == g.ColSepText && g.Quoting == QuoteMode::None) {
        g.ColSepText.clear();
        g.DecSample = "(0 ? 00)";
        OneError(lang_.Format(LK::hnt_fmtSepIsCol, {g.DecSepText}));
    } else {
        g.DecSample = "(0" + g.DecSepText + "00)";
        Memo.clear();
    }
}

void FormatEditorModel::PipeRefused() {
    OneError(lang_.Text(LK::hnt_fmtNoPipe));
}

} // namespace lmx
