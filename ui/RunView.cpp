#include "ui/RunView.h"

#include "common/Text.h"
#include "env/LangTexts.h"
#include "ui/QtBridge.h"

#include <climits>

namespace lmx {

namespace {

int Clamp(int64_t v) { return v < 0 ? 0 : v > INT_MAX ? INT_MAX : static_cast<int>(v); }

// A range of 0 to 0 draws an endless busy animation: with nothing to count, the bar stays 0 of 100.
int RangeOf(int64_t max) { return max > 0 ? Clamp(max) : 100; }

} // namespace

void RunView::LineDone(const RunState& run) { ShowProgress(run.LineNo, run.LinesRead); }

void RunView::ShowProgress(int64_t filePos, int64_t runPos) {
    Update(filePos, runPos);
    page_.RefreshRejects();
}

void RunView::Update(int64_t filePos, int64_t runPos) {
    // The maxima are estimates from the file sizes: a position beyond one shows a full bar.
    status_.SetBarValue(RunBar::File, Clamp(filePos < fileMax_ ? filePos : fileMax_));
    status_.SetBarValue(RunBar::Run, Clamp(runPos < runMax_ ? runPos : runMax_));
}

void RunView::SetFileBarMax(int64_t max) {
    fileMax_ = max;
    status_.SetBarRange(RunBar::File, RangeOf(max));
}

void RunView::SetRunBarMax(int64_t max) {
    runMax_ = max;
    status_.SetBarRange(RunBar::Run, RangeOf(max));
}

void RunView::SetBars(int64_t filePos, int64_t runPos) { Update(filePos, runPos); }

void RunView::ResetCounters() {
    page_.SetCounters("0", "0", "0", "0");
    page_.SetRejectedColor(false);
}

void RunView::ShowCounters(int64_t files, int64_t read, int64_t rejected, int64_t written) {
    page_.SetCounters(Qs(IntToStr(files)), Qs(IntToStr(read)), Qs(IntToStr(rejected)), Qs(IntToStr(written)));
    page_.SetRejectedColor(rejected != 0);
}

void RunView::ShowRejectedCount(int64_t rejected) {
    page_.ShowRejectedCount(Qs(IntToStr(rejected)));
    page_.RefreshRejects();
}

void RunView::ShowPage(RunPage page) { page_.ShowRunPage(page); }

void RunView::ShowFileNumber(int64_t number, int64_t count) {
    status_.SetStatusText(Qs(lang_.Text(LK::itm_fic) + IntToStr(number) + " / " + IntToStr(count)));
}

void RunView::ShowRunEnded() { status_.SetStatusText(Qs(std::string("Termin\xE9."))); }

void RunView::SetConvertEnabled(bool enabled) {
    page_.SetConvertEnabled(enabled);
    if (enabled) page_.RefreshRejects();
}

void RunView::ChooseOutputFile() {
    if (chooseOutput_) chooseOutput_();
}

} // namespace lmx
