#pragma once
// The chart page of the result views: one number column of the input preview's file (before a
// run) or of the run's result (after it), read whole on a worker thread, drawn against its date
// column, with the summary line that gives a bad value away. The rules are the model's
// (model/ChartModel); the page starts the readings, cancels them when the file or the format
// changes, and shows what they give.
#include "model/ChartModel.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QThread;
class QTimer;

namespace lmx {

class ChartView;
class LangTexts;
class Session;

class ChartPage : public QWidget {
    Q_OBJECT
public:
    explicit ChartPage(QWidget* parent = nullptr);
    ~ChartPage() override;

    // The session whose files and formats the page follows.
    void Attach(Session& session);
    void Retranslate(const LangTexts& lang);
    // A run starts (true) or is over (false): once over, its result is drawn while the files stay those of the run.
    void RunGoing(bool going);
    // Looks at the file and format to draw now; a change cancels the reading under way and starts
    // another (only while the page is shown: nothing is read for a hidden page).
    void Follow();
    // The reading under way is over (tests wait on it).
    bool Idle() const { return !thread_; }

    void onColumnChosen();
    void onSummaryClicked(); // the point of the largest jump
    void onPointClicked(const SeriesPoint& p);

    QComboBox* columnBox; // ChartColumn
    QLabel* columnCaption;
    QLabel* statusLabel;  // ChartStatus
    ChartView* view;      // ChartView
    QLabel* summaryLabel; // ChartSummary
    QLabel* pointLabel;   // ChartPoint
    QLabel* lineLabel;    // ChartLine

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    ChartSource Current();
    void Start(const ChartSource& source);
    void Cancel();
    void Finished(const std::shared_ptr<ChartJob>& job);
    void FillColumns(const Format& f);

    Session* session_ = nullptr;
    bool going_ = false;
    std::optional<ChartSource> result_;        // the last run's result
    std::vector<std::string> resultFiles_;     // the files it was made of
    ChartSource shown_;                        // what the page draws or reads
    bool current_ = false;                     // shown_ is drawn or being read, with the column chosen
    std::shared_ptr<ChartJob> job_;            // the reading under way, or the last one over
    QThread* thread_ = nullptr;
    QTimer* timer_;
    std::vector<int32_t> columns_;             // the list's number columns
};

} // namespace lmx
