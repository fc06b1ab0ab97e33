#pragma once
// Keeps out of the texts that end up in the format file what the file cannot hold: characters that
// have no Windows-1252 byte, line breaks, and "|" where the file cuts a value there. What is refused
// beeps; the rest of the text stays.
#include <QObject>
#include <QValidator>

#include <functional>

class QChar;
class QLineEdit;
class QPlainTextEdit;

namespace lmx {

struct HeldOptions {
    bool noPipe = false;         // "|" refused
    bool lineBreaks = false;     // line breaks kept (a memo's lines)
    bool upperAZ = false;        // a to z shown in upper case
};

// The text without what the file cannot hold. pipeDropped / otherDropped tell what went.
QString HeldText(const QString& text, const HeldOptions& options, bool* pipeDropped, bool* otherDropped);

class TextGuard : public QValidator {
    Q_OBJECT
public:
    // pipeRefused is told when a "|" was kept out (after the beep).
    TextGuard(QObject* parent, HeldOptions options, std::function<void()> pipeRefused = {});
    State validate(QString& input, int& pos) const override;

private:
    HeldOptions options_;
    std::function<void()> pipeRefused_;
};

// The same for a memo, whose lines are header lines.
void GuardMemo(QPlainTextEdit* memo);

// A one-character field: what was there is replaced by the character just typed.
void KeepLastTyped(QLineEdit* edit, const QString& newText);

// Typed characters that accept refuses are dropped with a beep; while active() is false every key is
// dropped. Editing keys (backspace, delete, arrows, shortcuts) pass.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    KeyFilter(QObject* watched, std::function<bool(QChar)> accept, std::function<bool()> active = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(QChar)> accept_;
    std::function<bool()> active_;
};

} // namespace lmx
