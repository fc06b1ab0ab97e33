#pragma once
// The window's side of a conversion run: counters, bars, pages, and the event processing that lets
// "Annuler" through, at most every ~30 ms and never per line.
#include "core/ULineErr.h"
#include "core/URun.h"
#include "ui/UGridModel.h"

#include <chrono>
#include <cstdint>

namespace lmx {

class TForm1;

class RejectTableSource : public IGridSource {
public:
    explicit RejectTableSource(const RejectTable& table) : table_(table) {}
    int ColCount() const override;
    int RowCount() const override;
    std::string Cell(int col, int row) const override;
    uint32_t FixedColor() const override;

private:
    const RejectTable& table_;
};

class URunView : public IRunView {
public:
    explicit URunView(TForm1& form) : form_(form) {}

    void LineDone(const RunState& run) override;
    void SetFileBarMax(int64_t max) override;
    void SetRunBarMax(int64_t max) override;
    void SetBars(int64_t filePos, int64_t runPos) override;

    void ResetCounters() override;
    void ShowCounters(int64_t files, int64_t read, int64_t rejected, int64_t written) override;
    void ShowRejectedCount(int64_t rejected) override;
    void ShowPage(RunPage page) override;
    void SetStatus(const std::string& text) override;
    void SetConvertEnabled(bool enabled) override;
    void ChooseOutputFile() override;

    // A run is going (between the disabling and the enabling of "Convertir").
    bool Running() const { return running_; }
    // The window was asked to close during the run: it closes once the run has stopped.
    void RequestClose() { closeRequested_ = true; }
    bool TakeCloseRequest() {
        const bool asked = closeRequested_;
        closeRequested_ = false;
        return asked;
    }

    // Lines between two looks at the clock.
    static constexpr int kLinesPerCheck = 512;
    static constexpr std::chrono::milliseconds kInterval{30};
    int EventRounds() const { return rounds_; }

private:
    void Update(int64_t filePos, int64_t runPos);

    TForm1& form_;
    int countdown_ = kLinesPerCheck;
    std::chrono::steady_clock::time_point last_{};
    int64_t fileMax_ = 0;
    int64_t runMax_ = 0;
    int rounds_ = 0;
    bool running_ = false;
    bool closeRequested_ = false;
};

} // namespace lmx
