#pragma once
// The dialog that names a new format (or picks the one to modify or to copy): for now its frame,
// a caption, a name field and OK / Annuler.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lmx {

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
};

} // namespace lmx
