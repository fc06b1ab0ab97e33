#include "CliConvert.h"

#include "CliFormats.h"
#include "CliIo.h"
#include "CliRejects.h"
#include "CliSignals.h"
#include "CliSummary.h"

#include "common/Cp1252.h"
#include "common/Text.h"
#include "common/Basics.h"
#include "common/DurableFile.h"
#include "core/FormatReport.h"
#include "model/Session.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace lmx::cli {

namespace {

// Why a format does not load, each part on its own line: the reader's code with its meaning, then
// the names of the file when the name is not there.
std::string FormatLoadMessage(Session& s, int mode, const std::string& name, StatusCode code) {
    const std::string option = mode == flmInput ? "--in" : "--out";
    if (code == StatusCode::FmtEmptyName && name.empty())
        return Tx(s.lang.Text(mode == flmInput ? LK::err_fmtInfile : LK::err_fmtOutfile)) + "\nlumivex-convert: " +
               TxFill(s.lang.Text(LK::err_cliNoFmtName), {option, mode == flmInput ? "MRI" : "MRO"});
    std::string msg = "lumivex-convert: " + TxFill(s.lang.Text(LK::err_cliFmtLoad),
                                                   {option, Tx(name), Tx(FmtLoadProblem(name, code, s.fmtFile.LastFault(), s.lang))});
    if (code == StatusCode::FmtNotFound && s.fmtFile.FmtLoadList() == StatusCode::Ok) {
        msg += "\nlumivex-convert: " +
               TxFill(s.lang.Text(LK::str_cliFmtsIn), {s.fmtFile.FmtFileName, JoinedNames(s.formats.Catalogue.FormatNames)});
        for (const auto& n : s.formats.Catalogue.FormatNames)
            if (n != name && Cp1252Upper(n) == Cp1252Upper(name))
                msg += "\nlumivex-convert: " + TxFill(s.lang.Text(LK::str_cliDidYouMean), {Tx(n)});
    }
    if (code == StatusCode::FmtNoFile || code == StatusCode::FmtOpenFailed)
        msg += "\n" + TxFill(s.lang.Text(LK::err_fmtFileDefOpen), {s.fmtFile.FmtFileName});
    return msg;
}

// Why a source cannot be read, in the system's words (the converter's for a FIFO or a device).
std::string SourceReason(const Session& s, int err) {
    if (err != EINVAL) return Tx(SysErrorText(err));
    return Tx(s.lang.Text(LK::err_cliNotRegular));
}

// The bytes to read, for the progress line; -1 when a source's size cannot be known beforehand.
int64_t TotalBytes(SystemPort& port, const std::vector<std::string>& sources) {
    int64_t total = 0;
    for (const auto& f : sources) {
        if (!IsStdInSource(f)) {
            total += port.FileSize(f);
            continue;
        }
        struct stat st {};
        const off_t at = ::lseek(0, 0, SEEK_CUR);
        if (::fstat(0, &st) != 0 || !S_ISREG(st.st_mode) || at < 0) return -1;
        total += st.st_size - at;
    }
    return total;
}

// A name that would be replaced: a regular file, or a link to one. A device, a FIFO or a standard
// stream (the file a shell's ">" has just made included) is written, never replaced.
bool WouldReplace(const std::string& path) {
    struct stat st {};
    return !NamesADescriptor(path) && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string Shown(const Session& s, const std::string& path) {
    return path == "/dev/stdout" ? Tx(s.lang.Text(LK::str_cliStdOut)) : path;
}

// "#Unstring 3605, #Date 2": every code of the run that rejected a line, in the codes' order.
std::string CountsByCode(const RunState& run) {
    std::string out;
    for (std::size_t code = leOk + 1; code < run.RejectedByCode.size() && code < LineErrorNames().size(); ++code) {
        if (run.RejectedByCode[code] == 0) continue;
        out += (out.empty() ? "" : ", ") + std::string(LineErrorNames()[code]) + " " + IntToStr(run.RejectedByCode[code]);
    }
    return out;
}

std::string FailureText(const Session& s, const AfterFailure& f) {
    const std::string reason = Tx(f.reason);
    std::string text;
    if (f.verb == "SourceChanged")
        text = TxFill(s.lang.Text(LK::msg_srcChanged), {f.path});
    else if (f.verb == "ReadFile")
        text = TxFill(s.lang.Text(LK::err_cliReadFailed),
                      {IsStdInSource(f.path) ? Tx(s.lang.Text(LK::str_cliStdIn)) : f.path, reason});
    else if (f.verb == "RenameFile")
        text = TxFill(s.lang.Text(LK::err_cliNoRename), {f.path, reason});
    else if (f.verb == "RecycleFile")
        text = TxFill(s.lang.Text(LK::err_cliNoTrash), {f.path});
    else
        text = TxFill(s.lang.Text(LK::err_cliNoDelete), {f.path, reason});
    return "lumivex-convert: " + text;
}

// The sources that can be read, in the order given: the others are told with the system's reason
// (counted in unreadable), empty files refused as the window refuses them.
std::vector<std::string> ReadableSources(const Session& s, const std::vector<std::string>& files,
                                         int& unreadable) {
    std::vector<std::string> kept;
    for (const auto& f : files) {
        if (IsStdInSource(f)) {
            kept.push_back(f);
        } else if (const int err = SourceError(s.port, f)) {
            PrintErr("lumivex-convert: " + TxFill(s.lang.Text(LK::err_cliCannotRead), {f, SourceReason(s, err)}));
            ++unreadable;
        } else if (s.port.FileSize(f) == 0) {
            PrintErr(TxFill(s.lang.Text(LK::msg_fileIsEmpty), {ExtractFileName(f)}));
        } else {
            kept.push_back(f);
        }
    }
    return kept;
}

// The result, the rejects file and the log: refused before anything is written when one would
// overwrite a source or another, or replace a file without --force. The result's name, or empty.
std::string CheckedResult(Session& s, const CliOptions& o) {
    const std::string out = o.output.empty() ? s.convPage.ProposalFor(s.page.InFiles.front()) : o.output;
    if (IsOneOfSources(s.port, out, s.page.InFiles)) {
        PrintErr(Tx(s.lang.Text(LK::msg_filesShouldDif)) + ": " + Shown(s, out));
        return {};
    }
    if (WouldReplace(out) && !o.force) {
        PrintErr("lumivex-convert: " + TxFill(s.lang.Text(LK::err_cliResultExists), {out}));
        return {};
    }
    const std::pair<const char*, const std::string*> extras[] = {{"--rejects", &o.rejects},
                                                                 {"--log", &o.logPath}};
    for (const auto& [option, path] : extras) {
        if (path->empty()) continue;
        if (IsOneOfSources(s.port, *path, s.page.InFiles) || SameFile(*path, out) ||
            (path == &o.logPath && !o.rejects.empty() && SameFile(o.logPath, o.rejects))) {
            PrintErr("lumivex-convert: " + TxFill(s.lang.Text(LK::err_cliNamesOther), {option, Shown(s, *path)}));
            return {};
        }
        if (WouldReplace(*path) && !o.force) {
            PrintErr("lumivex-convert: " + TxFill(s.lang.Text(LK::err_cliFileExists), {option, *path}));
            return {};
        }
    }
    return out;
}

} // namespace

int ConvertFiles(Session& s, const CliOptions& o) {
    const std::string inName = o.inGiven ? o.inFormat : s.params.settings.inputFormat;
    const std::string outName = o.outGiven ? o.outFormat : s.params.settings.outputFormat;
    for (const auto& [mode, name] : {std::pair{int(flmInput), inName}, std::pair{int(flmOutput), outName}}) {
        if (const Status r = s.SelectFormat(mode, name); !r.Ok()) {
            PrintErr(FormatLoadMessage(s, mode, name, r.code));
            return exNothing;
        }
    }

    int unreadable = 0;
    const std::vector<std::string> sources = ReadableSources(s, o.files, unreadable);
    if (sources.empty() || !s.convPage.TakeFiles(sources, "Param(FilesToConv.) : ", true)) {
        PrintErr(Tx(s.lang.Text(LK::msg_badIFLFN)));
        return exNothing;
    }
    if (o.output.empty() && IsStdInSource(s.page.InFiles.front())) {
        PrintErr("lumivex-convert: " + Tx(s.lang.Text(LK::err_cliStdInName)));
        return exNothing;
    }
    const std::string out = CheckedResult(s, o);
    if (out.empty()) return exNothing;
    s.page.OutPath = out;
    s.page.OutValid = true;
    // Checked above, but another run may give the name a file before this one ends.
    s.page.OutReplace = o.force;
    s.log.SaveMayReplace = o.force;
    if (o.stopOnError) s.run.StopOnBadLine = *o.stopOnError;
    // For this run only: the converter never writes the parameters file.
    if (!o.encoding.empty()) s.params.settings.encoding = DataEncodingOf(o.encoding);
    if (!o.eol.empty()) s.params.settings.lfOnly = DataEndsLf(o.eol);

    AfterProcessing after;
    if (!o.renameText.empty()) after.renameText = o.renameText;
    after.disposal = o.trash ? sdTrash : o.remove ? sdDelete : sdKeep;

    // Rejected lines go straight to their file, or nowhere: none is kept in memory.
    RejectsFile rejects(s.port);
    NullRejectSink noRejects;
    if (!o.rejects.empty()) {
        std::string error;
        rejects.LfOnly = s.params.settings.lfOnly;
        if (!rejects.Open(o.rejects, error, o.force)) {
            PrintErr("lumivex-convert: " + o.rejects + ": " + Tx(error));
            return exNothing;
        }
    }

    // A result shown on the same terminal would be torn by the redrawn line.
    const bool progress = !o.quiet && ::isatty(2) && !(NamesADescriptor(out) && ::isatty(1));
    const ProgressWords words{s.lang.Text(LK::str_cliPrgShare), s.lang.Text(LK::str_cliPrgRead),
                              s.lang.Text(LK::str_cliPrgLeft), s.lang.Text(LK::str_cliPrgCounts)};
    CliRunView view(progress, TotalBytes(s.port, s.page.InFiles), words);
    s.run.StopRun = s.run.UserCancel = false;
    const Status r = s.runner.RunConversion(view, after,
                                             o.rejects.empty() ? static_cast<IRejectSink*>(&noRejects)
                                                               : static_cast<IRejectSink*>(&rejects));
    view.Finish();
    // Like a program that SIGPIPE ends: nothing more to say, the rejects file and the log dropped
    // with their temporary files, no source touched (the result is incomplete).
    if (r == StatusCode::RunIncompleteOutput && s.runner.OutputErrNo() == EPIPE) return kReaderGone;

    int code = exOk;
    if (r == StatusCode::RunCannotCreate || r == StatusCode::RunLinkFailed || r == StatusCode::RunNoEngine)
        code = exNothing;
    else if (!r.Ok() || unreadable > 0)
        code = exIncomplete;
    else if (!s.runner.AfterFailures().empty())
        code = exAfterFailed;
    else if (s.run.RejectedTotal > 0)
        code = exRejected;
    for (const AfterFailure& f : s.runner.ReadFailures())
        PrintErr(FailureText(s, f));
    if (!r.Ok()) {
        std::string closing = s.runner.ClosingMessage(r);
        // The system's reason gets a line of its own, with the file it concerns.
        const std::string reason = " (" + r.reason + ")";
        if (const auto at = closing.find(reason); r == StatusCode::RunIncompleteOutput && at != std::string::npos)
            closing.erase(at, reason.size());
        PrintErr(Tx(closing));
        if (r == StatusCode::RunIncompleteOutput && s.runner.OutputErrNo() == EEXIST)
            PrintErr("lumivex-convert: " + TxFill(s.lang.Text(LK::err_cliResultExists), {out}));
        else if ((r == StatusCode::RunIncompleteOutput || r == StatusCode::RunCannotCreate) && !r.reason.empty())
            PrintErr("lumivex-convert: " + Shown(s, out) + ": " + Tx(r.reason));
    }
    for (const AfterFailure& f : s.runner.AfterFailures())
        PrintErr(FailureText(s, f));
    // Nothing converted: no rejects file either (it is dropped with its temporary file).
    if (!o.rejects.empty() && code != exNothing) {
        std::string error;
        if (!rejects.Commit(error)) {
            const bool taken = rejects.ErrorNo() == EEXIST;
            PrintErr("lumivex-convert: " + (taken ? TxFill(s.lang.Text(LK::err_cliFileExists), {"--rejects", o.rejects})
                                                  : o.rejects + ": " + Tx(error)));
            if (code < exIncomplete || code == exAfterFailed) code = exIncomplete;
        }
    }
    if (o.summary && code != exNothing && r != StatusCode::RunIncompleteOutput && !PrintSummary(s, out))
        if (code < exIncomplete || code == exAfterFailed) code = exIncomplete;
    if (!o.logPath.empty()) {
        s.log.LogFileName = o.logPath;
        std::string error;
        if (s.log.Save(error) != 0) {
            PrintErr("lumivex-convert: " + error); // the log's name and the system's reason
            if (code < exIncomplete || code == exAfterFailed) code = exIncomplete;
        }
    }
    if (!o.quiet && code != exNothing) {
        const bool written = r != StatusCode::RunIncompleteOutput;
        PrintErr(TxFill(s.lang.Text(written ? LK::str_cliResult : LK::str_cliResultNotWritten), {Shown(s, out)}));
        PrintErr(TxFill(s.lang.Text(LK::str_cliCounts),
                        {IntToStr(static_cast<int64_t>(s.page.InFiles.size())), IntToStr(s.run.LinesRead),
                         IntToStr(s.run.RejectedTotal), IntToStr(s.runner.LinesWritten())}));
        if (s.run.EmptyTotal > 0) PrintErr(TxFill(s.lang.Text(LK::str_cliEmpty), {IntToStr(s.run.EmptyTotal)}));
        if (s.run.RejectedTotal > 0) {
            const std::string byCode = CountsByCode(s.run);
            PrintErr(o.rejects.empty() ? TxFill(s.lang.Text(LK::str_cliByCode), {byCode})
                                       : TxFill(s.lang.Text(LK::str_cliByCodeIn), {byCode, Shown(s, o.rejects)}));
        }
        if (s.runner.KeptForRejects() > 0)
            PrintErr(TxFill(s.lang.Text(LK::str_cliKept), {IntToStr(s.runner.KeptForRejects())}));
    }
    return code;
}

} // namespace lmx::cli
