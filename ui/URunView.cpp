#include "ui/URunView.h"

#include "common/Text.h"
#include "ui/UMain.h"
#include "ui/UPageConvert.h"
#include "ui/UPageRejects.h"
#include "ui/UQt.h"
#include "ui/UResultViews.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <climits>

namespace lmx {

int RejectTableSource::ColCount() const { return static_cast<int>(table_.cols()); }
int RejectTableSource::RowCount() const {
    return table_.rows() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(table_.rows());
}
std::string RejectTableSource::Cell(int col, int row) const {
    if (col < 0 || row < 0) return {};
    return std::string(table_.cell(static_cast<std::size_t>(row), static_cast<std::size_t>(col)));
}
uint32_t RejectTableSource::FixedColor() const { return kLightPink; }

namespace {

int Clamp(int64_t v) { return v < 0 ? 0 : v > INT_MAX ? INT_MAX : static_cast<int>(v); }

void SetBar(QProgressBar* bar, int64_t pos, int64_t max) {
    if (!bar) return;
    // The maxima are estimates from the file sizes: a position beyond one shows a full bar.
    bar->setValue(Clamp(pos < max ? pos : max));
}

} // namespace

void URunView::LineDone(const RunState& run) {
    if (--countdown_ > 0) return;
    countdown_ = kLinesPerCheck;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < kInterval) return;
    last_ = now;
    Update(run.LineNo, run.LinesRead);
    form_.RefreshRejects();
    ++rounds_;
    QCoreApplication::processEvents(); // lets "Annuler" set the stop flags
}

void URunView::Update(int64_t filePos, int64_t runPos) {
    SetBar(form_.ProgressBar2, filePos, fileMax_);
    SetBar(form_.ProgressBar1, runPos, runMax_);
}

void URunView::SetFileBarMax(int64_t max) {
    fileMax_ = max;
    if (form_.ProgressBar2) form_.ProgressBar2->setRange(0, Clamp(max));
}

void URunView::SetRunBarMax(int64_t max) {
    runMax_ = max;
    if (form_.ProgressBar1) form_.ProgressBar1->setRange(0, Clamp(max));
}

void URunView::SetBars(int64_t filePos, int64_t runPos) {
    countdown_ = kLinesPerCheck;
    Update(filePos, runPos);
}

void URunView::ResetCounters() {
    UPageConvert& p = *form_.TabSheet1;
    p.SetCounters("0", "0", "0", "0");
    p.SetRejectedColor(false);
}

void URunView::ShowCounters(int64_t files, int64_t read, int64_t rejected, int64_t written) {
    UPageConvert& p = *form_.TabSheet1;
    p.SetCounters(Qs(IntToStr(files)), Qs(IntToStr(read)), Qs(IntToStr(rejected)), Qs(IntToStr(written)));
    p.SetRejectedColor(rejected != 0);
}

void URunView::ShowRejectedCount(int64_t rejected) {
    form_.TabSheet1->PageControl2->TabSheet5->Label32->setText(Qs(IntToStr(rejected)));
    form_.RefreshRejects();
}

void URunView::ShowPage(RunPage page) {
    form_.TabSheet1->PageControl2->setCurrentIndex(page == RunPage::Output ? 0 : 1);
    if (page == RunPage::Rejected) form_.RefreshRejects();
}

void URunView::SetStatus(const std::string& text) { form_.SetStatusText(Qs(text)); }

void URunView::SetConvertEnabled(bool enabled) {
    running_ = !enabled;
    form_.TabSheet1->BitBtn1->setEnabled(enabled);
    if (enabled) form_.RefreshRejects();
}

void URunView::ChooseOutputFile() { form_.BitBtn4Click(); }

} // namespace lmx
