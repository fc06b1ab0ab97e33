#pragma once
// The main window: banner, about and quit buttons, the three pages and the status bar.
#include "ui/UGridCells.h"
#include "ui/UGridModel.h"

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;

namespace lmx {

class FormatState;
class IDialogs;
class LangTexts;
class Log;
class TAboutBox;
class UPageConvert;

// What the window works with; owned by the program's entry (or a test), never by the window.
struct WindowContext {
    std::string ProgramDir; // ends with "/"
    std::vector<std::string> Args;
    LangTexts& Lang;
    FormatState& Formats;
    lmx::Log& TheLog;
    IDialogs& Dialogs;
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(WindowContext& ctx, QWidget* parent = nullptr);
    ~TForm1() override;

    // The last panel of the status bar; nothing when the panels are not built yet.
    void SetStatusText(const QString& text);
    bool StatusBarBuilt() const { return statusPanels_[0] != nullptr; }
    QString StatusText(int panel) const;

    void BitBtn14Click();

    QLabel* Image1;
    QPushButton* BitBtn14;
    QPushButton* BitBtn5;
    QPushButton* BitBtn17;
    QTabWidget* PageControl1;
    UPageConvert* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;
    QStatusBar* StatusBar1;
    QProgressBar* ProgressBar1 = nullptr; // the whole run
    QProgressBar* ProgressBar2 = nullptr; // the current file
    TAboutBox* AboutBox = nullptr; // created by the program's entry, or at first use

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildStatusBar();

    WindowContext& ctx_;
    GridCells inPreview_{1, 4};
    GridCells outPreview_{1, 4};
    GridCells rejects_{2, 2};
    GridCellsSource rejectsSource_{rejects_};
    QLabel* statusPanels_[5] = {nullptr, nullptr, nullptr, nullptr, nullptr};
    bool shownOnce_ = false;
    std::unique_ptr<TAboutBox> ownAbout_;
};

} // namespace lmx
