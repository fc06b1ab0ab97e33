// The conversion page's handlers: the page's state mapped to its controls, the previews and the run.
#include "common/Text.h"
#include "common/Basics.h"
#include "model/ConversionPageModel.h"
#include "core/EngineRunner.h"
#include "core/FormatFile.h"
#include "core/Log.h"
#include "model/Session.h"
#include "env/Colors.h"
#include "env/LangTexts.h"
#include "env/Params.h"
#include "ui/ChartPage.h"
#include "ui/ConversionPage.h"
#include "ui/LogPage.h"
#include "ui/RejectsPage.h"
#include "ui/Dialogs.h"
#include "ui/GridModel.h"
#include "ui/Preview.h"
#include "ui/QtBridge.h"
#include "ui/ResultViews.h"
#include "ui/RunThread.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lmx {

namespace {

// Default log colours, 00BBGGRR: pale grey-green on dark grey-purple, a contrast of 5.4 to 1.
constexpr uint32_t kLogText = 0xB7C9A7;
constexpr uint32_t kLogBack = 0x494248;
// The background the program gave before, too pale for its text (2.3 to 1): a file that still
// holds that pair, which nobody chose, gets the present one.
constexpr uint32_t kOldLogBack = 0x00857883;

} // namespace

void ConversionPage::Wire() {
    connect(openButton, &QPushButton::clicked, this, &ConversionPage::onOpenClicked);
    connect(resultViews->changeButton, &QPushButton::clicked, this, &ConversionPage::onChangeClicked);
    connect(convertButton, &QPushButton::clicked, this, &ConversionPage::onConvertClicked);
    connect(cancelButton, &QPushButton::clicked, this, &ConversionPage::onCancelClicked);
    connect(inputFormatBox, QOverload<int>::of(&QComboBox::activated), this, &ConversionPage::onInputFormatChosen);
    connect(resultViews->outputFormatBox, QOverload<int>::of(&QComboBox::activated), this,
            &ConversionPage::onOutputFormatChosen);
    resultViews->rejectsPage->Explain = [this](int row) { return ExplainReject(row); };
    resultViews->chartPage->Attach(session_);
    resultViews->logPage->OnTextColor = [this](const QColor& c) { StoreLogColor(true, c); };
    resultViews->logPage->OnBackColor = [this](const QColor& c) { StoreLogColor(false, c); };
}

std::vector<QAbstractButton*> ConversionPage::HoverButtons() const {
    return {convertButton, cancelButton, openButton, resultViews->changeButton};
}

std::vector<QWidget*> ConversionPage::HoverAreas() const {
    return {const_cast<ConversionPage*>(this), inputGroup, resultViews->outputTab, resultViews->outputGroup};
}

void ConversionPage::Reset() {
    ClearPreviews();
    session_.page = ConvPageState{};
    resultViews->changeButton->setEnabled(false);
}

void ConversionPage::ClearPreviews() {
    inRows_.clear(); // the output preview is built from these: they follow the input grid
    inPreview_.Clear(kSkyBlue);
    outPreview_.Clear(kSkyBlue);
    for (GridCells* g : {&inPreview_, &outPreview_})
        for (int r = 1; r <= 3; ++r) g->SetCell(0, r, IntToStr(r));
    RefreshGrids();
}

void ConversionPage::RefreshGrids() {
    inputPreviewModel->Refresh();
    resultViews->outputPreviewModel->Refresh();
}

void ConversionPage::SetGridHeaders(GridCells& grid, bool input) {
    const std::optional<Format>& f = input ? session_.formats.Input : session_.formats.Output;
    lmx::SetGridHeaders(grid, f.value_or(Format{}));
}

void ConversionPage::ShowFormats(bool formatsRead) {
    const ChosenFormats& fs = session_.formats;
    ApplyFormatChoices(RefillFormatChoices(session_.formats, session_.params, nullptr));
    if (!formatsRead) return;
    if (fs.Input) SetGridHeaders(inPreview_, true);
    if (fs.Output) SetGridHeaders(outPreview_, false);
    RefreshGrids();
}

