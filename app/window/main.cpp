// The window program: builds the program's state, the main window, the about box and the
// new-format dialog, then runs the event loop.
#include "common/Basics.h"
#include "core/LocaleNames.h"
#include "platform/HomeTrash.h"
#include "model/Session.h"
#include "env/ProgramFiles.h"
#include "ui/AboutBox.h"
#include "ui/Application.h"
#include "ui/FormatNameDialog.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/QtBridge.h"
#include "ui/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: Lumivex [options] [FILE...]\n"
    "Converts delimited quote files from one format to another, in a window.\n"
    "The FILEs named are converted at once with the last formats used, as soon as the window is on\n"
    "screen, so that the run can be followed and cancelled.\n"
    "\n"
    "  --screenshots DIR   save a picture of every page and state into DIR, then quit\n"
    "  --help              print this help and exit\n"
    "  --version           print the version and exit\n"
    "The toolkit's own options are taken too (-platform offscreen, -style NAME, ...).\n"
    "\n"
    "Files: Lumivex.fmt (the formats), Lumivex.prm (the parameters), LumivexLog.txt (the saved log)\n"
    "live in the program's folder; when it cannot be written (a system-wide installation), in\n"
    "$XDG_CONFIG_HOME/Lumivex (by default ~/.config/Lumivex), made on first use from the copies\n"
    "beside the program. Lumivex.lng holds the language texts, one section per language.\n";

// --help and --version are answered before the toolkit starts: no display is needed for them.
bool AnsweredAlone(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--") return false;
        if (a == "--help") {
            std::fputs(kUsage, stdout);
            return true;
        }
        if (a == "--version") {
            std::fputs(("Lumivex " + lmx::ProgramVersion() + "\n").c_str(), stdout);
            return true;
        }
    }
    return false;
}

// The pictures of a run, in a second window over sample files of its own: the program's own files
// are left as they are.
bool SaveRunScreenshots(const std::string& programDir, const std::string& programFile, const QString& folder) {
    QTemporaryDir samples(QDir::tempPath() + QStringLiteral("/lumivex-pictures-XXXXXX"));
    if (!samples.isValid()) return false;
    lmx::ScreenshotDialogs dialogs;
    lmx::HomeTrash trash = lmx::HomeTrash::ForUser();
    lmx::Session session(dialogs, trash);
    session.FilesDir = lmx::IncludeTrailingSlash(lmx::PathBytes(samples.path()));
    session.SetProgramDir(programDir);
    dialogs.sources = lmx::WriteScreenshotSamples(session.FilesDir, session.params);
    lmx::StdLocaleNames localeNames;
    session.log.SetLocaleNames(&localeNames);
    lmx::WindowContext ctx(session, dialogs, programDir, {});
    ctx.ProgramFile = programFile;
    lmx::MainWindow form(ctx);
    form.show();
    const bool run = lmx::SaveRunScreenshots(form, dialogs, folder);
    return lmx::SaveChartScreenshots(form, dialogs, folder) && run;
}

} // namespace

int main(int argc, char* argv[]) {
    if (AnsweredAlone(argc, argv)) return 0;
    QApplication app(argc, argv);
    lmx::NameApplication();
    // Ties the window to the system's menu entry (its icon in the task bar).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.corvandale.Lumivex"));

    // Hidden options for checks: "--screenshots <folder>" saves every page and quits;
    // "--startup-log" prints the log of the start-up once the window is shown, and quits.
    std::vector<std::string> args;
    QString shotsFolder;
    bool startupLog = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--screenshots" && i + 1 < argc) {
            shotsFolder = QString::fromLocal8Bit(argv[++i]);
            continue;
        }
        if (a == "--startup-log") {
            startupLog = true;
            continue;
        }
        args.push_back(a);
    }

    std::string programFile = lmx::ExecutablePath();
    std::string programDir = lmx::ExtractFilePath(programFile);
    if (programDir.empty()) programDir = "./";
    if (programFile.empty()) programFile = programDir + "Lumivex";

    // The check modes run with no one at the screen: a message is printed, never waited on.
    lmx::QtDialogs windowDialogs;
    lmx::ConsoleDialogs consoleDialogs;
    const bool checking = !shotsFolder.isEmpty() || startupLog;
    lmx::IDialogs& dialogs = checking ? static_cast<lmx::IDialogs&>(consoleDialogs) : windowDialogs;
    lmx::HomeTrash trash = lmx::HomeTrash::ForUser();
    lmx::Session session(dialogs, trash);
    // A read-only installation keeps the user's files in the user's configuration folder.
    const lmx::ProgramFilesDir files =
        lmx::ChooseProgramFilesDir(programDir, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (!files.status.Ok()) std::fputs(("Lumivex: " + files.status.reason + "\n").c_str(), stderr);
    session.FilesDir = files.dir;
    session.DesktopLanguageCode = lmx::DesktopLanguage();
    lmx::StdLocaleNames localeNames;
    session.log.SetLocaleNames(&localeNames);
    lmx::WindowContext ctx(session, dialogs, programDir,
                           shotsFolder.isEmpty() && !startupLog ? args : std::vector<std::string>{});
    ctx.ProgramFile = programFile;

    lmx::MainWindow form(ctx);
    windowDialogs.SetParent(&form);
    lmx::AboutBox about;
    form.aboutBox = &about;
    lmx::FormatNameDialog nameDialog(session.editor, session.formats, session.lang, dialogs);
    windowDialogs.SetNameDialog(&nameDialog);
    // Pictures of a start that went wrong (no format file beside the program) would mislead.
    if (!shotsFolder.isEmpty() && consoleDialogs.shown > 0) return 1;

    form.show();
    if (startupLog) {
        QTimer::singleShot(0, &form, [&] {
            for (const std::string& line : session.log.Lines()) {
                std::fwrite(line.data(), 1, line.size(), stdout);
                std::fputc('\n', stdout);
            }
            QApplication::exit(std::fflush(stdout) == 0 ? 0 : 1);
        });
    }
    if (!shotsFolder.isEmpty()) {
        QTimer::singleShot(0, &form, [&] {
            bool ok = lmx::SaveScreenshots(form, shotsFolder);
            form.hide();
            ok = SaveRunScreenshots(programDir, programFile, shotsFolder) && ok;
            QApplication::exit(ok ? 0 : 1);
        });
    }
    return QApplication::exec();
}
