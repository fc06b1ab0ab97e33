#pragma once
// The dialog that names a new format, or picks the format to modify or to copy, by the editor's
// NameDlgMode. Made once; the name typed and the list are kept between uses.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lmx {

class FormatEditorModel;
class IMessages;
class LangTexts;
struct ChosenFormats;

class FormatNameDialog : public QDialog {
    Q_OBJECT
public:
    FormatNameDialog(FormatEditorModel& editor, const ChosenFormats& formats, const LangTexts& lang,
                     IMessages& messages, QWidget* parent = nullptr);

    void onOkClicked(); // OK: the editor's rule decides whether the dialog closes

    QLabel* listCaption;
    QComboBox* formatBox;
    QLabel* nameCaption;
    QLineEdit* nameEdit;
    QPushButton* okButton;
    QPushButton* cancelButton;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FormatEditorModel& editor_;
    const ChosenFormats& formats_;
    const LangTexts& lang_;
    IMessages& messages_;
};

} // namespace lmx
