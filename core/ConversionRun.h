#pragma once
// A conversion run: every source of the list, in order, into one result file, and the checks of the
// "Convertir" button. Its closing message and after-processing live in AfterProcessing.cpp.
#include "common/Status.h"
#include "core/ConversionFiles.h"
#include "core/ColumnDraft.h"
#include "core/EngineRunner.h"
#include "core/Log.h"
#include "core/Ports.h"
#include "core/AfterProcessing.h"
#include "core/RunState.h"
#include "env/LangTexts.h"
#include "env/Params.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lmx {

class Params;
class ITrash;
class LineReader;

// The pages a run brings forward.
enum class RunPage { Output, Rejected };

// What a run shows besides its log and messages; the window, the command-line converter and the
// tests implement it. The per-line hook (IRunHook) stays cheap: implementers throttle themselves.
class IRunView : public IRunHook {
public:
    virtual void ResetCounters() {}                                                     // all "0", normal colour
    virtual void ShowCounters(int64_t files, int64_t read, int64_t rejected, int64_t written) {
        (void)files, (void)read, (void)rejected, (void)written;
    }
    virtual void ShowRejectedCount(int64_t rejected) { (void)rejected; }
    virtual void ShowPage(RunPage page) { (void)page; }
    // The source now converted, numbered from 1, and the run's end: the window words them.
    virtual void ShowFileNumber(int64_t number, int64_t count) { (void)number, (void)count; }
    virtual void ShowRunEnded() {}
    virtual void SetConvertEnabled(bool enabled) { (void)enabled; }
    virtual void ChooseOutputFile() {} // the "Changer" chooser
    // The source now read, and the bytes of the run's sources read before it; nullptr once it is
    // closed. A progress by bytes may ask in->Consumed() from LineDone, never per line.
    virtual void ReadingFrom(const LineReader* in, int64_t bytesBefore) { (void)in, (void)bytesBefore; }
};

// What a run works on, copied when it starts: its sources, its result file, its two formats with
// the link and the engine built from them, its data settings, its after-processing. The window's
// choices may change while the run goes on (on another thread); the run never sees them, and
// after-processing touches only these sources.
struct RunCopy {
    RunCopy(const ConvPageState& page, const ChosenFormats& formats, const Converter& conv, AfterProcessing after);
    RunCopy(const RunCopy&) = delete;
    RunCopy& operator=(const RunCopy&) = delete;

    std::vector<std::string> InFiles;
    std::string OutPath;
    bool OutReplace = false;
    int32_t AvgLineLen = 0;
    ChosenFormats Formats; // without the catalogue
    Converter Conv;
    AfterProcessing After;
    std::string Encoding, LineEnd; // the parameters ENC and EOL
};

// Everything a run reads and writes; owned by the session, passed by reference.
struct RunContext {
    ChosenFormats& formats;
    Converter& conv;
    RunState& run;
    RejectTable& rejects;
    ConvPageState& page;
    Params& params;
    const LangTexts& lang;
    Log& log;
    IMessages& messages;
    ITrash& trash;
    SystemPort& port;
};

class ConversionRun {
public:
    explicit ConversionRun(RunContext ctx) : c_(ctx) {}

    // The "Convertir" button: checks, run, counts, closing message. The RunConversion status, or
    // RunNotStarted when a check refused the run.
    Status ConvertButton(IRunView& view);

    // The run itself over a copy of c_.page.InFiles into c_.page.OutPath, with a copy of the two
    // formats and of after (see RunCopy). The result reaches its name whole
    // when the run ends (also after a cancel or a stop at a bad line), and only then are sources
    // renamed, recycled or deleted. Rejected lines go to sink, or to the session's table. Unless
    // c_.page.OutReplace, a file that has the result's name by then is never replaced: the run
    // ends as RunIncompleteOutput with EEXIST. A stopped run starts no further source.
    Status RunConversion(IRunView& view, const AfterProcessing& after, IRejectSink* sink = nullptr);

    // The same steps for a window that converts on another thread, keeping answerable:
    // CheckChoices, TakeCopy and TellEnd run on the window's thread (they read and write what the
    // window shows and asks); ConvertCopy may run on any one, and touches nothing but the copy,
    // the run state, the system and what it is given. The window reads the run state again once
    // ConvertCopy has returned.
    // The checks of the "Convertir" button, with their questions: Ok when the run may start.
    Status CheckChoices(IRunView& view);
    void TakeCopy(AfterProcessing after);
    Status ConvertCopy(IRunView& view, IRejectSink& sink, Log& log);
    // The page's result file asked for again, the closing message and what the user must know.
    void TellEnd(const Status& result);
    // "Annuler", from any thread: the run stops after the current line.
    void RequestCancel() { cancel_.store(true, std::memory_order_relaxed); }

    // The closing message of a RunConversion status (also logs the "#CONV" lines).
    std::string ClosingMessage(const Status& result);

    // The after-processing from the parameters SRN and SDL.
    AfterProcessing FromParameters() const;

    // What the last run worked on; nullptr before the first one.
    const RunCopy* LastRun() const { return copy_.get(); }
    // Per source of the last run's copy: whether it was read to its end (not failed, aborted or unread).
    const std::vector<bool>& Converted() const { return converted_; }
    // The system's number when the result file could not be created or written (its reason is the
    // status's).
    int OutputErrNo() const { return outputErrNo_; }
    // The sources of the last run not converted to their end (RunSourcesFailed).
    int32_t FailedSources() const { return failedSources_; }
    // The sources that could not be opened or read to their end for a reason of the system
    // (verb "ReadFile"), in list order.
    const std::vector<AfterFailure>& ReadFailures() const { return readFailures_; }
    int32_t EngineCode() const { return engineCode_; }
    // Lines in the result file: none when it could not be completely written.
    int64_t LinesWritten() const { return linesWritten_; }
    // Sources kept from the recycle bin or deletion because some of their lines were rejected.
    int32_t KeptForRejects() const { return keptForRejects_; }
    // Sources not renamed, recycled or deleted, each with why: verb "SourceChanged" for a source
    // whose name no longer names the file read to its end (replaced, grown, rewritten).
    const std::vector<AfterFailure>& AfterFailures() const { return afterFailures_; }

private:
    std::string ResultMessage(const Status& result);
    void DoAfterProcessing(bool outputComplete, Log& log);
    void PageAfterRun(const Status& result);

    RunContext c_;
    std::atomic<bool> cancel_{false};
    std::unique_ptr<RunCopy> copy_;
    std::vector<bool> converted_;
    std::vector<int64_t> rejectedIn_; // rejected lines per source
    std::vector<FileIdentity> readEnds_; // per source, the file whose end was read
    int outputErrNo_ = 0;
    int32_t failedSources_ = 0;
    std::vector<AfterFailure> readFailures_;
    EngineCodeValue engineCode_ = ecStandard;
    int64_t linesWritten_ = 0;
    int32_t keptForRejects_ = 0;
    std::vector<AfterFailure> afterFailures_;
};

} // namespace lmx
