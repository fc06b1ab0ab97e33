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
#include "ui/UMain.h"
#include "ui/UPageConvert.h"
#include "ui/UPreview.h"
#include "ui/UQt.h"
#include "ui/UPageRejects.h"
#include "ui/UResultViews.h"
#include "ui/URunView.h"

#include <QComboBox>

namespace lmx {

void TForm1::ComboBox2Select() {
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

std::string TForm1::ExplainReject(int row) const {
    const RejectTable& t = ctx_.S.rejects;
    // The rows were cut by the input format of the last run, whatever is chosen since.
    const RunCopy* last = ctx_.S.runner.LastRun();
    const FormatState& fs = last ? last->Formats : ctx_.Formats;
    const auto r = static_cast<std::size_t>(row);
    const std::string code(t.cell(r, 1));
    try {
        if (code == "#Date") {
            std::string value;
            for (int32_t c = 0; c < fs.InColCount && static_cast<std::size_t>(c) < fs.Input.columns.size(); ++c)
                if (fs.Input.columns[static_cast<std::size_t>(c)].IsDate()) {
                    value = std::string(t.cell(r, static_cast<std::size_t>(c) + 2));
                    break;
                }
            return LineErrorText(code, fs.Input.colSep, value, fs.InColCount - 1, ctx_.Lang);
        }
        return LineErrorText(code, fs.Input.colSep, t.cell(r, 2), fs.InColCount - 1, ctx_.Lang);
    } catch (...) {
        return LineErrorText("#Unknown", fs.Input.colSep, "", 0, ctx_.Lang);
    }
}

void TForm1::RefreshRejects() { TabSheet1->RefreshRejects(); }

void TForm1::BitBtn1Click() {
    ctx_.S.runner.ConvertButton(*runView_);
    // Closed during the run: the run has stopped as "Annuler" stops it, its result is whole.
    if (runView_->TakeCloseRequest()) close();
}

void TForm1::BitBtn2Click() {
    ctx_.S.run.StopRun = true;
    ctx_.S.run.UserCancel = true;
}

} // namespace lmx
