// lumivex-convert: the converter without a window, for scripts and machines without a display.
// Same core, files and texts as the window; it reads Lumivex.prm but never writes it.
#include "CliFormats.h"
#include "CliIo.h"
#include "CliOptions.h"
#include "CliRejects.h"
#include "CliSignals.h"

#include "common/Text.h"
#include "common/UCommuns.h"
#include "common/UDurable.h"
#include "core/ULocaleNames.h"
#include "core/UFmtReport.h"
#include "core/USession.h"
#include "env/UProgramFiles.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#ifdef LUMIVEX_HAVE_PLATFORM
#include "platform/UTrash.h"
#endif

namespace fs = std::filesystem;
using namespace lmx;
using namespace lmx::cli;

namespace {

enum ExitCode : int { exOk = 0, exRejected = 1, exIncomplete = 2, exNothing = 3, exAfterFailed = 4 };

class NoTrash final : public ITrash {
public:
    bool MoveToTrash(const std::string&) override { return false; }
};

// The message the window shows for a format that does not load, then why in plain words.
std::string FormatLoadMessage(const Session& s, int mode, const std::string& name, int code) {
    const std::string head = s.lang.Text(mode == flmInput ? LK::err_fmtInfile : LK::err_fmtOutfile);
    if (code == frEmptyName && name.empty()) return head + " (no format named: use --in/--out)";
    const std::string why = "\nformat \"" + name + "\": " + FmtLoadProblem(name, code, s.fmtFile.LastFault());
    if (code == frColCountDiffers) return head + s.lang.Text(LK::err_fmtNbCols) + why;
    std::string msg = head + s.lang.Format(LK::err_fmtRC, {IntToStr(code)}) + why;
    if (code == frNoFile || code == frOpenFailed)
        msg += "\n" + s.lang.Format(LK::err_fmtFileDefOpen, {s.fmtFile.FmtFileName});
    return msg;
}

// A name that would be replaced: a regular file, or a link to one. A device, a FIFO or a standard
// stream is written, never replaced.
bool WouldReplace(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Every path of the command line is taken as an absolute path at once: a later change of folder,
// or a folder derived from a bare name, can then never land elsewhere.
CliOptions Absolute(CliOptions o) {
    for (std::string* p : {&o.dir, &o.output, &o.rejects, &o.logPath}) *p = AbsolutePath(*p);
    for (std::string& f : o.files)
        if (f != "-") f = AbsolutePath(f);
    return o;
}

std::string AfterFailureText(const AfterFailure& f) {
    if (f.verb == "RenameFile") return "lumivex-convert: could not rename " + f.path + ": " + f.reason;
    if (f.verb == "RecycleFile") return "lumivex-convert: could not move " + f.path + " to the trash";
    return "lumivex-convert: could not delete " + f.path + ": " + f.reason;
}

int Run(const CliOptions& given, SignalCleanup& temps) {
    const CliOptions o = Absolute(given);
    CliMessages messages;
#ifdef LUMIVEX_HAVE_PLATFORM
    HomeTrash trash = HomeTrash::ForUser();
#else
    NoTrash trash;
#endif
    Session s(messages, trash);
    StdLocaleNames localeNames;
    s.log.SetLocaleNames(&localeNames);
    s.log.LogWrite(lkBegin); // a saved log reads like the window's: BEGIN banner first
    const std::string programDir = ExtractFilePath(ExecutablePath());
    std::string dir = o.dir;
    if (dir.empty()) dir = programDir;
    if (dir.empty() || !CheckValue(ckDirectory, dir)) {
        PrintErr("lumivex-convert: not a folder: " + dir);
        return exNothing;
    }
    if (o.dir.empty()) {
        const ProgramFilesDir files = ChooseProgramFilesDir(dir, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
        if (!files.error.empty()) PrintErr("lumivex-convert: " + files.error);
        dir = files.dir;
    }
    s.FilesDir = dir;
    s.SetProgramDir(programDir.empty() ? dir : programDir);
    s.params.ReadOnly = true;
    if (s.StartParameters(false) != 0) PrintErr("lumivex-convert: Lumivex.prm: " + s.params.LastIoError());
    if (o.langGiven) {
        if (!LoadLanguageOption(s, o.lang)) return exNothing;
    } else {
        // A language that does not load leaves the French texts, silently: nothing is asked here.
        s.lang.LangLoad(s.params.PrmGet(prmLNG), s.LngFileName);
    }
    if (o.check) return CheckFormats(s) ? exOk : exNothing;
    if (o.showGiven) return ShowFormat(s, o.show) ? exOk : exNothing;

    if (o.list) {
        const int r = s.fmtFile.FmtLoadList();
        if (r == frNoFile || (r != 0 && !fs::exists(s.fmtFile.FmtFileName))) {
            PrintErr(s.lang.Format(LK::err_fmtFileDefOpen, {s.fmtFile.FmtFileName}));
            return exNothing;
        }
        for (const auto& name : s.formats.FmtNames) PrintOut(name);
        return exOk;
    }

    const std::string inName = o.inGiven ? o.inFormat : s.params.PrmGet(prmMRI);
    const std::string outName = o.outGiven ? o.outFormat : s.params.PrmGet(prmMRO);
    for (const auto& [mode, name] : {std::pair{int(flmInput), inName}, std::pair{int(flmOutput), outName}}) {
        const int r = s.SelectFormat(mode, name);
        if (r != 0) {
            PrintErr(FormatLoadMessage(s, mode, name, r));
            return exNothing;
        }
    }

    if (o.files.empty()) {
        PrintErr(s.lang.Text(LK::msg_badIFLFN));
        return exNothing;
    }
    if (!s.convPage.TakeFiles(o.files, "Param(FilesToConv.) : ")) {
        PrintErr(s.lang.Text(LK::msg_badIFLFN));
        return exNothing;
    }
    std::string out = o.output.empty() ? s.convPage.ProposalFor(s.page.InFiles.front()) : o.output;
    if (IsOneOfSources(out, s.page.InFiles)) {
        PrintErr(s.lang.Text(LK::msg_filesShouldDif) + ": " + out);
        return exNothing;
    }
    if (WouldReplace(out) && !o.force) {
        PrintErr("lumivex-convert: the result file exists (--force replaces it): " + out);
        return exNothing;
    }
    // The rejects file and the log are checked like the result, before anything is written: a
    // source or the result under another spelling would be overwritten by them.
    const std::pair<const char*, const std::string*> extras[] = {{"--rejects", &o.rejects}, {"--log", &o.logPath}};
    for (const auto& [option, path] : extras) {
        if (path->empty()) continue;
        if (IsOneOfSources(*path, s.page.InFiles) || SameFile(*path, out) ||
            (path == &o.logPath && !o.rejects.empty() && SameFile(o.logPath, o.rejects))) {
            PrintErr(std::string("lumivex-convert: ") + option + " names a source, the result or the other file: " + *path);
            return exNothing;
        }
        if (WouldReplace(*path) && !o.force) {
            PrintErr(std::string("lumivex-convert: ") + option + " file exists (--force replaces it): " + *path);
            return exNothing;
        }
    }
    s.page.OutPath = out;
    s.page.OutValid = true;
    std::vector<std::vector<std::string>> preview;
    s.convPage.FeedInPreview(s.formats, preview); // only for AvgLineLen, the progress estimate
    if (o.stopOnError) s.run.StopOnBadLine = *o.stopOnError;

    AfterProcessing after;
    if (!o.renameText.empty()) after.renameText = o.renameText;
    after.disposal = o.trash ? 1 : o.remove ? 2 : 0;

    // Rejected lines go straight to their file, or nowhere: none is kept in memory.
    RejectsFile rejects;
    NullRejectSink noRejects;
    if (!o.rejects.empty()) {
        std::string error;
        if (!rejects.Open(o.rejects, error, &temps)) {
            PrintErr("lumivex-convert: " + o.rejects + ": " + error);
            return exNothing;
        }
    }

    CliRunView view(!o.quiet && ::isatty(2), temps);
    s.run.StopRun = s.run.UserCancel = false;
    const int32_t r = s.runner.RunConversion(view, after, o.rejects.empty() ? static_cast<IRejectSink*>(&noRejects)
                                                                            : static_cast<IRejectSink*>(&rejects));
    view.Finish();

    int code = exOk;
    if (r == rrCannotCreate || r == rrLinkFailed || r == rrNoEngine) code = exNothing;
    else if (r != 0) code = exIncomplete;
    else if (!s.runner.AfterFailures().empty()) code = exAfterFailed;
    else if (s.run.RejectedTotal > 0) code = exRejected;
    if (r != 0) PrintErr(s.runner.ClosingMessage(r) + (r == rrCannotCreate && !s.runner.OutputError().empty()
                                                          ? " (" + s.runner.OutputError() + ")" : std::string()));
    for (const AfterFailure& f : s.runner.AfterFailures()) PrintErr(AfterFailureText(f));
    // Nothing converted: no rejects file either (it is dropped with its temporary file).
    if (!o.rejects.empty() && code != exNothing) {
        std::string error;
        if (!rejects.Commit(error)) {
            PrintErr("lumivex-convert: " + o.rejects + ": " + error);
            if (code < exIncomplete || code == exAfterFailed) code = exIncomplete;
        }
    }
    if (!o.logPath.empty()) {
        s.log.LogFileName = o.logPath;
        std::string error;
        if (s.log.Save(error, &temps) != 0) {
            PrintErr("lumivex-convert: " + o.logPath + ": " + error);
            if (code < exIncomplete || code == exAfterFailed) code = exIncomplete;
        }
    }
    if (!o.quiet && code != exNothing) {
        PrintOut(s.page.OutPath);
        PrintOut("files: " + IntToStr(static_cast<int64_t>(s.page.InFiles.size())) + ", lines read: " +
                 IntToStr(s.run.LinesRead) + ", rejected: " + IntToStr(s.run.RejectedTotal) +
                 ", written: " + IntToStr(s.runner.LinesWritten()));
        if (s.runner.KeptForRejects() > 0)
            PrintOut("kept: " + IntToStr(s.runner.KeptForRejects()) +
                     " source(s) with rejected lines, neither recycled nor deleted");
    }
    return code;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    CliOptions o;
    std::string error;
    if (!ParseCli(args, o, error)) {
        PrintErr("lumivex-convert: " + error + "\n" + CliUsage());
        return exNothing;
    }
    if (o.help) {
        std::fputs(CliUsage(), stdout);
        return exOk;
    }
    if (o.version) {
        PrintOut("lumivex-convert " + ProgramVersion());
        return exOk;
    }
    SignalCleanup temps;
    try {
        return Run(o, temps);
    } catch (const std::exception& e) {
        PrintErr(std::string("lumivex-convert: ") + e.what());
        return exIncomplete;
    }
}
