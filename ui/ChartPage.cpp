#include "ui/ChartPage.h"

#include "env/Params.h"
#include "model/Session.h"
#include "ui/ChartView.h"
#include "ui/ObjectNames.h"
#include "ui/QtBridge.h"
#include "ui/Widgets.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace lmx {

ChartPage::ChartPage(QWidget* parent) : QWidget(parent) {
    setObjectName(names::kChartPage);
    columnCaption = NamedLabel(names::kChartColumnCaption);
    columnBox = Named<QComboBox>(names::kChartColumnBox);
    columnBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    columnCaption->setBuddy(columnBox);
    statusLabel = NamedLabel(names::kChartStatus);
    view = new ChartView;
    summaryLabel = NamedLabel(names::kChartSummary);
    summaryLabel->setCursor(Qt::PointingHandCursor);
    summaryLabel->setWordWrap(true);
    summaryLabel->installEventFilter(this);
    pointLabel = NamedLabel(names::kChartPoint);
    lineLabel = NamedLabel(names::kChartLine);
    lineLabel->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (QLabel* l : {pointLabel, lineLabel}) l->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* top = new QHBoxLayout;
    top->addWidget(columnCaption);
    top->addWidget(columnBox);
    top->addWidget(statusLabel, 1);
    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(4, 4, 4, 4);
    all->addLayout(top);
    all->addWidget(view, 1);
    all->addWidget(summaryLabel);
    all->addWidget(pointLabel);
    all->addWidget(lineLabel);

    connect(columnBox, QOverload<int>::of(&QComboBox::activated), this, &ChartPage::onColumnChosen);
    connect(view, &ChartView::pointClicked, this, &ChartPage::onPointClicked);
    // Files and formats change under the page's feet (another page, a run, another program): it
    // looks again now and then while shown, and tells the progress of the reading under way.
    timer_ = new QTimer(this);
    timer_->setInterval(300);
    connect(timer_, &QTimer::timeout, this, &ChartPage::Follow);
    timer_->start();
}

ChartPage::~ChartPage() {
    timer_->stop();
    Cancel();
    // The readings cancelled end at their next check, a few thousand lines away.
    for (QThread* t : findChildren<QThread*>()) {
        t->wait();
        delete t;
    }
}

void ChartPage::Attach(Session& session) { session_ = &session; }

void ChartPage::Retranslate(const LangTexts& lang) {
    columnCaption->setText(Qs(lang.Text(LK::cpn_chartColumn)));
    if (job_ && !thread_) Finished(job_);
}

void ChartPage::RunGoing(bool going) {
    if (!session_) return;
    // A reading under way would slow the run down: it starts again after it.
    if (going && !going_) {
        Cancel();
        current_ = false;
    }
    if (going_ && !going) {
        result_ = ResultChart(*session_);
        resultFiles_ = session_->page.InFiles;
    }
    going_ = going;
    Follow();
}

ChartSource ChartPage::Current() {
    Session& s = *session_;
    if (result_ && s.page.InFiles == resultFiles_) {
        ChartSource r = *result_;
        LookAgain(r, s.port);
        if (r.size >= 0) return r;
    }
    return SourceChart(s);
}

void ChartPage::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    Follow();
}

void ChartPage::Follow() {
    // The run reads and writes the files: the page waits for its end.
    if (!session_ || going_ || !isVisible()) return;
    const ChartSource now = Current();
    if (current_ && now == shown_) {
        if (job_ && thread_) statusLabel->setText(Qs(ChartStatusText(*job_, false, session_->lang)));
        return;
    }
    Start(now);
}

void ChartPage::FillColumns(const Format& f) {
    const QString kept = columnBox->currentText();
    columns_ = NumberColumns(f);
    columnBox->clear();
    for (const int32_t c : columns_) columnBox->addItem(Qs(f.columns[static_cast<std::size_t>(c)].name));
    // The column chosen stays when the new format has one of that name.
    int at = columnBox->findText(kept);
    if (at < 0) {
        const int32_t first = DefaultChartColumn(f);
        for (std::size_t i = 0; i < columns_.size(); ++i)
            if (columns_[i] == first) at = static_cast<int>(i);
    }
    columnBox->setCurrentIndex(at);
}

void ChartPage::Start(const ChartSource& source) {
    Cancel();
    current_ = true;
    const bool newFormat = source.formatText != shown_.formatText || columns_.empty();
    shown_ = source;
    if (newFormat) FillColumns(source.request.format);
    view->Show(std::nullopt, std::nullopt, {}, {});
    for (QLabel* l : {statusLabel, summaryLabel, pointLabel, lineLabel}) l->clear();
    job_.reset();
    if (source.request.path.empty()) return;
    const LangTexts& lang = session_->lang;
    const int index = columnBox->currentIndex();
    if (index < 0) {
        statusLabel->setText(Qs(lang.Text(LK::str_chartNoColumn)));
        return;
    }
    // Wide enough for any screen; the view merges columns down to its own width.
    const int width = std::max(2048, static_cast<int>(view->width() * view->devicePixelRatioF()));
    auto job = std::make_shared<ChartJob>(source, columns_[static_cast<std::size_t>(index)], width);
    job_ = job;
    SystemPort& port = session_->port;
    QThread* t = QThread::create([job, &port] { job->Run(port); });
    t->setParent(this);
    thread_ = t;
    connect(t, &QThread::finished, this, [this, job, t] {
        t->setParent(nullptr);
        t->deleteLater();
        if (thread_ == t) thread_ = nullptr;
        if (job == job_) Finished(job);
    });
    t->start(QThread::LowPriority);
    statusLabel->setText(Qs(ChartStatusText(*job, false, lang)));
}

void ChartPage::Cancel() {
    // The thread ends by itself and is deleted then; its job is no longer the page's.
    if (job_ && thread_) {
        job_->cancel = true;
        job_.reset();
    }
    thread_ = nullptr;
}

void ChartPage::Finished(const std::shared_ptr<ChartJob>& job) {
    const LangTexts& lang = session_->lang;
    if (job->status == SeriesStatus::Cancelled) return;
    statusLabel->setText(Qs(ChartStatusText(*job, true, lang)));
    const ColumnSummary* s = job->Summary();
    if (job->status != SeriesStatus::Ok || !s) return;
    view->Show(job->chart, s->hasJump ? std::optional<SeriesPoint>(s->jumpAt) : std::nullopt, Qs(s->firstDate),
               Qs(s->lastDate), Qs(job->source.request.format.decSep));
    summaryLabel->setText(Qs(ChartSummaryText(*job, lang)));
}

void ChartPage::onColumnChosen() {
    if (!session_) return;
    Cancel();
    current_ = false;
    Follow();
}

void ChartPage::onSummaryClicked() {
    const ColumnSummary* s = job_ && !thread_ ? job_->Summary() : nullptr;
    if (s && s->hasJump) onPointClicked(s->jumpAt);
}

void ChartPage::onPointClicked(const SeriesPoint& p) {
    if (!job_ || thread_) return;
    std::string line;
    pointLabel->setText(Qs(ChartPointText(*job_, p, session_->lang, session_->port, line)));
    lineLabel->setText(DataIsUtf8(session_->params.settings.encoding) ? QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()))
                                                                    : Qs(line));
    view->Mark(p);
}

bool ChartPage::eventFilter(QObject* watched, QEvent* e) {
    if (watched == summaryLabel && e->type() == QEvent::MouseButtonRelease) onSummaryClicked();
    return QWidget::eventFilter(watched, e);
}

} // namespace lmx
