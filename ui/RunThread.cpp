#include "ui/RunThread.h"

#include "core/Log.h"
#include "core/RejectTable.h"
#include "core/ConversionRun.h"
#include "model/EventPacer.h"
#include "model/Session.h"
#include "ui/RunView.h"

#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lmx {

namespace {

// The rejected rows travel as one buffer: per row a kind ('F' a file's title, 'R' a rejected
// line), then sizes and bytes, so that a row costs no allocation of its own.
void PutNumber(std::string& b, int64_t n) { b.append(reinterpret_cast<const char*>(&n), sizeof n); }

void PutText(std::string& b, std::string_view t) {
    PutNumber(b, static_cast<int64_t>(t.size()));
    b.append(t);
}

int64_t TakeNumber(const std::string& b, std::size_t& at) {
    int64_t n = 0;
    std::memcpy(&n, b.data() + at, sizeof n);
    at += sizeof n;
    return n;
}

std::string_view TakeText(const std::string& b, std::size_t& at) {
    const auto size = static_cast<std::size_t>(TakeNumber(b, at));
    const std::string_view t(b.data() + at, size);
    at += size;
    return t;
}

void TakeRows(RejectTable& table, const std::string& b) {
    std::vector<std::string_view> cells;
    std::size_t at = 0;
    while (at < b.size()) {
        if (b[at++] == 'F') {
            table.FileStarts(TakeText(b, at));
            continue;
        }
        const int64_t lineNo = TakeNumber(b, at);
        const auto code = static_cast<LineError>(TakeNumber(b, at));
        cells.resize(static_cast<std::size_t>(TakeNumber(b, at)));
        for (std::string_view& c : cells) c = TakeText(b, at);
        table.Rejected(lineNo, code, {}, cells); // the table keeps the cells, not the line as read
    }
}

// What the run sends to the window, in the order it happened: a call waits until the rows and
// the log lines before it are on their way.
class Relay {
public:
    Relay(QObject* window, std::shared_ptr<RowFlow> flow, Session& session, Log& runLog)
        : window_(window), flow_(std::move(flow)), session_(session), runLog_(runLog) {}