void ConversionPage::ApplyFormatChoices(const FormatChoices& choices) {
    QComboBox* in = inputFormatBox;
    QComboBox* out = resultViews->outputFormatBox;
    in->clear();
    out->clear();
    for (const std::string& name : choices.Names) {
        in->addItem(Qs(name));
        out->addItem(Qs(name));
    }
    in->setCurrentIndex(choices.InIndex);
    out->setCurrentIndex(choices.OutIndex);
}

void ConversionPage::ShowOptions() {
    const Settings& prm = session_.params.settings;
    const LangTexts& lang = session_.lang;
    const std::string yes = lang.Text(LK::msg_yes), no = lang.Text(LK::msg_no);
    logValue->setText(Qs(prm.log == LogDetail::Extended ? yes : no));
    latestValue->setText(QStringLiteral("N/A"));
    latestValue->setEnabled(false);
    const BadLineRule erl = prm.badLine;
    badLineValue->setText(erl == BadLineRule::Reject ? Qs(lang.Text(LK::cpn_OptErrLnJump))
                          : erl == BadLineRule::Stop ? Qs(lang.Text(LK::cpn_OptErrLnStop))
                                                     : QString());
    historyValue->setText(QStringLiteral("N/A"));
    historyValue->setEnabled(false);
    renameValue->setText(Qs(prm.renameText ? yes : no));
    trashValue->setText(Qs(prm.disposal == sdTrash ? yes : no));
    deleteValue->setText(Qs(prm.disposal == sdDelete ? yes : no));
}

void ConversionPage::Shown() {
    openButton->setFocus(); // the first step
    fileEdit->clear();
    resultViews->outNameEdit->clear();
    ApplyLogColors();
}

void ConversionPage::ApplyLogColors() {
    Params& prm = session_.params;
    Settings& s = prm.settings;
    const bool oldPair = s.logTextColor == kLogText && s.logBackColor == kOldLogBack;
    if (oldPair || !s.logTextColor || !s.logBackColor) {
        s.logTextColor = kLogText;
        s.logBackColor = kLogBack;
        prm.SaveOnEleventhChange();
        prm.SaveOnEleventhChange();
    }
    resultViews->logPage->SetColors(ColorFromBgr(*s.logTextColor), ColorFromBgr(*s.logBackColor));
}

void ConversionPage::StoreLogColor(bool text, const QColor& c) {
    (text ? session_.params.settings.logTextColor : session_.params.settings.logBackColor) = BgrFromColor(c);
    session_.params.SaveOnEleventhChange();
}

void ConversionPage::ShowSource() {
    const ConvPageState& st = session_.page;
    resultViews->changeButton->setEnabled(st.InChosen);
    sourceDirLabel->setText(PathText(ConversionPageModel::WrapPath(st.SourceDir)));
    sourceDirLabel->setToolTip(PathText(st.SourceDir));
    fileEdit->setText(st.InFiles.empty() ? QString() : PathText(ExtractFileName(st.InFiles.front())));
    ShowOutPath();
}

void ConversionPage::ShowOutPath() {
    ResultViews& v = *resultViews;
    v.outDirLabel->setText(PathText(model_.OutDirCaption()));
    v.outDirLabel->setToolTip(PathText(session_.page.OutDir));
    v.ShowOutName(PathText(model_.OutNameCaption()), session_.page.OutValid);
    v.outNameEdit->setToolTip(v.outNameEdit->text());
}

int ConversionPage::FeedInPreview() {
    const int r = model_.FeedInPreview(session_.formats, inRows_);
    FillPreviewRows(inPreview_, inRows_, DataShownOf(session_.params.settings.encoding));
    return r;
}

void ConversionPage::RefreshInPreview() {
    ConvPageState& st = session_.page;
    if (!st.InChosen || !session_.formats.Input || st.InFiles.empty()) {
        RefreshGrids();
        return;
    }
    SetGridHeaders(inPreview_, true);
    const int r = FeedInPreview();
    RefreshGrids();
    if (r != 0) {
        dialogs_.Show(session_.lang.Format(LK::err_feedGrid, {session_.lang.Text(LK::str_in)}));
        return;
    }
    st.OutFmtReload = false;
    onOutputFormatChosen();
}

