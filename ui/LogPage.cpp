#include "ui/LogPage.h"

#include "ui/UDialogs.h"
#include "ui/UQt.h"
#include "ui/UWidgets.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace lmx {

LogPage::LogPage(Log& log, IDialogs& dialogs, QWidget* parent) : QWidget(parent), log_(log), dialogs_(dialogs) {
    setObjectName("TabSheet6");
    Memo1 = Named<QPlainTextEdit>("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    BitBtn12 = NamedButton("BitBtn12", QStringLiteral("Save"));
    BitBtn13 = NamedButton("BitBtn13", QStringLiteral("Clear"));
    BitBtn11 = NamedButton("BitBtn11", QStringLiteral("Texte"));
    BitBtn10 = NamedButton("BitBtn10", QStringLiteral("Fond"));

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {BitBtn12, BitBtn13, BitBtn11, BitBtn10}) {
        b->setFixedWidth(70);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 4, 4, 4);
    row->addWidget(Memo1, 1);
    row->addLayout(buttons);

    flushTimer_ = new QTimer(this);
    flushTimer_->setSingleShot(true);
    flushTimer_->setInterval(30);
    connect(flushTimer_, &QTimer::timeout, this, &LogPage::Flush);

    connect(BitBtn12, &QPushButton::clicked, this, &LogPage::BitBtn12Click);
    connect(BitBtn13, &QPushButton::clicked, this, &LogPage::BitBtn13Click);
    connect(BitBtn11, &QPushButton::clicked, this, &LogPage::BitBtn11Click);
    connect(BitBtn10, &QPushButton::clicked, this, &LogPage::BitBtn10Click);

    LinesAppended(0);
    Flush();
    log_.SetObserver(this);
}

LogPage::~LogPage() { log_.SetObserver(nullptr); }

void LogPage::LinesAppended(std::size_t firstNew) {
    const auto& lines = log_.Lines();
    for (std::size_t i = firstNew; i < lines.size(); ++i) pending_.push_back(Qs(lines[i], log_.PathsOf(i)));
    if (!flushTimer_->isActive()) flushTimer_->start();
}

void LogPage::Cleared() {
    pending_.clear();
    flushTimer_->stop();
    Memo1->clear();
}

void LogPage::Flush() {
    flushTimer_->stop();
    if (pending_.empty()) return;
    const QString block = pending_.join(QChar(u'\n'));
    pending_.clear();
    Memo1->appendPlainText(block);
    Memo1->verticalScrollBar()->setValue(Memo1->verticalScrollBar()->maximum());
}

void LogPage::SetColors(const QColor& text, const QColor& background) {
    QPalette pal = Memo1->palette();
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::Base, background);
    Memo1->setPalette(pal);
}

void LogPage::BitBtn12Click() {
    std::string error;
    const int r = log_.Save(error);
    dialogs_.ShowPaths(log_.SaveMessage(r, error)); // on failure the system's reason; the view stays
}

void LogPage::BitBtn13Click() { log_.Clear(); }

void LogPage::BitBtn11Click() {
    QColor c;
    if (!dialogs_.ChooseColor(TextColor(), c)) return;
    SetColors(c, BackgroundColor());
    if (OnTextColor) OnTextColor(c);
}

void LogPage::BitBtn10Click() {
    QColor c;
    if (!dialogs_.ChooseColor(BackgroundColor(), c)) return;
    SetColors(TextColor(), c);
    if (OnBackColor) OnBackColor(c);
}

QColor LogPage::TextColor() const { return Memo1->palette().color(QPalette::Text); }

QColor LogPage::BackgroundColor() const { return Memo1->palette().color(QPalette::Base); }

} // namespace lmx
