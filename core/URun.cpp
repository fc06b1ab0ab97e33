#include "core/URun.h"

#include "common/Cp1252.h"
#include "common/Text.h"
#include "common/UCommuns.h"
#include "common/UDurable.h"
#include "env/UParms.h"
#include "env/UPrmCodes.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace lmx {
namespace {

int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Forwards the engine's per-line call to the view, and stops reading once the result file has
// failed: every further line would only be lost.
class RunHook final : public IRunHook {
public:
    RunHook(IRunView& view, const FileWriter& out, RunState& run) : view_(view), out_(out), run_(run) {}
    void LineDone(const RunState& r) override {
        view_.LineDone(r);
        if (out_.Failed()) run_.StopRun = true;
    }
    void SetFileBarMax(int64_t max) override { view_.SetFileBarMax(max); }
    void SetRunBarMax(int64_t max) override { view_.SetRunBarMax(max); }
    void SetBars(int64_t filePos, int64_t runPos) override { view_.SetBars(filePos, runPos); }

private:
    IRunView& view_;
    const FileWriter& out_;
    RunState& run_;
};

} // namespace

bool RenameSource(const std::string& path, const std::string& text, std::string* reason) {
    const std::string ext = ExtractFileExt(path);
    const std::string target = path.substr(0, path.size() - ext.size()) + text + ext;
    auto fail = [&](int err) {
        if (reason) *reason = SysErrorText(err);
        return false;
    };
    std::error_code ec;
    if (target == path) return fail(EINVAL);
    if (EntryExists(target)) return fail(EEXIST);
    // A hard link fails when the target exists, so no file is ever replaced; then the old name goes.
    fs::create_hard_link(path, target, ec);
    if (!ec) {
        fs::remove(path, ec);
        if (!ec) {
            SyncFolder(ExtractFilePath(path));
            return true;
        }
        const int err = ec.value();
        fs::remove(target, ec); // leave things as they were
        return fail(err);
    }
    if (ec == std::errc::operation_not_permitted || ec == std::errc::operation_not_supported ||
        ec == std::errc::function_not_supported) {
        // File systems without hard links: check, then rename.
        ec.clear();
        if (EntryExists(target)) return fail(EEXIST);
        fs::rename(path, target, ec);
        if (ec) return fail(ec.value());
        SyncFolder(ExtractFilePath(path));
        return true;
    }
    return fail(ec.value());
}

AfterProcessing ConversionRun::FromParameters() const {
    AfterProcessing a;
    a.renameText = c_.params.PrmGet(prmSRN, false);
    a.disposal = SourceDisposalOf(c_.params);
    return a;
}

int32_t ConversionRun::ConvertButton(IRunView& view) {
    view.ResetCounters();
    c_.run.StopRun = false;
    c_.run.UserCancel = false;
    ConvPageState& pg = c_.page;
    if (!pg.InChosen) {
        c_.messages.Show(c_.lang.Text(LK::msg_badIFLFN));
        return rrNotStarted;
    }
    if (!pg.OutValid) {
        view.ShowPage(RunPage::Output);
        if (!pg.OutPath.empty() && IsOneOfSources(pg.OutPath, pg.InFiles)) {
            pg.OutValid = false;
            pg.OutPath.clear();
            c_.messages.Show(c_.lang.Text(LK::msg_filesShouldDif));
            view.ChooseOutputFile();
            return rrNotStarted;
        }
        if (!pg.OutPath.empty() && EntryExists(pg.OutPath)) {
            if (!c_.messages.ConfirmPaths(c_.lang.FormatPaths(LK::msg_fileExists, {pg.OutPath}))) {
                pg.OutPath.clear();
                pg.OutValid = false;
                view.ChooseOutputFile();
                return rrNotStarted;
            }
            pg.OutValid = true;
        } else {
            c_.messages.Show(c_.lang.Text(LK::msg_badOFDesign));
            return rrNotStarted;
        }
    }
    if (!c_.formats.InFmtOk || !c_.formats.OutFmtOk) {
        const LK side = c_.formats.InFmtOk ? LK::str_out : LK::str_in;
        c_.messages.Show(c_.lang.Format(LK::err_fmtLoad, {c_.lang.Text(side), c_.lang.Text(LK::err_fmtOther)}));
        return rrNotStarted;
    }
    int64_t total = 0;
    for (const auto& f : pg.InFiles) total += FileSize(f);
    view.SetRunBarMax(pg.AvgLineLen > 0 ? total / pg.AvgLineLen : 0);

    view.SetConvertEnabled(false);
    const int32_t result = RunConversion(view, FromParameters());
    view.SetConvertEnabled(true);
    c_.messages.Show(ClosingMessage(result));
    return result;
}