void ConversionPage::ShowChosenFiles() {
    if (!session_.page.InChosen) {
        ClearPreviews();
        return;
    }
    ShowSource();
    RefreshInPreview();
}

void ConversionPage::onOpenClicked() {
    std::vector<std::string> files;
    if (!dialogs_.OpenFiles(session_.lang.Text(LK::cpn_fileToConv), model_.OpenDialogDir(), files)) return;
    model_.TakeFiles(files, "FilesToConvert : ");
    ShowChosenFiles();
}

void ConversionPage::ConvertFiles(const std::vector<std::string>& files) {
    model_.TakeFiles(files, "Param(FilesToConv.) : ");
    ShowChosenFiles();
    session_.log.LogWrite(lkLine, "Start Auto ... ");
    onConvertClicked();
}

void ConversionPage::onChangeClicked() {
    std::string file;
    if (!dialogs_.SaveFile(session_.lang.Text(LK::cpn_outFileName), model_.SaveDialogDir(), file)) return;
    model_.ChooseOutPath(file);
    ShowOutPath();
}

void ConversionPage::onInputFormatChosen() {
    if (inputFormatBox->currentIndex() < 0) return;
    const std::string name = Cp(inputFormatBox->currentText());
    const ChosenFormats& fs = session_.formats;
    inRows_.clear();
    inPreview_.Clear(kSkyBlue);
    session_.ChooseFormat(flmInput, name);
    if (fs.Input) SetGridHeaders(inPreview_, true);
    RefreshGrids();
    if (!session_.page.InChosen) return;
    const std::string error = session_.lang.Format(LK::err_feedGrid, {session_.lang.Text(LK::str_in)});
    if (!fs.Input) {
        dialogs_.Show(error);
        return;
    }
    const int r = FeedInPreview();
    RefreshGrids();
    if (r != 0) dialogs_.Show(error);
    session_.page.OutFmtReload = false;
    onOutputFormatChosen();
}

void ConversionPage::onOutputFormatChosen() {
    ConvPageState& st = session_.page;
    if (st.OutFmtReload) {
        QComboBox* box = resultViews->outputFormatBox;
        if (box->currentIndex() < 0) return;
        session_.ChooseFormat(flmOutput, Cp(box->currentText()));
    }
    st.OutFmtReload = true;
    if (!session_.formats.Output) return;

    outPreview_.Clear(kSkyBlue);
    SetGridHeaders(outPreview_, false);
    // The header lines in the data files' encoding, as the run writes them.
    const Settings& settings = session_.params.settings;
    session_.conv.TakeDataSettings(EncodingText(settings.encoding), LineEndText(settings.lfOnly));
    FillPreviewRows(outPreview_, ResultPreview(session_.conv, session_.formats, session_.log, inRows_),
                    DataShownOf(settings.encoding));
    RefreshGrids();
}

std::string ConversionPage::ExplainReject(int row) const {
    const RejectTable& t = session_.rejects;
    const LangTexts& lang = session_.lang;
    // The rows were cut by the input format of the last run, whatever is chosen since.
    const RunCopy* last = session_.runner.LastRun();
    const ChosenFormats& chosen = last ? last->Formats : session_.formats;
    const Format in = chosen.Input.value_or(Format{});
    const auto r = static_cast<std::size_t>(row);
    const LineError code = t.code(r);
    try {
        if (code == leDate) {
            std::string value;
            for (int32_t c = 0; c < in.ColumnCount(); ++c)
                if (in.columns[static_cast<std::size_t>(c)].IsDate()) {
                    value = std::string(t.cell(r, static_cast<std::size_t>(c) + 2));
                    break;
                }
            return LineErrorText(code, in.colSep, value, in.ColumnCount() - 1, lang);
        }
        return LineErrorText(code, in.colSep, t.cell(r, 2), in.ColumnCount() - 1, lang);
    } catch (...) {
        return LineErrorText(leUnknown, in.colSep, "", 0, lang);
    }
}

} // namespace lmx
