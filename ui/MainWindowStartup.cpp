// Start-up and shut-down of the main window: the environment, the first show, quitting.
#include "common/Text.h"
#include "common/Basics.h"
#include "model/ConversionPageModel.h"
#include "core/FormatFile.h"
#include "core/Log.h"
#include "model/Session.h"
#include "env/Colors.h"
#include "env/LangTexts.h"
#include "env/Params.h"
#include "env/ProgramFiles.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/ConversionPage.h"
#include "ui/FormatEditorPage.h"
#include "ui/LogPage.h"
#include "ui/ParametersPage.h"
#include "ui/QtBridge.h"
#include "ui/ResultViews.h"
#include "ui/RunView.h"
#include "ui/StatusBar.h"
#include "ui/ToolkitTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <chrono>

namespace lmx {

namespace {

int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

const char* OkKo(bool ok) { return ok ? "Ok" : "Ko"; }

} // namespace

void MainWindow::LoadSettings() {
    Log& log = ctx_.TheLog;
    Params& prm = ctx_.Prm;
    LangTexts& lang = ctx_.Lang;
    const int64_t start = NowMs();
    log.LogWrite(lkBegin);
    log.LogWrite(lkLine, "BeginLoadEnvir:");

    conversionPage->Reset();

    std::string dir = ctx_.ProgramDir.empty() ? std::string("./") : IncludeTrailingSlash(ctx_.ProgramDir);
    ctx_.ProgramDir = dir;
    // The window's language file is named after its program file (a renamed copy reads its own).
    ctx_.S.LngName = LanguageFileName(ctx_.ProgramFile);
    ctx_.S.SetProgramDir(dir);
    envir_.PrmFileName = prm.PrmFileName;
    envir_.LngFileName = ctx_.S.LngFileName;

    ctx_.S.StartParameters(true);
    if (ctx_.S.StartLanguage().Ok()) Retranslate();
    ApplyToolkitTexts(prm.settings.language);
    formatEditorPage->FillLists();
    formatEditorPage->LoadTabMarks(dir);
    envir_.LangNames.clear();
    lang.LangList(envir_.LngFileName, envir_.LangNames);

    envir_.FmtFileName = ctx_.Fmt.FmtFileName;
    conversionPage->ShowFormats(ctx_.S.StartFormats().Ok());

    log.LogWrite(lkLine, std::string(" LOAD(ColNames)     ") + OkKo(SortColNames(ctx_.Formats.Catalogue.ColumnNames)));
    conversionPage->ShowOptions();
    envir_.StopOnBadLine = ctx_.S.run.StopOnBadLine;
    parametersPage->StartUp(envir_.LangNames);
    log.LogWrite(lkLine, std::string(" LOAD(ColNames)     ") + OkKo(SortColNames(ctx_.Formats.Catalogue.ColumnNames)));
    log.LogWrite(lkLine, " PRMCount :         " + IntToStr(static_cast<int64_t>(ctx_.Args.size())));
    envir_.LoadSettingsMs = NowMs() - start;
    log.LogWrite(lkLine, "EndLoadEnvir : " + IntToStr(envir_.LoadSettingsMs) + "ms.");
}

void MainWindow::ApplyToolkitTexts(const std::string& language) { toolkitTexts_->Apply(LanguageLocale(language)); }

void MainWindow::FirstShow() {
    conversionPage->Shown();
    // The focus frame shows from the start, not only once Tab was pressed.
    setAttribute(Qt::WA_KeyboardFocusChange);
    statusPanels->Build(ctx_.Lang);
    Log& log = ctx_.TheLog;
    if (log.ExtendedLog) {
        log.LogWrite(lkInFmt);
        log.LogWrite(lkOutFmt);
        log.LogWrite(lkLine, " ");
    }
}

void MainWindow::CommandLineRun() {
    if (autoRunStarted_) return;
    autoRunStarted_ = true;
    conversionPage->ConvertFiles(ctx_.Args);
    autoRunDone_ = !conversionPage->Running(); // else once the run is over
}

bool MainWindow::SaveParamsForExit() {
    // Written before anything is released: a failure must leave a usable window behind.
    const Status saved = ctx_.Prm.Save();
    if (saved.Ok()) return true;
    ctx_.Dialogs.ShowPaths(saved.reason.empty() ? TextWithPaths().Path(envir_.PrmFileName) : TextWithPaths(saved.reason));
    return false;
}

bool MainWindow::StopRunBeforeClosing() {
    if (!conversionPage->Running()) return false;
    // The run stops as "Annuler" stops it and puts its whole lines under the result's name; the
    // window closes once it has.
    conversionPage->onCancelClicked();
    conversionPage->CloseWindowAfterRun();
    return true;
}

void MainWindow::onQuitClicked() {
    if (StopRunBeforeClosing()) return;
    if (!SaveParamsForExit()) return;
    quitting_ = true;
    close();
    QCoreApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (StopRunBeforeClosing()) {
        event->ignore();
        return;
    }
    if (quitting_ || SaveParamsForExit()) {
        quitting_ = true;
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace lmx
