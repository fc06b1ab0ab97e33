#pragma once
// A conversion run on a thread of its own, so that the window stays answerable while the lines are
// converted: repaints, resizes, "Annuler", "Quitter", the accessibility bus. The run knows nothing
// of threads: it reports through its view, its rejects sink and its log, which this side turns into
// calls queued to the window's thread, paced as a person can follow them.
#include "common/Status.h"

#include <QThread>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

namespace lmx {

class Session;
class RunView;

// The rejected rows on their way to the window: a run that rejects every line waits for the
// window to take them rather than fill the memory.
struct RowFlow {
    static constexpr int64_t kMaxBytes = int64_t{8} << 20;
    std::mutex mutex;
    std::condition_variable taken;
    int64_t bytes = 0;
    bool stopping = false; // the window no longer takes anything: nobody waits
};

class RunThread : public QThread {
    Q_OBJECT
public:
    // The session's runner has taken its copy (TakeCopy). view, and the session's log and rejected
    // rows, are touched on the window's thread only: window receives the queued calls.
    RunThread(Session& session, RunView& view, QObject* window);
    // Stops the run and waits for its end: its result is whole by then, or not there at all.
    ~RunThread() override;

    // "Annuler": the run stops after its current line.
    void Cancel();
    // How the run ended; read once ended() has come.
    const Status& Result() const { return result_; }

signals:
    // Queued after everything the run showed; the run's state may be read from then on.
    void ended();

protected:
    void run() override;

private:
    Session& session_;
    RunView& view_;
    QObject* window_;
    bool extendedLog_;
    Status result_;
    std::shared_ptr<RowFlow> flow_ = std::make_shared<RowFlow>();
};

} // namespace lmx
