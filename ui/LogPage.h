#pragma once
// The log page: the view follows the core's log; appends are batched so that a burst of lines
// costs one update of the view.
#include "core/Log.h"

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

    void onSaveClicked(); // Save
    void onClearClicked(); // Clear
    // Colour buttons: the chosen colour is applied to the view and handed to OnTextColor /
    // OnBackColor, which keep it in the parameters.
    void onTextColorClicked();
    void onBackColorClicked();
    std::function<void(const QColor&)> OnTextColor;
    std::function<void(const QColor&)> OnBackColor;

    QPlainTextEdit* logView;
    QPushButton* saveButton; // Save
    QPushButton* clearButton; // Clear
    QPushButton* textColorButton; // Texte
    QPushButton* backColorButton; // Fond

private:
    Log& log_;
    IDialogs& dialogs_;
    QStringList pending_; // as shown: words in Windows-1252, paths as file names
    QTimer* flushTimer_;
};

} // namespace lmx
