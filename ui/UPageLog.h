#pragma once
// The log page: the view follows the core's log; appends are batched so that a burst of lines
// costs one update of the view.
#include "core/ULog.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace lmx {

class UPageLog : public QWidget, public ILogObserver {
    Q_OBJECT
public:
    explicit UPageLog(Log& log, QWidget* parent = nullptr);
    ~UPageLog() override;

    void LinesAppended(std::size_t firstNew) override;
    void Cleared() override;
    // Shows the lines still waiting; the view is otherwise brought up to date within ~30 ms.
    void Flush();

    void SetColors(const QColor& text, const QColor& background);
    QColor TextColor() const;
    QColor BackgroundColor() const;

    QPlainTextEdit* Memo1;
    QPushButton* BitBtn12; // Save
    QPushButton* BitBtn13; // Clear
    QPushButton* BitBtn11; // Texte
    QPushButton* BitBtn10; // Fond

private:
    Log& log_;
    std::vector<std::string> pending_;
    QTimer* flushTimer_;
};

} // namespace lmx
