// The window program: builds the program's state, the main window, the about box and the
// new-format dialog, then runs the event loop.
#include "common/UCommuns.h"
#include "core/ULocaleNames.h"
#include "platform/UTrash.h"
#include "core/USession.h"
#include "env/UProgramFiles.h"
#include "ui/UAboutBx.h"
#include "ui/UDataFmtName.h"
#include "ui/UDialogs.h"
#include "ui/UMain.h"
#include "ui/UScreens.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Quendrafil (stocks datas)"));
    QApplication::setApplicationName(QStringLiteral("Quendrafil (stocks datas)"));

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

    std::string programDir = lmx::ExtractFilePath(lmx::ExecutablePath());
    if (programDir.empty()) programDir = "./";

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
    lmx::WindowContext ctx(session, dialogs, programDir, args);

    lmx::TForm1 form(ctx);
    dialogs.SetParent(&form);
    lmx::TAboutBox about;
    form.AboutBox = &about;
    lmx::TForm2 nameDialog(session.editor, session.formats, session.lang, dialogs);
    dialogs.SetNameDialog(&nameDialog);

    form.show();
    if (!shotsFolder.isEmpty()) {
        QTimer::singleShot(0, &form, [&] {
            const bool ok = lmx::SaveScreenshots(form, shotsFolder);
            QApplication::exit(ok ? 0 : 1);
        });
    }
    return QApplication::exec();
}