std::string ConversionRun::ClosingMessage(int32_t result) {
    std::string msg = ResultMessage(result);
    // No language text exists for it: said in the built-in language, as the system's reasons are.
    if (keptForRejects_ > 0)
        msg += " (" + IntToStr(keptForRejects_) +
               " fichier(s) source conserv\xE9(s) : des lignes y ont \xE9t\xE9 rejet\xE9" "es)";
    return msg;
}

std::string ConversionRun::ResultMessage(int32_t result) {
    if (result == rrOk) {
        // "Annuler" between two files leaves the next ones unread: that is no complete conversion.
        const bool unread = std::find(converted_.begin(), converted_.end(), false) != converted_.end();
        if (c_.run.StopRun && c_.run.UserCancel && unread) return c_.lang.Text(LK::msg_UserCancel);
        return c_.lang.Text(LK::msg_endConvert);
    }
    std::string msg = c_.lang.Text(LK::err_convGeneral);
    switch (result) {
    case rrLinkFailed:
        c_.log.LogWrite(lkLine, "#CONV (BuildIoLnk) Echec de la construction du lien entr\xE9" "e/sortie.");
        break;
    case rrNoEngine: {
        const std::string code = IntToStr(engineCode_);
        c_.log.LogWrite(lkLine, "#CONV (SelEngine>" + code + "< Choix du moteur impossible.");
        msg += c_.lang.Format(LK::err_UnknownEngine, {code});
        break;
    }
    case rrCannotCreate:
        c_.log.LogWrite(lkLine, "#CONV (I/O) Ouverture du fichier de r\xE9sultats impossible.");
        msg += c_.lang.Text(LK::err_OpenOutFile);
        break;
    case rrIncompleteOutput:
        // No language text exists for it: the system's reason tells the user what happened.
        c_.log.LogWrite(lkLine, "#CONV (I/O) Ecriture du fichier de r\xE9sultats incompl\xE8te (" + outputError_ + ").");
        msg += " (" + outputError_ + ")";
        break;
    default:
        if (c_.run.StopRun && c_.run.UserCancel) return c_.lang.Text(LK::msg_UserCancel);
        if (c_.run.StopRun && c_.run.StopOnBadLine) return c_.lang.Text(LK::msg_StopOnErrOpt);
        c_.log.LogWrite(lkLine, "#CONV (BadFileCount >" + IntToStr(result) + "<)");
        msg += c_.lang.Format(LK::err_onSomeFile, {IntToStr(result)});
        break;
    }
    return msg;
}

RunCopy::RunCopy(const ConvPageState& page, const FormatState& formats, const Converter& conv, AfterProcessing after)
    : InFiles(page.InFiles), OutPath(page.OutPath), AvgLineLen(page.AvgLineLen), Formats(formats),
      After(std::move(after)) {
    Conv.SetCurrentYear(conv.CurrentYear());
}

