#include "core/ConversionRun.h"

#include "common/Cp1252.h"
#include "common/Text.h"
#include "common/Basics.h"
#include "common/DurableFile.h"
#include "env/Params.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace lmx {
namespace {

// Forwards the engine's per-line call to the view, hears "Annuler", and stops reading once the
// result file has failed: every further line would only be lost.
class RunHook final : public IRunHook {
public:
    RunHook(IRunView& view, const FileWriter& out, RunState& run, const std::atomic<bool>& cancel)
        : view_(view), out_(out), run_(run), cancel_(cancel) {}
    void LineDone(const RunState& r) override {
        view_.LineDone(r);
        HearCancel();
        if (out_.Failed()) run_.StopRun = true;
    }
    void HearCancel() {
        if (cancel_.load(std::memory_order_relaxed)) run_.StopRun = run_.UserCancel = true;
    }
    void SetFileBarMax(int64_t max) override { view_.SetFileBarMax(max); }
    void SetRunBarMax(int64_t max) override { view_.SetRunBarMax(max); }
    void SetBars(int64_t filePos, int64_t runPos) override { view_.SetBars(filePos, runPos); }

private:
    IRunView& view_;
    const FileWriter& out_;
    RunState& run_;
    const std::atomic<bool>& cancel_;
};

} // namespace

RunCopy::RunCopy(const ConvPageState& page, const ChosenFormats& formats, const Converter& conv, AfterProcessing after)
    : InFiles(page.InFiles), OutPath(page.OutPath), OutReplace(page.OutReplace), AvgLineLen(page.AvgLineLen),
      Formats{formats.Input, formats.Output, {}},
      After(std::move(after)) {
    Conv.SetCurrentYear(conv.CurrentYear());
}

Status ConversionRun::RunConversion(IRunView& view, const AfterProcessing& after, IRejectSink* sink) {
    TakeCopy(after);
    const Status result = ConvertCopy(view, sink ? *sink : c_.rejects, c_.log);
    PageAfterRun(result);
    return result;
}

void ConversionRun::TakeCopy(AfterProcessing after) {
    // Whatever the person chooses while the run goes on is for the next run.
    copy_ = std::make_unique<RunCopy>(c_.page, c_.formats, c_.conv, std::move(after));
    copy_->Encoding = EncodingText(c_.params.settings.encoding);
    copy_->LineEnd = LineEndText(c_.params.settings.lfOnly);
    cancel_.store(false, std::memory_order_relaxed);
}

