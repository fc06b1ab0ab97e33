#pragma once
// The window's status bar: five panels built at the first show, the two progress bars of a run
// inside the second and the fourth, the status text in the last.
#include "ui/RunView.h"

#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace lmx {

class LangTexts;

class StatusBar : public QStatusBar, public IRunStatus {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);

    // The panels and the bars; once.
    void Build(const LangTexts& lang);
    bool Built() const { return panels_[0] != nullptr; }
    // A panel's text; nothing before the panels are built.
    QString Text(int panel) const;

    void SetBarRange(RunBar bar, int max) override;
    void SetBarValue(RunBar bar, int value) override;
    // The last panel; nothing when the panels are not built yet.
    void SetStatusText(const QString& text) override;

    QProgressBar* runBar = nullptr; // the whole run
    QProgressBar* fileBar = nullptr; // the current file

private:
    QProgressBar* Bar(RunBar bar) const { return bar == RunBar::Run ? runBar : fileBar; }
    QLabel* panels_[5] = {nullptr, nullptr, nullptr, nullptr, nullptr};
};

} // namespace lmx
