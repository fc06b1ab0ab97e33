// The window program: builds the program's state, the main window, the about box and the
// new-format dialog, then runs the event loop.
#include "common/UCommuns.h"
#include "core/ULocaleNames.h"
#include "platform/UTrash.h"
#include "core/USession.h"
#include "env/UProgramFiles.h"
#include "ui/UAboutBx.h"
#include "ui/UApplication.h"
#include "ui/UDataFmtName.h"
#include "ui/UDialogs.h"
#include "ui/UMain.h"
#include "ui/UQt.h"
#include "ui/UScreens.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

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
    lmx::TForm1 form(ctx);
    form.show();
    return lmx::SaveRunScreenshots(form, dialogs, folder);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    lmx::NameApplication();

    // A hidden option for layout checks: "--screenshots <folder>" saves every page and quits.
    std::vector<std::string> args;
    QString shotsFolder;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--screenshots" && i + 1 < argc) {
            shotsFolder = QString::fromLocal8Bit(argv[++i]);
            continue;
        }
        args.push_back(a);
    }

    std::string programFile = lmx::ExecutablePath();
    std::string programDir = lmx::ExtractFilePath(programFile);
    if (programDir.empty()) programDir = "./";
    if (programFile.empty()) programFile = programDir + "Lumivex";

    lmx::QtDialogs dialogs;
    lmx::HomeTrash trash = lmx::HomeTrash::ForUser();
    lmx::Session session(dialogs, trash);
    // A read-only installation keeps the user's files in the user's configuration folder.
    const lmx::ProgramFilesDir files =
        lmx::ChooseProgramFilesDir(programDir, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (!files.error.empty()) std::fputs(("Lumivex: " + files.error + "\n").c_str(), stderr);
    session.FilesDir = files.dir;
    lmx::StdLocaleNames localeNames;
    session.log.SetLocaleNames(&localeNames);
    lmx::WindowContext ctx(session, dialogs, programDir, shotsFolder.isEmpty() ? args : std::vector<std::string>{});
    ctx.ProgramFile = programFile;

    lmx::TForm1 form(ctx);
    dialogs.SetParent(&form);
    lmx::TAboutBox about;
    form.AboutBox = &about;
    lmx::TForm2 nameDialog(session.editor, session.formats, session.lang, dialogs);
    dialogs.SetNameDialog(&nameDialog);

    form.show();
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