    template <class F>
    void Post(F&& call) {
        Flush();
        QMetaObject::invokeMethod(window_, std::forward<F>(call), Qt::QueuedConnection);
    }
    void Flush();
    RejectTable& Table() { return session_.rejects; }
    std::string& Rows() { return rows_; }
    void RowAdded() {
        if (rows_.size() >= kRowsAtOnce) Flush();
    }

private:
    static constexpr std::size_t kRowsAtOnce = std::size_t{1} << 20;
    QObject* window_;
    std::shared_ptr<RowFlow> flow_;
    Session& session_;
    Log& runLog_;
    std::string rows_;
};

void Relay::Flush() {
    if (!rows_.empty()) {
        const auto size = static_cast<int64_t>(rows_.size());
        {
            std::unique_lock<std::mutex> lock(flow_->mutex);
            flow_->taken.wait(lock, [&] { return flow_->bytes < RowFlow::kMaxBytes || flow_->stopping; });
            flow_->bytes += size;
        }
        QMetaObject::invokeMethod(
            window_,
            [&table = session_.rejects, flow = flow_, rows = std::move(rows_), size] {
                TakeRows(table, rows);
                {
                    const std::lock_guard<std::mutex> lock(flow->mutex);
                    flow->bytes -= size;
                }
                flow->taken.notify_one();
            },
            Qt::QueuedConnection);
        rows_ = std::string();
    }
    if (!runLog_.Lines().empty()) {
        QMetaObject::invokeMethod(
            window_, [&log = session_.log, lines = runLog_.Lines()]() mutable { log.AddLines(std::move(lines)); },
            Qt::QueuedConnection);
        runLog_.Clear(); // its pending part stays: the engine completes the line
    }
}

class RowRelay final : public IRejectSink {
public:
    explicit RowRelay(Relay& relay) : relay_(relay) {}
    void RunStarts(const Format& in, int32_t inColCount, DataShown shown) override {
        relay_.Post([&table = relay_.Table(), in, inColCount, shown] { table.RunStarts(in, inColCount, shown); });
    }
    void FileStarts(std::string_view path) override {
        relay_.Rows() += 'F';
        PutText(relay_.Rows(), path);
        relay_.RowAdded();
    }
    void Rejected(int64_t lineNo, LineError code, std::string_view,
                  std::span<const std::string_view> cells) override {
        std::string& b = relay_.Rows();
        b += 'R';
        PutNumber(b, lineNo);
        PutNumber(b, code);
        PutNumber(b, static_cast<int64_t>(cells.size()));
        for (const std::string_view c : cells) PutText(b, c);
        relay_.RowAdded();
    }

private:
    Relay& relay_;
};

// The window's view as the run sees it: the per-line call costs a countdown, and the bars move
// about every 30 ms, as they did when the run went on the window's own thread.
class QueuedRunView final : public IRunView {
public:
    QueuedRunView(Relay& relay, RunView& window) : relay_(relay), window_(window) {}
    void LineDone(const RunState& run) override {
        if (pacer_.Line()) Progress(run.LineNo, run.LinesRead);
    }
    void SetFileBarMax(int64_t max) override {
        relay_.Post([&w = window_, max] { w.SetFileBarMax(max); });
    }
    void SetRunBarMax(int64_t max) override {
        relay_.Post([&w = window_, max] { w.SetRunBarMax(max); });
    }
    void SetBars(int64_t filePos, int64_t runPos) override {
        // Where a file starts or ends: a run of many small files is followed at the same pace.
        if (pacer_.Boundary())
            Progress(filePos, runPos);
        else if (filePos == 0 && runPos == 0)
            relay_.Post([&w = window_] { w.SetBars(0, 0); });
    }
    void ShowCounters(int64_t files, int64_t read, int64_t rejected, int64_t written) override {
        relay_.Post([&w = window_, files, read, rejected, written] { w.ShowCounters(files, read, rejected, written); });
    }
    void ShowRejectedCount(int64_t rejected) override {
        relay_.Post([&w = window_, rejected] { w.ShowRejectedCount(rejected); });
    }
    void ShowPage(RunPage page) override {
        relay_.Post([&w = window_, page] { w.ShowPage(page); });
    }
    void ShowFileNumber(int64_t number, int64_t count) override {
        relay_.Post([&w = window_, number, count] { w.ShowFileNumber(number, count); });
    }
    void ShowRunEnded() override {
        relay_.Post([&w = window_] { w.ShowRunEnded(); });
    }

private:
    void Progress(int64_t filePos, int64_t runPos) {
        relay_.Post([&w = window_, filePos, runPos] { w.ShowProgress(filePos, runPos); });
    }

    Relay& relay_;
    RunView& window_;
    EventPacer pacer_;
};

} // namespace

RunThread::RunThread(Session& session, RunView& view, QObject* window)
    : session_(session), view_(view), window_(window), extendedLog_(session.log.ExtendedLog) {}

RunThread::~RunThread() {
    Cancel();
    {
        const std::lock_guard<std::mutex> lock(flow_->mutex);
        flow_->stopping = true;
    }
    flow_->taken.notify_all();
    wait();
}

void RunThread::Cancel() { session_.runner.RequestCancel(); }

void RunThread::run() {
    // The run's own log: its lines join the window's in the order they were written.
    Log runLog(session_.runner.LastRun()->Formats, session_.messages, session_.port);
    runLog.ExtendedLog = extendedLog_;
    Relay relay(window_, flow_, session_, runLog);
    QueuedRunView view(relay, view_);
    RowRelay rows(relay);
    result_ = session_.runner.ConvertCopy(view, rows, runLog);
    relay.Flush();
    emit ended();
}

} // namespace lmx
