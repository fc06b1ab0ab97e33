// lumivex-convert: the converter without a window, for scripts and machines without a display.
// Same core, files and texts as the window; it reads Lumivex.prm but never writes it.
#include "CliConvert.h"
#include "CliFormats.h"
#include "CliIo.h"
#include "CliOptions.h"
#include "CliSignals.h"

#include "common/Basics.h"
#include "common/DurableFile.h"
#include "core/LocaleNames.h"
#include "model/Session.h"
#include "env/ProgramFiles.h"

#include <csignal>
#include <cstdlib>

#ifdef LUMIVEX_HAVE_PLATFORM
#include "platform/HomeTrash.h"
#endif

using namespace lmx;
using namespace lmx::cli;

namespace {

class NoTrash final : public ITrash {
public:
    bool MoveToTrash(const std::string&) override { return false; }
};

// Every path of the command line is taken as an absolute path at once: a later change of folder,
// or a folder derived from a bare name, can then never land elsewhere.
CliOptions Absolute(CliOptions o) {
    // "-" is standard output, written through its descriptor, for the result, the rejects and the
    // log alike; two of them there at once are refused as the same file.
    for (std::string* p : {&o.output, &o.rejects, &o.logPath})
        if (*p == "-") *p = "/dev/stdout";
    for (std::string* p : {&o.dir, &o.output, &o.rejects, &o.logPath}) *p = AbsolutePath(*p);
    for (std::string& f : o.files)
        if (!IsStdInSource(f)) f = AbsolutePath(f);
    return o;
}

int Run(const CliOptions& given, SignalCleanup& port) {
    const CliOptions o = Absolute(given);
    CliMessages messages;
#ifdef LUMIVEX_HAVE_PLATFORM
    HomeTrash trash = HomeTrash::ForUser();
#else
    NoTrash trash;
#endif
    Session s(messages, trash, port);
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
        const ProgramFilesDir files = ChooseProgramFilesDir(dir, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), port);
        if (!files.status.Ok()) PrintErr("lumivex-convert: " + files.status.reason);
        dir = files.dir;
    }
    s.FilesDir = dir;
    s.SetProgramDir(programDir.empty() ? dir : programDir);
    s.params.ReadOnly = true;
    if (const Status r = s.StartParameters(false); !r.Ok()) PrintErr("lumivex-convert: Lumivex.prm: " + Tx(r.reason));
    if (o.langGiven) {
        if (!LoadLanguageOption(s, o.lang)) return exNothing;
    } else {
        // A language that does not load leaves the French texts, silently: nothing is asked here.
        s.lang.LangLoad(s.params.settings.language, s.LngFileName, s.port);
    }
    if (o.check) return CheckFormats(s) ? exOk : exNothing;
    if (o.showGiven) return ShowFormat(s, o.show) ? exOk : exNothing;

    if (o.list) {
        const Status r = s.fmtFile.FmtLoadList();
        if (r == StatusCode::FmtNoFile || (!r.Ok() && s.port.KindOf(s.fmtFile.FmtFileName) == EntryKind::None)) {
            PrintErr(TxFill(s.lang.Text(LK::err_fmtFileDefOpen), {s.fmtFile.FmtFileName}));
            return exNothing;
        }
        for (const auto& name : s.formats.Catalogue.FormatNames) PrintOut(Tx(name));
        return exOk;
    }

    return ConvertFiles(s, o);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    CliOptions o;
    std::string error;
    if (!ParseCli(args, o, error)) {
        PrintErr("lumivex-convert: " + error + "\nTry 'lumivex-convert --help' for the options.");
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
    int code = exIncomplete;
    try {
        code = Run(o, temps);
    } catch (const std::exception& e) {
        PrintErr(std::string("lumivex-convert: ") + e.what());
    }
    if (code == kReaderGone) {
        // Everything is cleaned up by now; the shell and GNU parallel see what they expect of a
        // pipeline whose end closed early.
        std::signal(SIGPIPE, SIG_DFL);
        std::raise(SIGPIPE);
        return 128 + SIGPIPE;
    }
    return code;
}