int32_t ConversionRun::RunConversion(IRunView& view, const AfterProcessing& after, IRejectSink* sink) {
    RunState& run = c_.run;
    // The window lets its events through after every few lines: whatever the person chooses
    // meanwhile is for the next run.
    copy_ = std::make_unique<RunCopy>(c_.page, c_.formats, c_.conv, after);
    const std::vector<std::string>& files = copy_->InFiles;
    FormatState& formats = copy_->Formats;
    Converter& conv = copy_->Conv;
    int32_t failedCount = 0;
    run.RejectedTotal = 0;
    converted_.assign(files.size(), false);
    rejectedIn_.assign(files.size(), 0);
    outputError_.clear();
    outputErrNo_ = 0;
    readFailures_.clear();
    linesWritten_ = 0;
    keptForRejects_ = 0;
    afterFailures_.clear();

    conv.TakeSeparators();
    if (!BuildIoLink(conv)) return rrLinkFailed;
    c_.rejects.Prepare(formats.FmtIn, formats.InColCount);
    LineErrWriter errors(sink ? *sink : c_.rejects, run, c_.log);
    errors.SetInput(conv.InColSep, formats.InColCount);
    engineCode_ = SelEngine(formats);
    if (engineCode_ == ecNone) return rrNoEngine;
    conv.TakeDataSettings(c_.params.PrmGet(prmENC), c_.params.PrmGet(prmEOL));
    c_.rejects.Utf8Data = conv.Utf8Data;

    // A result that is one of the sources would be emptied before it is read.
    if (IsOneOfSources(copy_->OutPath, files)) {
        outputError_ = "the result file is one of the sources";
        return rrCannotCreate;
    }
    // The lines go to a temporary file beside the result; the result's name keeps what it held
    // until the run is over.
    DurableFile result;
    if (!result.Open(copy_->OutPath, outputError_, view.TempFiles()) &&
        !result.Open(copy_->OutPath, outputError_, view.TempFiles()))
        return rrCannotCreate;
    FileWriter out;
    out.Attach(result.Fd(), false);
    out.StartWritebackEarly(!result.Direct());
    conv.Out = &out;
    RunHook hook(view, out, run);
    EngineRunner engine(conv, run, errors, c_.log, hook);

    view.ShowPage(RunPage::Rejected);
    view.SetBars(0, 0);
    run.LinesRead = 0;
    const int64_t runStart = NowMs();
    const std::size_t count = files.size();
    c_.log.LogWrite(lkLine, " ");
    c_.log.LogWrite(lkLine, "BeginConvert --> (" + IntToStr(static_cast<int64_t>(count)) + " files)");

    int32_t skip = 0;
    const bool skipLines = CheckValue(ckPositiveInt, formats.FmtIn.JmpLines) &&
                           StrToInt32(formats.FmtIn.JmpLines, skip);
    int32_t hdrLn = 0;
    const bool writeHeaders = StrToInt32(formats.FmtOut.HdrLn, hdrLn) && hdrLn > 0;
    std::vector<std::string> headers; // in the data files' encoding, converted once
    for (int32_t h = 0; writeHeaders && h < formats.FmtOut.HdrCount && static_cast<std::size_t>(h) < formats.FmtOut.Hdr.size(); ++h)
        headers.push_back(conv.AddedText(formats.FmtOut.Hdr[static_cast<std::size_t>(h)]));

    int64_t bytesBefore = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string index = IntToStr(static_cast<int64_t>(i + 1));
        LineReader in;
        if (IsStdInSource(files[i])) {
            in.Attach(0);
        } else if (!in.Open(files[i])) {
            readFailures_.push_back({"ReadFile", files[i], SysErrorText(in.ErrorNo())});
            ++failedCount;
            continue;
        }
        view.ReadingFrom(&in, bytesBefore);
        const int64_t size = FileSize(files[i]);
        view.SetFileBarMax(copy_->AvgLineLen > 0 ? size / copy_->AvgLineLen : 0);
        view.SetStatus(c_.lang.Text(LK::itm_fic) + index + " / " + IntToStr(static_cast<int64_t>(count)));
        run.FileRowShown = false;
        run.SourcePath = files[i];
        const int64_t fileStart = NowMs();
        if (skipLines) in.Skip(skip);
        run.LineNo = 0;
        run.FileAborted = false;
        c_.log.LogWrite(lkPart, "   Begin -- File(" + index + ")");
        for (const std::string& header : headers) out.WriteLine(header, conv.Eol());
        const bool stoppedBefore = run.StopRun;
        const int64_t rejectedBefore = run.RejectedTotal;
        engine.RunEngine(engineCode_, in, out);
        if (in.Error()) readFailures_.push_back({"ReadFile", files[i], SysErrorText(in.ErrorNo())});
        bytesBefore += in.Consumed();
        view.ReadingFrom(nullptr, bytesBefore);
        c_.log.LogWrite(lkLine, "   End   -- File(" + index + ") (" + IntToStr(NowMs() - fileStart) + " ms)");
        if (run.FileAborted) ++failedCount;
        converted_[i] = !run.FileAborted && !stoppedBefore && !in.Error();
        rejectedIn_[i] = run.RejectedTotal - rejectedBefore;
        view.SetBars(0, run.LinesRead);
        in.Close();
    }

    // Every end of a run keeps the whole lines converted so far; a result that could not be
    // completely written is dropped, and the name keeps what it held.
    bool outputComplete = out.Close();
    conv.Out = nullptr;
    if (!outputComplete) {
        outputErrNo_ = out.ErrorNo();
        outputError_ = SysErrorText(outputErrNo_);
        result.Abandon();
    } else if (!result.Commit(outputError_)) {
        outputComplete = false;
    }
    linesWritten_ = outputComplete ? run.LinesRead - run.RejectedTotal : 0;
    view.SetStatus(Utf8ToCp1252("Terminé."));
    c_.log.LogWrite(lkLine, "EndConvert(*)--> " + IntToStr(NowMs() - runStart) + "ms.");
    c_.log.LogWrite(lkLine, " ");

    view.ShowRejectedCount(run.RejectedTotal);
    view.SetBars(0, 0);
    c_.page.OutValid = false;
    view.ShowCounters(static_cast<int64_t>(count), run.LinesRead, run.RejectedTotal, linesWritten_);
    DoAfterProcessing(outputComplete);
    return outputComplete ? failedCount : rrIncompleteOutput;
}

