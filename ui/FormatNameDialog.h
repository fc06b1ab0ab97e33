#pragma once
// The dialog that names a new format, or picks the format to modify or to copy, by the editor's
// NameDlgMode. Made once; the name typed and the list are kept between uses.
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lmx {

class FmtEditor;
class IMessages;
class LangTexts;
struct FormatState;

class FormatNameDialog : public QDialog {
    Q_OBJECT
public:
    FormatNameDialog(FmtEditor& editor, const FormatState& formats, const LangTexts& lang, IMessages& messages,
           QWidget* parent = nullptr);

    void Button1Click(); // OK: the editor's rule decides whether the dialog closes

    QLabel* Label2;
    QComboBox* ComboBox3;
    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FmtEditor& editor_;
    const FormatState& formats_;
    const LangTexts& lang_;
    IMessages& messages_;
};

} // namespace lmx
