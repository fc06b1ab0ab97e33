#include "ui/LogPage.h"

#include "ui/Dialogs.h"
#include "ui/ObjectNames.h"
#include "ui/QtBridge.h"
#include "ui/Widgets.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace lmx {

LogPage::LogPage(Log& log, IDialogs& dialogs, QWidget* parent) : QWidget(parent), log_(log), dialogs_(dialogs) {
    setObjectName(names::kLogPage);
    logView = Named<QPlainTextEdit>(names::kLogView);
    logView->setReadOnly(true);
    logView->setLineWrapMode(QPlainTextEdit::NoWrap);
    logView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    logView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    logView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    saveButton = NamedButton(names::kLogSaveButton, QStringLiteral("Save"));
    clearButton = NamedButton(names::kLogClearButton, QStringLiteral("Clear"));
    textColorButton = NamedButton(names::kLogTextColorButton, QStringLiteral("Texte"));
    backColorButton = NamedButton(names::kLogBackColorButton, QStringLiteral("Fond"));

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {saveButton, clearButton, textColorButton, backColorButton}) {
        b->setFixedWidth(70);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 4, 4, 4);
    row->addWidget(logView, 1);
    row->addLayout(buttons);

    flushTimer_ = new QTimer(this);
    flushTimer_->setSingleShot(true);
    flushTimer_->setInterval(30);
    connect(flushTimer_, &QTimer::timeout, this, &LogPage::Flush);

    connect(saveButton, &QPushButton::clicked, this, &LogPage::onSaveClicked);
    connect(clearButton, &QPushButton::clicked, this, &LogPage::onClearClicked);
    connect(textColorButton, &QPushButton::clicked, this, &LogPage::onTextColorClicked);
    connect(backColorButton, &QPushButton::clicked, this, &LogPage::onBackColorClicked);

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
    logView->clear();
}

void LogPage::Flush() {
    flushTimer_->stop();
    if (pending_.empty()) return;
    const QString block = pending_.join(QChar(u'\n'));
    pending_.clear();
    logView->appendPlainText(block);
    logView->verticalScrollBar()->setValue(logView->verticalScrollBar()->maximum());
}

void LogPage::SetColors(const QColor& text, const QColor& background) {
    QPalette pal = logView->palette();
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::Base, background);
    logView->setPalette(pal);
}

void LogPage::onSaveClicked() {
    std::string error;
    const int r = log_.Save(error);
    dialogs_.ShowPaths(log_.SaveMessage(r, error)); // on failure the system's reason; the view stays
}

void LogPage::onClearClicked() { log_.Clear(); }

void LogPage::onTextColorClicked() {
    QColor c;
    if (!dialogs_.ChooseColor(TextColor(), c)) return;
    SetColors(c, BackgroundColor());
    if (OnTextColor) OnTextColor(c);
}

void LogPage::onBackColorClicked() {
    QColor c;
    if (!dialogs_.ChooseColor(BackgroundColor(), c)) return;
    SetColors(TextColor(), c);
    if (OnBackColor) OnBackColor(c);
}

QColor LogPage::TextColor() const { return logView->palette().color(QPalette::Text); }

QColor LogPage::BackgroundColor() const { return logView->palette().color(QPalette::Base); }

} // namespace lmx
