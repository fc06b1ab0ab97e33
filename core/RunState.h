#pragma once
// Flags and counters of one conversion run, and the hook through which the run lets the window
// (or the command-line converter) follow it and ask it to stop.
#include <cstdint>
#include <string>
#include <vector>

namespace lmx {

struct RunState {
    bool StopRun = false;       // stop reading after the current line
    bool UserCancel = false;    // the user asked for the stop
    bool StopOnBadLine = false; // the first rejected line stops the run
    bool FileAborted = false;   // the current file was not read to its end
    bool FileRowShown = false;  // the current file's row is in the rejected-lines table

    int64_t LineNo = 0;        // lines read from the current file (skipped leading lines excluded)
    int64_t LinesRead = 0;     // records read in the run: empty lines are not records
    int64_t RejectedTotal = 0; // lines rejected in the run
    int64_t EmptyTotal = 0;    // empty lines skipped in the run (counted in LineNo, not in LinesRead)
    std::vector<int64_t> RejectedByCode; // rejected lines per line-error code, as far as codes were met

    std::string SourcePath; // the file being read

    // A fresh run: everything back to its start value except StopOnBadLine, which the parameters set.
    void ResetForRun() {
        StopRun = UserCancel = FileAborted = FileRowShown = false;
        LineNo = LinesRead = RejectedTotal = EmptyTotal = 0;
        RejectedByCode.clear();
        SourcePath.clear();
    }
};

// Called by the engine after every line, and by the run for the progress bars. LineDone must stay
// cheap: whoever implements it throttles its own redrawing. It is where "Annuler" is heard (the
// run reads its cancel flag there) and sets StopRun and UserCancel; the engine reads them right after.
class IRunHook {
public:
    virtual ~IRunHook() = default;
    // run.LineNo is the file bar's position, run.LinesRead the run bar's.
    virtual void LineDone(const RunState& run) = 0;
    virtual void SetFileBarMax(int64_t max) { (void)max; }
    virtual void SetRunBarMax(int64_t max) { (void)max; }
    // Both bars to a position, outside the per-line path (0 when a file or the run starts or ends).
    virtual void SetBars(int64_t filePos, int64_t runPos) { (void)filePos, (void)runPos; }
};

// For callers that follow nothing (tests, the preview).
class NullRunHook final : public IRunHook {
public:
    void LineDone(const RunState&) override {}
};

} // namespace lmx
