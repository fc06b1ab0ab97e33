#pragma once
// The window's side of a conversion run: counters, bars, pages. The run goes on another thread
// (RunThread), which calls these on the window's thread at its own pace.
#include "core/ConversionRun.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace lmx {

class LangTexts;

enum class RunBar { Run, File };

// The status bar as a run uses it: its two progress bars and its last panel.
class IRunStatus {
public:
    virtual ~IRunStatus() = default;
    virtual void SetBarRange(RunBar bar, int max) = 0;
    virtual void SetBarValue(RunBar bar, int value) = 0;
    virtual void SetStatusText(const QString& text) = 0;
};

// The conversion page as a run uses it.
class IRunPage {
public:
    virtual ~IRunPage() = default;
    virtual void SetCounters(const QString& files, const QString& read, const QString& rejected,
                             const QString& written) = 0;
    // The rejected count in red when it is not "0", else in the normal text colour.
    virtual void SetRejectedColor(bool red) = 0;
    virtual void ShowRejectedCount(const QString& count) = 0;
    virtual void RefreshRejects() = 0;
    virtual void ShowRunPage(RunPage page) = 0;
    virtual void SetConvertEnabled(bool enabled) = 0;
};

class RunView : public IRunView {
public:
    // chooseOutput: the "Changer" chooser, when a check of the run asks for another result file.
    RunView(IRunPage& page, IRunStatus& status, const LangTexts& lang, std::function<void()> chooseOutput)
        : page_(page), status_(status), lang_(lang), chooseOutput_(std::move(chooseOutput)) {}

    void LineDone(const RunState& run) override;
    // Both bars to where the run is, and the rejected rows taken so far shown.
    void ShowProgress(int64_t filePos, int64_t runPos);
    void SetFileBarMax(int64_t max) override;
    void SetRunBarMax(int64_t max) override;
    void SetBars(int64_t filePos, int64_t runPos) override;

    void ResetCounters() override;
    void ShowCounters(int64_t files, int64_t read, int64_t rejected, int64_t written) override;
    void ShowRejectedCount(int64_t rejected) override;
    void ShowPage(RunPage page) override;
    void ShowFileNumber(int64_t number, int64_t count) override; // "Fichier1 / 3"
    void ShowRunEnded() override;
    void SetConvertEnabled(bool enabled) override;
    void ChooseOutputFile() override;

    // The window was asked to close during the run: it closes once the run has stopped.
    void RequestClose() { closeRequested_ = true; }
    bool TakeCloseRequest() {
        const bool asked = closeRequested_;
        closeRequested_ = false;
        return asked;
    }

private:
    void Update(int64_t filePos, int64_t runPos);

    IRunPage& page_;
    IRunStatus& status_;
    const LangTexts& lang_;
    std::function<void()> chooseOutput_;
    int64_t fileMax_ = 0;
    int64_t runMax_ = 0;
    bool closeRequested_ = false;
};

} // namespace lmx
