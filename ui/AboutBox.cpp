#include "ui/AboutBox.h"

#include "common/Basics.h"
#include "ui/Banner.h"
#include "ui/ObjectNames.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace lmx {

namespace {
const char* kCyan = "color: #E0FFFF;"; // 00FFFFE0 in blue-green-red order
} // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(names::kAboutBox);
    setFixedSize(459, 167);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    auto* bevel2 = new QFrame(this);
    bevel2->setObjectName(names::kAboutFrame);
    bevel2->setFrameStyle(QFrame::Box | QFrame::Raised);
    bevel2->setStyleSheet(QStringLiteral("QFrame#%1 { border: 1px solid #808080; }").arg(names::kAboutFrame));
    bevel2->setGeometry(0, 0, 459, 167);

    picture = new QLabel(this);
    picture->setObjectName(names::kAboutPicture);
    picture->setGeometry(3, 3, 233, 161);
    picture->setPixmap(AboutPicture(QSize(233, 161)));

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(names::kAboutIcon);
    ProgramIcon->setGeometry(418, 8, 33, 33);
    ProgramIcon->setPixmap(ProgramIconPixmap(33));

    programName = new QLabel(QStringLiteral("Quendrafil"), this);
    programName->setObjectName(names::kAboutProgramName);
    QFont f1 = programName->font();
    f1.setBold(true);
    f1.setPixelSize(32);
    programName->setFont(f1);
    programName->setStyleSheet(kCyan);
    programName->setGeometry(240, 40, 212, 42);

    ProductName = new QLabel(QStringLiteral("Version number"), this);
    ProductName->setObjectName(names::kAboutVersion);
    ProductName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ProductName->setStyleSheet(kCyan);
    ProductName->setGeometry(240, 84, 212, 18);

    auto* bevel1 = new QFrame(this);
    bevel1->setObjectName(names::kAboutOkFrame);
    bevel1->setStyleSheet(
        QStringLiteral("QFrame#%1 { border: 1px solid #C0C0C0; }").arg(names::kAboutOkFrame));
    bevel1->setGeometry(372, 110, 64, 24);

    okLabel = new QLabel(QStringLiteral("Ok"), this);
    okLabel->setObjectName(names::kAboutOk);
    okLabel->setAlignment(Qt::AlignCenter);
    QFont f3 = okLabel->font();
    f3.setBold(true);
    okLabel->setFont(f3);
    okLabel->setStyleSheet("color: white;");
    okLabel->setCursor(Qt::PointingHandCursor);
    okLabel->setGeometry(373, 111, 62, 22);
    okLabel->installEventFilter(this);

    noticeLabel = new QLabel(this);
    noticeLabel->setObjectName(names::kAboutNotice);
    noticeLabel->setStyleSheet(kCyan);
    noticeLabel->setGeometry(17, 145, 425, 16);
    noticeLabel->raise();

    noticeTimer = new QTimer(this);
    noticeTimer->setObjectName(names::kAboutNoticeTimer);
    connect(noticeTimer, &QTimer::timeout, this, &AboutBox::onNoticeTick);
}

QString AboutBox::Notice() {
    return QStringLiteral("Conversion de fichiers de cotations entre formats d\u00E9finis par l'utilisateur.") +
           QString(6, ' ') + QStringLiteral("Auteur : ") + QStringLiteral("Aurore Vandelis") + QString(9, ' ');
}

void AboutBox::FormPaint() {
    ProductName->setText(QString::fromStdString(ProgramVersion()));
    noticeLabel->setText(Notice());
    noticeTimer->start(100);
}

void AboutBox::onNoticeTick() {
    const QString t = noticeLabel->text();
    if (t.size() > 1) noticeLabel->setText(t.mid(1) + t.at(0));
}

void AboutBox::onOkClicked() {
    noticeTimer->stop();
    close();
}

void AboutBox::showEvent(QShowEvent* event) {
    restartOnPaint_ = true;
    QDialog::showEvent(event);
}

void AboutBox::paintEvent(QPaintEvent* event) {
    // Only the box's own exposure restarts the notice, not the repaint each tick causes.
    if (restartOnPaint_) {
        restartOnPaint_ = false;
        FormPaint();
    }
    QDialog::paintEvent(event);
}

void AboutBox::CloseOnEscape(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (isVisible()) close();
        event->accept();
    }
}

void AboutBox::keyPressEvent(QKeyEvent* event) { CloseOnEscape(event); }

void AboutBox::keyReleaseEvent(QKeyEvent* event) { CloseOnEscape(event); }

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == okLabel && event->type() == QEvent::MouseButtonRelease) {
        onOkClicked();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace lmx
