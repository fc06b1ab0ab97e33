#pragma once
// The main window: banner, about and quit buttons, the three pages and the status bar.
#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTabWidget;

namespace lmx {

class Session;
class FmtFile;
struct ChosenFormats;
class Params;
class IDialogs;
class LangTexts;
class Log;
class AboutBox;
class ConversionPage;
class FormatEditorPage;
class ParametersPage;
class StatusBar;
class ToolkitTexts;
class Hover;

// What the window works with; owned by the program's entry (or a test), never by the window.
// The references are the session's own members, named for the window's use.
struct WindowContext {
    WindowContext(Session& session, IDialogs& dialogs, std::string programDir, std::vector<std::string> args);

    Session& S;
    std::string ProgramDir;  // ends with "/"
    std::string ProgramFile; // the running program's file (names the language file); ProgramDir + "Lumivex" by default
    std::vector<std::string> Args;
    IDialogs& Dialogs;
    LangTexts& Lang;
    ChosenFormats& Formats;
    lmx::Log& TheLog;
    Params& Prm;
    FmtFile& Fmt;
};

// What the start-up found, for the rest of the session.
struct SettingsState {
    std::string PrmFileName;
    std::string FmtFileName;
    std::string LngFileName;
    bool StopOnBadLine = false;
    std::vector<std::string> LangNames;
    int64_t LoadSettingsMs = 0;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(WindowContext& ctx, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The last panel of the status bar; nothing when the panels are not built yet.
    void SetStatusText(const QString& text);
    bool StatusBarBuilt() const;
    QString StatusText(int panel) const;

    void onAboutClicked();
    void onQuitClicked(); // the parameters are written first

    // Start-up steps; LoadSettings runs from the constructor, FirstShow at the first show. Files named
    // on the command line are taken and converted by CommandLineRun, once the window is on screen
    // (painted), so that the person sees them and can cancel.
    void LoadSettings();
    void FirstShow();
    void CommandLineRun();
    // The files of the command line were taken and converted (or there were none).
    bool CommandLineRunDone() const { return autoRunDone_; }
    // Writes the parameters; false (window kept open, reason shown) when that fails.
    bool SaveParamsForExit();
    // During a run: asks it to stop and the window to close after it; false when no run is going.
    bool StopRunBeforeClosing();
    // Every page's captions in the language in use.
    void Retranslate();

    const SettingsState& Envir() const { return envir_; }

    QLabel* banner;
    QPushButton* aboutButton;
    QPushButton* quitButton;
    QPushButton* helpButton;
    QTabWidget* pages;
    ConversionPage* conversionPage;
    FormatEditorPage* formatEditorPage;
    ParametersPage* parametersPage;
    StatusBar* statusPanels;
    AboutBox* aboutBox = nullptr; // created by the program's entry, or at first use
    Hover* hover = nullptr;      // the six main buttons' highlight (HoverOn)

    // The window's opening size, grown to what the texts need, within the screen.
    static constexpr int kWidth = 785;
    static constexpr int kHeight = 554;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void KeepMinimumSize();
    QSize ScreenRoom() const; // the work area of the window's screen, without its frame
    void ApplyToolkitTexts(const std::string& language);
    void RetranslateOwn(); // the window's own buttons and page titles, and their keys
    std::string windowKeys_;

    WindowContext& ctx_;
    SettingsState envir_;
    bool quitting_ = false;
    bool shownOnce_ = false;
    bool autoRunStarted_ = false; // the run of the command line may be asked for twice
    bool autoRunDone_ = false;
    std::unique_ptr<AboutBox> ownAbout_;
    std::unique_ptr<ToolkitTexts> toolkitTexts_;
};

} // namespace lmx
