// The conversion page during a run: starting it on its thread, showing it, cancelling it, ending it.
#include "ui/ConversionPage.h"

#include "core/ConversionRun.h"
#include "model/Session.h"
#include "ui/ChartPage.h"
#include "ui/RejectsPage.h"
#include "ui/ResultViews.h"
#include "ui/RunThread.h"
#include "ui/QtBridge.h"
#include "ui/Widgets.h"

#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace lmx {

void ConversionPage::onConvertClicked() {
    ConversionRun& runner = session_.runner;
    if (runThread_ || !runner.CheckChoices(*runView_).Ok()) return;
    runView_->SetConvertEnabled(false);
    runner.TakeCopy(runner.FromParameters());
    runThread_ = std::make_unique<RunThread>(session_, *runView_, this);
    connect(runThread_.get(), &RunThread::ended, this, &ConversionPage::OnRunEnded, Qt::QueuedConnection);
    runThread_->start();
}

void ConversionPage::OnRunEnded() {
    runThread_->wait();
    const Status result = runThread_->Result();
    runThread_.reset(); // joined: the run's state is the window's again
    runView_->SetConvertEnabled(true);
    session_.runner.TellEnd(result);
    // Closed during the run: the run has stopped as "Annuler" stops it, its result is whole.
    if (runView_->TakeCloseRequest()) emit runOverForClosing();
    emit runEnded();
}

void ConversionPage::onCancelClicked() {
    if (runThread_) runThread_->Cancel();
}

bool ConversionPage::Running() const { return runThread_ != nullptr; }

void ConversionPage::CloseWindowAfterRun() { runView_->RequestClose(); }

void ConversionPage::SetRejectedColor(bool red) {
    // Through the palette: a style sheet would also give the label another font once it is cleared.
    if (!red) {
        rejectedCount->setPalette(QPalette());
        return;
    }
    QPalette pal = rejectedCount->palette();
    pal.setColor(QPalette::WindowText, ReadableOn(Qt::red, pal.color(QPalette::Window)));
    rejectedCount->setPalette(pal);
}

void ConversionPage::ShowRejectedCount(const QString& count) { resultViews->rejectsPage->ShowCount(count); }

void ConversionPage::RefreshRejects() { resultViews->rejectsPage->Refresh(); }

void ConversionPage::ShowRunPage(RunPage page) {
    resultViews->setCurrentIndex(page == RunPage::Output ? 0 : 1);
    if (page == RunPage::Rejected) RefreshRejects();
}

void ConversionPage::SetConvertEnabled(bool enabled) {
    // The choices of the next run wait until this one is over: a click would only seem to count.
    if (!enabled) changeEnabled_ = resultViews->changeButton->isEnabled();
    for (QWidget* w : {static_cast<QWidget*>(convertButton), static_cast<QWidget*>(openButton),
                       static_cast<QWidget*>(inputFormatBox), static_cast<QWidget*>(resultViews->outputFormatBox)})
        w->setEnabled(enabled);
    resultViews->changeButton->setEnabled(enabled && changeEnabled_);
    resultViews->chartPage->RunGoing(!enabled);
}

void WaitForRun(QWidget& window, const std::function<void()>& start) {
    auto* page = window.findChild<ConversionPage*>();
    QEventLoop loop;
    if (page) QObject::connect(page, &ConversionPage::runEnded, &loop, &QEventLoop::quit);
    start();
    if (page && page->Running()) loop.exec();
}

} // namespace lmx
