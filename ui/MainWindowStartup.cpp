// Start-up and shut-down of the main window: the environment, the first show, quitting.
#include "common/Text.h"
#include "common/UCommuns.h"
#include "core/UConvPage.h"
#include "core/UFmtFile.h"
#include "core/ULog.h"
#include "core/USession.h"
#include "env/UColors.h"
#include "env/ULang.h"
#include "env/UParms.h"
#include "env/UPrmCodes.h"
#include "env/UProgramFiles.h"
#include "ui/UDialogs.h"
#include "ui/ULangApply.h"
#include "ui/MainWindow.h"
#include "ui/ConversionPage.h"
#include "ui/FormatEditorPage.h"
#include "ui/LogPage.h"
#include "ui/ParametersPage.h"
#include "ui/UQt.h"
#include "ui/UResultViews.h"
#include "ui/URunView.h"
#include "ui/UStatusBar.h"
#include "ui/UToolkitTexts.h"

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

// Default log colours, 00BBGGRR.
constexpr uint32_t kLogText = 0xB7C9A7;
constexpr uint32_t kLogBack = 0x857883;

} // namespace

void MainWindow::LoadEnvir() {
    Log& log = ctx_.TheLog;
    Params& prm = ctx_.Prm;
    LangTexts& lang = ctx_.Lang;
    const int64_t start = NowMs();
    log.LogWrite(lkBegin);
    log.LogWrite(lkLine, "BeginLoadEnvir:");

    ClearPreviews();
    ctx_.Page = ConvPageState{};
    TabSheet1->PageControl2->BitBtn4->setEnabled(false);

    std::string dir = ctx_.ProgramDir.empty() ? std::string("./") : IncludeTrailingSlash(ctx_.ProgramDir);
    ctx_.ProgramDir = dir;
    // The window's language file is named after its program file (a renamed copy reads its own).
    ctx_.S.LngName = LanguageFileName(ctx_.ProgramFile);
    ctx_.S.SetProgramDir(dir);
    envir_.PrmFileName = prm.PrmFileName;
    envir_.LngFileName = ctx_.S.LngFileName;

    ctx_.S.StartParameters(true);
    if (ctx_.S.StartLanguage() == 0) LangApply(*this, lang);
    ApplyToolkitTexts(prm.PrmGet(prmLNG));
    TabSheet2->FillLists();
    TabSheet2->LoadTabMarks(dir);
    envir_.LangNames.clear();
    lang.LangList(envir_.LngFileName, envir_.LangNames);

    LoadFormats();

    log.LogWrite(lkLine, std::string(" LOAD(ColNames)     ") + OkKo(SortColNames(ctx_.Formats.ColNames)));
    FillOptionsSummary();
    envir_.StopOnBadLine = ctx_.S.run.StopOnBadLine;
    TabSheet3->StartUp(envir_.LangNames);
    log.LogWrite(lkLine, std::string(" LOAD(ColNames)     ") + OkKo(SortColNames(ctx_.Formats.ColNames)));
    log.LogWrite(lkLine, " PRMCount :         " + IntToStr(static_cast<int64_t>(ctx_.Args.size())));
    envir_.LoadEnvirMs = NowMs() - start;
    log.LogWrite(lkLine, "EndLoadEnvir : " + IntToStr(envir_.LoadEnvirMs) + "ms.");
}

void MainWindow::LoadFormats() {
    FormatState& fs = ctx_.Formats;
    envir_.FmtFileName = ctx_.Fmt.FmtFileName;
    const int list = ctx_.S.StartFormats();
    ApplyFormatChoices(RefillFormatChoices(fs, ctx_.Prm, nullptr));
    if (list != 0) return;
    if (fs.InFmtOk) SetGridHeaders(inPreview_, true);
    if (fs.OutFmtOk) SetGridHeaders(outPreview_, false);
    RefreshGrids();
}

