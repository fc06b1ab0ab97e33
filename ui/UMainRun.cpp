// The output preview and the conversion run as seen from the window.
#include "common/Text.h"
#include "core/UConvPage.h"
#include "core/UEngines.h"
#include "core/UFmtFile.h"
#include "core/USession.h"
#include "core/ULog.h"
#include "env/ULang.h"
#include "env/UParms.h"
#include "ui/UDialogs.h"
#include "ui/MainWindow.h"
#include "ui/ConversionPage.h"
#include "ui/UPreview.h"
#include "ui/UQt.h"
#include "ui/RejectsPage.h"
#include "ui/UResultViews.h"
#include "ui/URunView.h"

#include <QComboBox>

namespace lmx {

void MainWindow::ComboBox2Select() {
    ConvPageState& st = ctx_.Page;
    if (st.OutFmtReload) {
        QComboBox* box = TabSheet1->PageControl2->ComboBox2;
        if (box->currentIndex() < 0) return;
        const std::string name = Cp(box->currentText());
        ctx_.S.ChooseFormat(flmOutput, name);
    }
    st.OutFmtReload = true;
    FormatState& fs = ctx_.Formats;
    if (!fs.OutFmtOk) return;

    outPreview_.Clear(kSkyBlue);
    SetGridHeaders(outPreview_, false);
    FillPreviewRows(outPreview_, FeedOutPreview(ctx_.S.conv, ctx_.TheLog, inRows_), DataIsUtf8(ctx_.S.params.PrmGet(prmENC)));
    RefreshGrids();
}

std::string MainWindow::ExplainReject(int row) const {
    const RejectTable& t = ctx_.S.rejects;
    // The rows were cut by the input format of the last run, whatever is chosen since.
    const RunCopy* last = ctx_.S.runner.LastRun();
    const FormatState& fs = last ? last->Formats : ctx_.Formats;
    const auto r = static_cast<std::size_t>(row);
    const std::string code(t.cell(r, 1));
    try {
        if (code == "#Date") {
            std::string value;
            for (int32_t c = 0; c < fs.InColCount && static_cast<std::size_t>(c) < fs.FmtIn.IsDate.size(); ++c)
                if (fs.FmtIn.IsDate[static_cast<std::size_t>(c)] == 1) {
                    value = std::string(t.cell(r, static_cast<std::size_t>(c) + 2));
                    break;
                }
            return LineErrorText(code, fs.FmtIn.ColSep, value, fs.InColCount - 1, ctx_.Lang);
        }
        return LineErrorText(code, fs.FmtIn.ColSep, t.cell(r, 2), fs.InColCount - 1, ctx_.Lang);
    } catch (...) {
        return LineErrorText("#Unknown", fs.FmtIn.ColSep, "", 0, ctx_.Lang);
    }
}

void MainWindow::RefreshRejects() { TabSheet1->RefreshRejects(); }

void MainWindow::BitBtn1Click() {
    ctx_.S.runner.ConvertButton(*runView_);
    // Closed during the run: the run has stopped as "Annuler" stops it, its result is whole.
    if (runView_->TakeCloseRequest()) close();
}

void MainWindow::BitBtn2Click() {
    ctx_.S.run.StopRun = true;
    ctx_.S.run.UserCancel = true;
}

} // namespace lmx
