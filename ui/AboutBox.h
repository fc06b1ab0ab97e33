#pragma once
// The about box: product name, version, and a notice scrolling one character every 100 ms.
#include <QDialog>

class QLabel;
class QTimer;

namespace lmx {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    // The sentence, six blanks, "Auteur : ", the author, nine blanks: the rotation relies on the blanks.
    static QString Notice();
    // One tick of noticeTimer: the first character moves to the end.
    void onNoticeTick();
    void onOkClicked();

    QLabel* picture;
    QLabel* ProgramIcon;
    QLabel* programName;
    QLabel* ProductName;
    QLabel* okLabel;
    QLabel* noticeLabel;
    QTimer* noticeTimer;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormPaint();
    void CloseOnEscape(QKeyEvent* event);
    bool restartOnPaint_ = true;
};

} // namespace lmx
