#include "ui/TextGuard.h"

#include "common/Cp1252.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>

namespace lmx {

QString HeldText(const QString& text, const HeldOptions& o, bool* pipeDropped, bool* otherDropped) {
    QString out;
    out.reserve(text.size());
    bool pipe = false, other = false;
    for (const char32_t cp : text.toUcs4()) {
        const bool lineBreak = cp == U'\r' || cp == U'\n' || cp == 0x2029 || cp == 0x2028;
        if (lineBreak && o.lineBreaks) {
            out += QChar(u'\n');
        } else if (cp == U'|' && o.noPipe) {
            pipe = true;
        } else if (lineBreak || !Cp1252Holds(cp)) {
            other = true;
        } else if (o.upperAZ && cp >= U'a' && cp <= U'z') {
            out += QChar(static_cast<char16_t>(cp - U'a' + U'A'));
        } else {
            out += QString::fromUcs4(&cp, 1);
        }
    }
    if (pipeDropped) *pipeDropped = pipe;
    if (otherDropped) *otherDropped = other;
    return out;
}

TextGuard::TextGuard(QObject* parent, HeldOptions options, std::function<void()> pipeRefused)
    : QValidator(parent), options_(options), pipeRefused_(std::move(pipeRefused)) {}

QValidator::State TextGuard::validate(QString& input, int& pos) const {
    bool pipe = false, other = false;
    const QString before = input.left(pos);
    const QString held = HeldText(input, options_, &pipe, &other);
    if (held != input) {
        pos = static_cast<int>(HeldText(before, options_, nullptr, nullptr).size());
        input = held;
    }
    if (pipe || other) QApplication::beep();
    if (pipe && pipeRefused_) pipeRefused_();
    return Acceptable;
}

void GuardMemo(QPlainTextEdit* memo) {
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo] {
        const QString text = memo->toPlainText();
        bool dropped = false;
        const QString held = HeldText(text, HeldOptions{false, true, false}, nullptr, &dropped);
        if (!dropped) return;
        QApplication::beep();
        const int pos = memo->textCursor().position();
        const QSignalBlocker block(memo);
        memo->setPlainText(held);
        QTextCursor c = memo->textCursor();
        c.setPosition(std::min(pos, static_cast<int>(held.size())));
        memo->setTextCursor(c);
    });
}

void KeepLastTyped(QLineEdit* edit, const QString& newText) {
    if (newText.size() <= 1) return;
    const int at = edit->cursorPosition();
    const QChar typed = at > 0 && at <= newText.size() ? newText.at(at - 1) : newText.back();
    edit->setText(QString(typed));
}

KeyFilter::KeyFilter(QObject* watched, std::function<bool(QChar)> accept, std::function<bool()> active)
    : QObject(watched), accept_(std::move(accept)), active_(std::move(active)) {
    watched->installEventFilter(this);
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    if (active_ && !active_()) return true;
    const QString text = static_cast<QKeyEvent*>(event)->text();
    const bool typed = !text.isEmpty() && text.at(0).isPrint();
    if (typed && accept_ && !accept_(text.at(0))) {
        QApplication::beep();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lmx
