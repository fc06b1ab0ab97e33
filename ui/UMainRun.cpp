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
        ctx_.Prm.PrmSet(prmMRO, name, false);
        TakeFormatResult(ctx_.S.SelectFormat(flmOutput, name), false);
    }
    st.OutFmtReload = true;
    FormatState& fs = ctx_.Formats;
    if (!fs.OutFmtOk) return;

    Converter& conv = ctx_.S.conv;
    conv.TakeSeparators();
    BuildIoLink(conv);
    conv.PrepareDateConv();
    conv.PrepareDateOutput();
    outPreview_.Clear(kSkyBlue);
    SetGridHeaders(outPreview_, false);
    const bool decChange = fs.FmtIn.DecSep != fs.FmtOut.DecSep;
    for (int row = 1; row <= 3; ++row) {
        // The input line again, from the input preview's cells.
        std::string line;
        for (int c = 1; c <= fs.InColCount; ++c) line += inPreview_.Cell(c, row) + fs.FmtIn.ColSep;
        if (!line.empty()) line.pop_back();
        for (std::string& slot : conv.t_lineOut) slot.clear();
        const bool split = conv.Unstring(line);
        if (split && fs.InFmtOk && fs.OutFmtOk) {
            for (int32_t i = 1; i <= fs.OutColCount && static_cast<std::size_t>(i) < conv.t_lineOut.size(); ++i) {
                std::string& v = conv.t_lineOut[static_cast<std::size_t>(i)];
                bool ok = true;
                if (decChange) ok = Converter::DecimalChangeInPlace(v, fs.FmtIn.DecSep, fs.FmtOut.DecSep);
                if (ok && static_cast<std::size_t>(i - 1) < fs.FmtOut.IsDate.size() && fs.FmtOut.IsDate[i - 1] == 1) {
                    std::string out;
                    // A date that cannot be read shows as "0", its failure value; a run rejects it.
                    if (!conv.DateConvInto(v, out)) out = "0";
                    v = std::move(out);
                }
                if (!ok) {
                    conv.t_lineOut[0] = "#Dec Sep.";
                    ctx_.TheLog.LogWrite(lkLine, "#STRG2 --> Chgt DecSep impossible");
                    break;
                }
            }
        }
        for (int32_t c = 1; c <= fs.OutColCount && static_cast<std::size_t>(c) < conv.t_lineOut.size(); ++c)
            outPreview_.SetCell(c, row, conv.t_lineOut[static_cast<std::size_t>(c)]);
    }
    RefreshGrids();
}

std::string TForm1::ExplainReject(int row) const {
    const RejectTable& t = ctx_.S.rejects;
    const FormatState& fs = ctx_.Formats;
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

void TForm1::RefreshRejects() { TabSheet1->PageControl2->TabSheet5->Refresh(); }

void TForm1::BitBtn1Click() { ctx_.S.runner.ConvertButton(*runView_); }

void TForm1::BitBtn2Click() {
    ctx_.S.run.StopRun = true;
    ctx_.S.run.UserCancel = true;
}

} // namespace lmx