void MainWindow::ApplyFormatChoices(const FormatChoices& choices) {
    QComboBox* in = TabSheet1->ComboBox1;
    QComboBox* out = TabSheet1->PageControl2->ComboBox2;
    in->clear();
    out->clear();
    for (const std::string& name : choices.Names) {
        in->addItem(Qs(name));
        out->addItem(Qs(name));
    }
    in->setCurrentIndex(choices.InIndex);
    out->setCurrentIndex(choices.OutIndex);
}

void MainWindow::FillOptionsSummary() {
    const Params& prm = ctx_.Prm;
    const LangTexts& lang = ctx_.Lang;
    const std::string yes = lang.Text(LK::msg_yes), no = lang.Text(LK::msg_no);
    ConversionPage& p = *TabSheet1;
    p.Label40->setText(Qs(prm.PrmGet(prmLOG) == "1" ? yes : no));
    p.Label41->setText(QStringLiteral("N/A"));
    p.Label41->setEnabled(false);
    const BadLineRule erl = BadLineRuleOf(prm);
    p.Label42->setText(erl == BadLineRule::Reject ? Qs(lang.Text(LK::cpn_OptErrLnJump))
                       : erl == BadLineRule::Stop ? Qs(lang.Text(LK::cpn_OptErrLnStop))
                                                  : QString());
    p.Label43->setText(QStringLiteral("N/A"));
    p.Label43->setEnabled(false);
    p.Label44->setText(Qs(RenamesSources(prm.PrmGet(prmSRN)) ? yes : no));
    p.Label45->setText(Qs(SourceDisposalOf(prm) == sdTrash ? yes : no));
    p.Label46->setText(Qs(SourceDisposalOf(prm) == sdDelete ? yes : no));
}

void MainWindow::ApplyLogColors() {
    uint32_t text = 0, back = 0;
    if (!ColorFromText(ctx_.Prm.PrmGet(prmLGT), text) || !ColorFromText(ctx_.Prm.PrmGet(prmLGF), back)) {
        text = kLogText;
        back = kLogBack;
        ctx_.Prm.PrmSet(prmLGT, "$00B7C9A7", false);
        ctx_.Prm.PrmSet(prmLGF, "$00857883", false);
    }
    TabSheet1->PageControl2->TabSheet6->SetColors(ColorFromBgr(text), ColorFromBgr(back));
}

void MainWindow::StoreLogColor(int prmIndex, const QColor& c) {
    ctx_.Prm.PrmSet(prmIndex, ColorToText(BgrFromColor(c)), false);
}

void MainWindow::ApplyToolkitTexts(const std::string& language) { toolkitTexts_->Apply(LanguageLocale(language)); }

void MainWindow::FormShow() {
    TabSheet1->Edit1->clear();
    TabSheet1->PageControl2->Edit2->clear();
    StatusBar1->Build(ctx_.Lang);
    ApplyLogColors();
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
    Log& log = ctx_.TheLog;
    page_->TakeFiles(ctx_.Args, "Param(FilesToConv.) : ");
    if (!ctx_.Page.InChosen) {
        ClearPreviews();
    } else {
        ShowSource();
        RefreshInPreview();
    }
    log.LogWrite(lkLine, "Start Auto ... ");
    BitBtn1Click();
    autoRunDone_ = true;
}

bool MainWindow::SaveParamsForExit() {
    // Written before anything is released: a failure must leave a usable window behind.
    if (ctx_.Prm.PrmSet(prmCTB, "CTB", true) == 0) return true;
    const std::string reason = ctx_.Prm.LastIoError();
    ctx_.Dialogs.ShowPaths(reason.empty() ? TextWithPaths().Path(envir_.PrmFileName) : TextWithPaths(reason));
    return false;
}

bool MainWindow::StopRunBeforeClosing() {
    if (!runView_->Running()) return false;
    // The run stops as "Annuler" stops it and puts its whole lines under the result's name; the
    // window closes once it has.
    BitBtn2Click();
    runView_->RequestClose();
    return true;
}

void MainWindow::BitBtn5Click() {
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
