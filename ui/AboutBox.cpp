#include "ui/AboutBox.h"

#include "common/UCommuns.h"
#include "ui/UBanner.h"

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
    setObjectName("AboutBox");
    setFixedSize(459, 167);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    auto* bevel2 = new QFrame(this);
    bevel2->setObjectName("Bevel2");
    bevel2->setFrameStyle(QFrame::Box | QFrame::Raised);
    bevel2->setStyleSheet("QFrame#Bevel2 { border: 1px solid #808080; }");
    bevel2->setGeometry(0, 0, 459, 167);

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(3, 3, 233, 161);
    Image1->setPixmap(AboutPicture(QSize(233, 161)));

    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setGeometry(418, 8, 33, 33);
    ProgramIcon->setPixmap(ProgramIconPixmap(33));

    Label1 = new QLabel(QStringLiteral("Quendrafil"), this);
    Label1->setObjectName("Label1");
    QFont f1 = Label1->font();
    f1.setBold(true);
    f1.setPixelSize(32);
    Label1->setFont(f1);
    Label1->setStyleSheet(kCyan);
    Label1->setGeometry(240, 40, 212, 42);

    ProductName = new QLabel(QStringLiteral("Version number"), this);
    ProductName->setObjectName("ProductName");
    ProductName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ProductName->setStyleSheet(kCyan);
    ProductName->setGeometry(240, 84, 212, 18);

    auto* bevel1 = new QFrame(this);
    bevel1->setObjectName("Bevel1");
    bevel1->setStyleSheet("QFrame#Bevel1 { border: 1px solid #C0C0C0; }");
    bevel1->setGeometry(372, 110, 64, 24);

    Label3 = new QLabel(QStringLiteral("Ok"), this);
    Label3->setObjectName("Label3");
    Label3->setAlignment(Qt::AlignCenter);
    QFont f3 = Label3->font();
    f3.setBold(true);
    Label3->setFont(f3);
    Label3->setStyleSheet("color: white;");
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->setGeometry(373, 111, 62, 22);
    Label3->installEventFilter(this);

    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label2->setStyleSheet(kCyan);
    Label2->setGeometry(17, 145, 425, 16);
    Label2->raise();

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    connect(Timer1, &QTimer::timeout, this, &AboutBox::Timer1Timer);
}

QString AboutBox::Notice() {
    return QStringLiteral("Conversion de fichiers de cotations entre formats d\u00E9finis par l'utilisateur.") +
           QString(6, ' ') + QStringLiteral("Auteur : ") + QStringLiteral("Aurore Vandelis") + QString(9, ' ');
}

void AboutBox::FormPaint() {
    ProductName->setText(QString::fromStdString(ProgramVersion()));
    Label2->setText(Notice());
    Timer1->start(100);
}

void AboutBox::Timer1Timer() {
    const QString t = Label2->text();
    if (t.size() > 1) Label2->setText(t.mid(1) + t.at(0));
}

void AboutBox::Label3Click() {
    Timer1->stop();
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
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease) {
        Label3Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace lmx
