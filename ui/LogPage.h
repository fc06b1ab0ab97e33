#pragma once
// The log page: the view follows the core's log; appends are batched so that a burst of lines
// costs one update of the view.
#include "core/ULog.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace lmx {

class IDialogs;

class LogPage : public QWidget, public ILogObserver {
    Q_OBJECT
public:
    LogPage(Log& log, IDialogs& dialogs, QWidget* parent = nullptr);
    ~LogPage() override;

    void LinesAppended(std::size_t firstNew) override;
    void Cleared() override;
    // Shows the lines still waiting; the view is otherwise brought up to date within ~30 ms.
    void Flush();

    void SetColors(const QColor& text, const QColor& background);
    QColor TextColor() const;
    QColor BackgroundColor() const;

    void BitBtn12Click(); // Save
    void BitBtn13Click(); // Clear
    // Colour buttons: the chosen colour is applied to the view and handed to OnTextColor /
    // OnBackColor, which keep it in the parameters.
    void BitBtn11Click();
    void BitBtn10Click();
    std::function<void(const QColor&)> OnTextColor;
    std::function<void(const QColor&)> OnBackColor;

    QPlainTextEdit* Memo1;
    QPushButton* BitBtn12; // Save
    QPushButton* BitBtn13; // Clear
    QPushButton* BitBtn11; // Texte
    QPushButton* BitBtn10; // Fond

private:
    Log& log_;
    IDialogs& dialogs_;
    QStringList pending_; // as shown: words in Windows-1252, paths as file names
    QTimer* flushTimer_;
};

} // namespace lmx