void ConversionRun::DoAfterProcessing(bool outputComplete) {
    const std::vector<std::string>& files = copy_->InFiles;
    const AfterProcessing& after = copy_->After;
    // A source whose lines are not all in a complete result is never renamed as done, recycled or
    // deleted: the user would lose data they believe converted.
    // Standard input has no file to rename, recycle or delete.
    auto safe = [&](std::size_t i) {
        return outputComplete && i < converted_.size() && converted_[i] && !IsStdInSource(files[i]);
    };
    auto logResult = [&](const char* verb, std::size_t i, bool ok) {
        std::string line(verb);
        line += '(';
        line += IntToStr(static_cast<int64_t>(i + 1));
        line += ")--> (";
        line += BoolText(ok, 0);
        line += ')';
        c_.log.LogWrite(lkLine, line);
    };
    std::vector<bool> renamed(files.size(), false);
    if (RenamesSources(after.renameText)) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            std::string reason;
            const bool ok = safe(i) && RenameSource(files[i], after.renameText, &reason);
            if (safe(i) && !ok) afterFailures_.push_back({"RenameFile", files[i], reason});
            renamed[i] = ok;
            logResult("RenameFile", i, ok);
        }
    }
    if (after.disposal != sdTrash && after.disposal != sdDelete) return;
    const char* verb = after.disposal == sdTrash ? "RecycleFile" : "DeleteFile";
    for (std::size_t i = 0; i < files.size(); ++i) {
        bool ok = false;
        // Lines that were rejected exist nowhere but in their source: it stays.
        const bool rejected = i < rejectedIn_.size() && rejectedIn_[i] > 0;
        if (safe(i) && rejected) ++keptForRejects_;
        // A source renamed a moment ago is no longer under its name: nothing to try there.
        if (safe(i) && !rejected && !renamed[i]) {
            std::string reason;
            if (after.disposal == sdTrash) {
                ok = c_.trash.MoveToTrash(files[i]);
                if (!ok) reason = "not moved to the trash";
            } else {
                std::error_code ec;
                if (!fs::is_regular_file(files[i], ec)) {
                    reason = SysErrorText(ec ? ec.value() : EINVAL);
                } else if (fs::remove(files[i], ec) && !ec) {
                    ok = true;
                    SyncFolder(ExtractFilePath(files[i]));
                } else {
                    reason = SysErrorText(ec ? ec.value() : ENOENT);
                }
            }
            if (!ok) afterFailures_.push_back({verb, files[i], reason});
        }
        logResult(verb, i, ok);
    }
    if (keptForRejects_ > 0) c_.log.LogWrite(lkLine, "#CONV (KeptSources >" + IntToStr(keptForRejects_) + "<) rejected lines");
}

} // namespace lmx