Status ConversionRun::ConvertCopy(IRunView& view, IRejectSink& sink, Log& log) {
    RunState& run = c_.run;
    const std::vector<std::string>& files = copy_->InFiles;
    Converter& conv = copy_->Conv;
    failedSources_ = 0;
    run.RejectedTotal = 0;
    run.EmptyTotal = 0;
    run.RejectedByCode.clear();
    converted_.assign(files.size(), false);
    rejectedIn_.assign(files.size(), 0);
    readEnds_.assign(files.size(), FileIdentity{});
    std::string outputError;
    outputErrNo_ = 0;
    readFailures_.clear();
    linesWritten_ = 0;
    keptForRejects_ = 0;
    afterFailures_.clear();

    conv.TakePlan(ConversionPlan(copy_->Formats));
    const ConversionPlan& plan = conv.Plan();
    if (!plan.Linked()) return Status{StatusCode::RunLinkFailed, {}};
    conv.TakeDataSettings(copy_->Encoding, copy_->LineEnd);
    sink.RunStarts(plan.Input(), plan.InColCount(), DataShownOf(copy_->Encoding));
    LineErrWriter errors(sink, run, log);
    errors.SetInput(conv.InColSep(), plan.InColCount());
    engineCode_ = plan.Engine();
    if (engineCode_ == ecNone) return Status{StatusCode::RunNoEngine, {}};

    // A result that is one of the sources would be emptied before it is read.
    if (IsOneOfSources(c_.port, copy_->OutPath, files)) {
        return Status{StatusCode::RunCannotCreate, "the result file is one of the sources"};
    }
    // The lines go to a temporary file beside the result; the result's name keeps what it held
    // until the run is over.
    DurableFile result(c_.port);
    if (!result.Open(copy_->OutPath, outputError, copy_->OutReplace) &&
        !result.Open(copy_->OutPath, outputError, copy_->OutReplace))
        return Status{StatusCode::RunCannotCreate, outputError};
    FileWriter out;
    out.Attach(result.Fd(), false, c_.port);
    out.StartWritebackEarly(!result.Direct());
    RunHook hook(view, out, run, cancel_);
    EngineRunner engine(conv, run, errors, log, hook);

    view.ShowPage(RunPage::Rejected);
    view.SetBars(0, 0);
    run.LinesRead = 0;
    const int64_t runStart = c_.port.SteadyMs();
    const std::size_t count = files.size();
    log.LogWrite(lkLine, " ");
    log.LogWrite(lkLine, "BeginConvert --> (" + IntToStr(static_cast<int64_t>(count)) + " files)");

    const int32_t skip = plan.Input().SkipCount();
    std::vector<std::string> headers; // in the data files' encoding, converted once
    for (const std::string& h : plan.Output().headers) headers.push_back(conv.AddedText(h));

    int64_t bytesBefore = 0;
    for (std::size_t i = 0; i < count; ++i) {
        // A stopped run starts no further source: its header lines would stand alone in the result.
        hook.HearCancel();
        if (run.StopRun) break;
        const std::string index = IntToStr(static_cast<int64_t>(i + 1));
        LineReader in;
        if (IsStdInSource(files[i])) {
            in.Attach(0);
        } else if (!in.Open(files[i], c_.port)) {
            readFailures_.push_back({"ReadFile", files[i], SysErrorText(in.ErrorNo())});
            ++failedSources_;
            continue;
        }
        view.ReadingFrom(&in, bytesBefore);
        const int64_t size = c_.port.FileSize(files[i]);
        view.SetFileBarMax(copy_->AvgLineLen > 0 ? size / copy_->AvgLineLen : 0);
        view.ShowFileNumber(static_cast<int64_t>(i + 1), static_cast<int64_t>(count));
        run.FileRowShown = false;
        run.SourcePath = files[i];
        const int64_t fileStart = c_.port.SteadyMs();
        if (skip > 0) in.Skip(skip);
        run.LineNo = 0;
        run.FileAborted = false;
        log.LogWrite(lkPart, "   Begin -- File(" + index + ")");
        for (const std::string& header : headers) out.WriteLine(header, conv.Eol());
        const int64_t rejectedBefore = run.RejectedTotal;
        const int64_t emptyBefore = run.EmptyTotal;
        engine.RunEngine(engineCode_, in, out);
        if (in.Error()) readFailures_.push_back({"ReadFile", files[i], SysErrorText(in.ErrorNo())});
        bytesBefore += in.Consumed();
        view.ReadingFrom(nullptr, bytesBefore);
        if (run.EmptyTotal > emptyBefore)
            log.LogWrite(lkLine, "   Skip  -- File(" + index + ") (" + IntToStr(run.EmptyTotal - emptyBefore) + " empty)");
        log.LogWrite(lkLine, "   End   -- File(" + index + ") (" + IntToStr(c_.port.SteadyMs() - fileStart) + " ms)");
        if (run.FileAborted) ++failedSources_;
        converted_[i] = !run.FileAborted && !in.Error();
        readEnds_[i] = in.EndIdentity();
        rejectedIn_[i] = run.RejectedTotal - rejectedBefore;
        view.SetBars(0, run.LinesRead);
        in.Close();
    }

    // Every end of a run keeps the whole lines converted so far; a result that could not be
    // completely written is dropped, and the name keeps what it held.
    bool outputComplete = out.Close();
    if (!outputComplete) {
        outputErrNo_ = out.ErrorNo();
        outputError = SysErrorText(outputErrNo_);
        result.Abandon();
    } else if (!result.Commit(outputError)) {
        // Also when another run gave the name meanwhile a result this one may not replace.
        outputErrNo_ = result.ErrorNo();
        outputComplete = false;
    }
    linesWritten_ = outputComplete ? run.LinesRead - run.RejectedTotal : 0;
    view.ShowRunEnded();
    log.LogWrite(lkLine, "EndConvert(*)--> " + IntToStr(c_.port.SteadyMs() - runStart) + "ms.");
    log.LogWrite(lkLine, " ");

    view.ShowRejectedCount(run.RejectedTotal);
    view.SetBars(0, 0);
    view.ShowCounters(static_cast<int64_t>(count), run.LinesRead, run.RejectedTotal, linesWritten_);
    DoAfterProcessing(outputComplete, log);
    if (!outputComplete) return Status{StatusCode::RunIncompleteOutput, outputError};
    return Status{failedSources_ > 0 ? StatusCode::RunSourcesFailed : StatusCode::Ok, {}};
}

} // namespace lmx
