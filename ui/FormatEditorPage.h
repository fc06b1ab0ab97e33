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

class FmtEditor;
class IDialogs;
class LangTexts;
struct FormatChoices;

class FormatEditorPage : public QWidget {
    Q_OBJECT
public:
    FormatEditorPage(FmtEditor& editor, const LangTexts& lang, IDialogs& dialogs, QWidget* parent = nullptr);

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

    void BitBtn6Click();  // new
    void BitBtn15Click(); // from a model
    void BitBtn16Click(); // modify
    void BitBtn7Click();  // save
    void BitBtn8Click();  // cancel the changes
    void BitBtn9Click();  // delete
    void BitBtn20Click(); // delete the column
    void BitBtn21Click(); // move it left
    void BitBtn22Click(); // add a column
    void BitBtn23Click(); // move it right

    // The captions, hints and list texts in the language in use.
    void Retranslate();

    // The editor's values into the controls.
    void ShowEditor();
    // The page as the name dialog's OK would leave it, without the dialog (pictures of the page).
    void EnterState(int mode, const std::string& name);

    QGroupBox* GroupBox3;
    QWidget* Panel4;
    QLabel* Label8;
    QPushButton *BitBtn6, *BitBtn15, *BitBtn16, *BitBtn7, *BitBtn8, *BitBtn9;

    QGroupBox* GroupBox5;
    QLabel* Label9;
    QLineEdit* Edit6;
    QLabel* Label29;
    QLineEdit* Edit3;
    QGroupBox* GroupBox9;
    QLabel* Label14;
    QLineEdit* Edit9;
    QLabel* Label13;
    QLineEdit* Edit13;
    QCheckBox* CheckBox5;
    QLabel* Label27;
    QLineEdit* Edit14;
    QLabel* Label28;
    QGroupBox* GroupBox8;
    QLineEdit* Edit4;
    QWidget* UpDown1;
    QLabel* Label11;
    QLabel* Label10;
    QCheckBox* CheckBox1;
    QPlainTextEdit* Memo2;

    QGroupBox* GroupBox7;
    QTabBar* TabControl1;
    QLabel* Label7;
    QComboBox* ComboBox3;
    QLabel* Label12;
    QComboBox* ComboBox6;
    QLabel* Label48;
    QLineEdit* Edit7;
    QLabel* Label47;
    QComboBox* ComboBox7;
    QCheckBox* CheckBox2;
    QRadioButton *RadioButton1, *RadioButton2;
    QLineEdit* Edit5;
    QCheckBox* CheckBox3;
    QRadioButton *RadioButton3, *RadioButton4;
    QPushButton *BitBtn20, *BitBtn21, *BitBtn22, *BitBtn23;

    QWidget* Panel3;
    QPlainTextEdit* Memo3;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    void Wire();
    void ShowControlItems();
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

    FmtEditor& ed_;
    const LangTexts& lang_;
    IDialogs& dialogs_;
    bool showing_ = false;
    bool marksOn_ = false;
    QPixmap valid_, invalid_;
    QToolButton *up_ = nullptr, *down_ = nullptr;
};

} // namespace lmx
