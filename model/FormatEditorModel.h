#pragma once
// The format editor: its state and every operation of its page that needs no widget. The page copies
// its controls into General and Column, calls an operation, then shows what the editor holds again.
#include "model/ConversionPageModel.h"
#include "core/ColumnDraft.h"
#include "core/FormatCheck.h"
#include "core/FormatFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

class FmtFile;
class IMessages;
class LangTexts;
class Log;
class Params;

// The controls of the column shown.
struct ColumnValues {
    std::string Name;
    std::string Type = "N"; // the type list starts on its first item
    std::string DtSep;
    bool AffixOn = false;
    bool Prefix = false;
    bool Suffix = false;
    std::string AffixText;
    bool CaseOn = false;
    bool Upper = false;
    bool Lower = false;
    int32_t Control = 0; // the control list's item index
    // A number read with a K, M or B suffix, with a trailing % (only a number keeps them).
    bool Scaled = false;
    bool Percent = false;
};

struct EditorButtons {
    bool Save = false;
    bool Cancel = false;
    bool Del = false;
    bool Columns = false; // delete, add and the two moves (these also by the selection)
    bool Left = false;
    bool Right = false;
};

enum NameDlgModes : int { ndNew = 0, ndModify = 1, ndModel = 2, ndStart = 99 };

// What the name dialog's OK gives: close with OK, or stay open after a message.
struct NameDlgOutcome {
    bool Close = false;
    std::string Message;
    bool ClearEdit1 = false;
};

// After a save or a deletion: whether the file was rewritten, and whether the conversion page's
// format lists must show Choices.
struct FileOutcome {
    bool Written = false;
    bool Refill = false;
};

// Types that carry a date separator of their own: neither plain nor one of the two compact layouts.
bool TypeHasDateSep(std::string_view type);
// The characters a column name may be typed with: letters, digits, "_" and ".".
bool ColNameCharOk(char c);
// Letters a to z in upper case, every other byte (accented letters too) as it is.
std::string UpperAZ(std::string_view text);

class FormatEditorModel {
  public:
    FormatEditorModel(ChosenFormats& formats, FmtFile& file, Params& params, const LangTexts& lang,
                      IMessages& messages, Log& log);

    // Editor state.
    std::string EditFmtName;  // the format being created or modified
    std::string ModelFmtName; // the model of a new format, else empty
    int NameDlgMode = ndStart;
    std::string EditStatus;   // what the hint line shows while editing
    ColList Columns;          // one record per column tab, in tab order
    bool ColumnsMade = false; // no list before the first load
    ErrList Errors;           // the message box's messages
    bool NewColNameTyped = false;

    // What the page shows.
    FmtGeneralValues General;
    ColumnValues Column;
    std::vector<std::string> Tabs; // captions of the column tabs
    int TabIndex = -1;             // the tab selected and shown, -1 for none
    std::vector<std::string> NameList; // the column name choices
    std::vector<std::string> Memo;     // the message box's lines
    EditorButtons Buttons;
    FormatChoices Choices; // the conversion page's lists after the last refill

    // A format (name "0": a blank one) into the general values, the columns and the tabs.
    bool LoadFmtIntoEditor(const std::string& name);
    // Record index into the column values; false (logged) when there is no such record.
    bool ShowDraft(int index);
    // The column values into record index, checked silently; false when there is no such record.
    bool StoreDraft(int index);

    // The three format buttons: false when the name dialog is not to be shown (no format to modify
    // or copy: the reason shown). The list of names is read again first, so that the dialog offers
    // and refuses the names the file holds now. After the dialog's OK, NameAccepted fills the page.
    bool BeginNameDialog(int mode);
    void NameAccepted();
    // The dialog's OK with the text of its name field and the name chosen in its list.
    NameDlgOutcome NameDialogOk(const std::string& edit1, const std::string& chosen);

    // When the file no longer holds what the editor read under that name (a new name now taken, a
    // format changed or deleted elsewhere), the user chooses: replace it, or load what the file holds.
    FileOutcome Save();
    FileOutcome Delete(); // asks for confirmation first
    void CancelEdits();

    // Column buttons; the tab selected afterwards is TabIndex.
    void AddColumn();
    void DeleteColumn();
    void MoveColumn(int step); // -1 left, +1 right

    // Another tab selected: the shown one stored, a new name added to the choices, then index shown.
    void SelectTab(int index);

    // Column controls.
    void ColNameEdited(const std::string& text);
    void ColNameChosen(const std::string& text);
    void TypeChosen(const std::string& type);
    void AffixClicked(bool on);
    void CaseClicked(bool on);

    // General controls: the separator guards, and a "|" kept out of a text that cannot hold it.
    void TabSepClicked();
    void ColSepEdited();
    void DecSepEdited();
    void PipeRefused();

private:
    FileOutcome SaveEdited();
    FileOutcome ReloadAfterConflict();
    void BlankPage();   // a blank format, no name, no status
    void BackToStart(); // ... and nothing to save until New, Modify or Model
    void ShowErrors();
    void OneError(std::string text);
    void SetMoveButtons();
    void ReloadAfterWrite(const std::string* skip);
    std::string ColSepValue() const;

    ChosenFormats& formats_;
    FmtFile& file_;
    Params& params_;
    const LangTexts& lang_;
    IMessages& messages_;
    Log& log_;
    FmtBlockSeen seen_; // the format being modified, as the file held it when it was loaded
};

} // namespace lmx
