#pragma once
// The format editor page: its controls mapped to the core's editor. Every handler copies the controls
// into the editor, runs the editor's operation and shows the editor again.
#include <QPixmap>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QToolButton;

namespace lmx {

class FormatEditorModel;
class IDialogs;
class LangTexts;
struct FormatChoices;

class FormatEditorPage : public QWidget {
    Q_OBJECT
public:
    FormatEditorPage(FormatEditorModel& editor, const LangTexts& lang, IDialogs& dialogs,
                     QWidget* parent = nullptr);

    // Start-up: the type and control lists (the latter from the language), and the two tab marks
    // read from the program's folder (no marks when either cannot be read).
    void FillLists();
    void LoadTabMarks(const std::string& programDir);
    bool TabMarksOn() const { return marksOn_; }
    // The page comes to the front: its welcome hint.
    void PageShown();
    // The areas of the window's hover highlight.
    std::vector<QWidget*> HoverAreas() const;

    // After a save or a deletion: the conversion page's lists are to show these.
    std::function<void(const FormatChoices&)> OnFormatChoices;

    void onNewClicked();  // new
    void onModelClicked(); // from a model
    void onModifyClicked(); // modify
    void onSaveClicked();  // save
    void onUndoClicked();  // cancel the changes
    void onDeleteClicked();  // delete
    void onDeleteColumnClicked(); // delete the column
    void onMoveLeftClicked(); // move it left
    void onAddColumnClicked(); // add a column
    void onMoveRightClicked(); // move it right

    // The captions, hints and list texts in the language in use.
    void Retranslate();
    // The keys of the window's own buttons and pages, which the page's captions leave alone.
    void SetWindowKeys(const std::string& keys) { windowKeys_ = keys; }

    // The editor's values into the controls.
    void ShowEditor();
    // The page as the name dialog's OK would leave it, without the dialog (pictures of the page).
    void EnterState(int mode, const std::string& name);

    QGroupBox* formatsGroup;
    QWidget* hintPanel;
    QLabel* hintLabel;
    QPushButton *newButton, *modelButton, *modifyButton, *saveButton, *undoButton, *deleteButton;

    QGroupBox* generalGroup;
    QLabel* nameCaption;
    QLineEdit* nameEdit;
    QLabel* commentCaption;
    QLineEdit* commentEdit;
    QGroupBox* columnsGroup;
    QLabel* columnCountCaption;
    QLineEdit* columnCountEdit;
    QLabel* separatorCaption;
    QLineEdit* separatorEdit;
    QCheckBox* tabSeparatorBox;
    QLabel* decimalCaption;
    QLineEdit* decimalEdit;
    QLabel* decimalSample;
    QLabel* quoteCaption;
    QComboBox* quoteBox; // the fields may stand in quotes: never, when needed, always
    QLabel* groupCaption;
    QLineEdit* groupEdit; // the grouping (thousands) separator, empty for none
    QGroupBox* skipGroup;
    QLineEdit* skipEdit;
    QWidget* skipUpDown;
    QLabel* skipCaption;
    QLabel* headerCaption;
    QCheckBox* headerBox;
    QPlainTextEdit* headerMemo;

    QGroupBox* columnGroup;
    QTabBar* columnTabs;
    QLabel* columnNameCaption;
    QComboBox* columnNameBox;
    QLabel* typeCaption;
    QComboBox* typeBox;
    QLabel* dateSepCaption;
    QLineEdit* dateSepEdit;
    QCheckBox* scaleBox;   // a number read with a K, M or B suffix
    QCheckBox* percentBox; // a number read with a trailing %
    QLabel* controlCaption;
    QComboBox* controlBox;
    QCheckBox* affixBox;
    QRadioButton *prefixRadio, *suffixRadio;
    QLineEdit* affixEdit;
    QCheckBox* caseBox;
    QRadioButton *upperRadio, *lowerRadio;
    QPushButton *deleteColumnButton, *moveLeftButton, *addColumnButton, *moveRightButton;

    QWidget* notesPanel;
    QPlainTextEdit* notesMemo;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    void Wire();
    void ShowControlItems();
    void ShowQuoteItems();
    QWidget* BuildGeneral();
    QWidget* BuildColumns();
    // The controls into the editor; run op; the editor back into the controls.
    void Act(const std::function<void()>& op);
    void Collect();
    void ShowGeneral();
    void ShowColumn();
    void ShowTabs();
    bool RefreshTabMarks(int n);
    void AskName(int mode);
    void AfterFileChange(bool refill);
    void StepSkip(int step);
    void QueuePipeRefused();

    FormatEditorModel& ed_;
    const LangTexts& lang_;
    IDialogs& dialogs_;
    bool showing_ = false;
    std::string windowKeys_;
    bool marksOn_ = false;
    QPixmap valid_, invalid_;
    QToolButton *up_ = nullptr, *down_ = nullptr;
};

} // namespace lmx
