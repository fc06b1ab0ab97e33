// The conversion page's buttons and lists: the window maps the page's state to its controls.
#include "common/Text.h"
#include "common/UCommuns.h"
#include "core/UConvPage.h"
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
#include "ui/UResultViews.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lmx {

void TForm1::ClearPreviews() {
    inRows_.clear(); // the output preview is built from these: they follow the input grid
    inPreview_.Clear(kSkyBlue);
    outPreview_.Clear(kSkyBlue);
    for (GridCells* g : {&inPreview_, &outPreview_})
        for (int r = 1; r <= 3; ++r) g->SetCell(0, r, IntToStr(r));
    RefreshGrids();
}

void TForm1::RefreshGrids() {
    TabSheet1->StringGrid1Model->Refresh();
    TabSheet1->PageControl2->StringGrid2Model->Refresh();
}

void TForm1::SetGridHeaders(GridCells& grid, bool input) {
    lmx::SetGridHeaders(grid, input ? ctx_.Formats.Input : ctx_.Formats.Output);
}

void TForm1::ShowSource() {
    const ConvPageState& st = ctx_.Page;
    TabSheet1->PageControl2->BitBtn4->setEnabled(st.InChosen);
    TabSheet1->Label15->setText(PathText(ConvPage::WrapPath(st.SourceDir)));
    TabSheet1->Label15->setToolTip(PathText(st.SourceDir));
    TabSheet1->Edit1->setText(st.InFiles.empty() ? QString() : PathText(ExtractFileName(st.InFiles.front())));
    ShowOutPath();
}

void TForm1::ShowOutPath() {
    UResultViews& v = *TabSheet1->PageControl2;
    v.Label16->setText(PathText(page_->OutDirCaption()));
    v.Label16->setToolTip(PathText(ctx_.Page.OutDir));
    v.ShowOutName(PathText(page_->OutNameCaption()), ctx_.Page.OutValid);
    v.Edit2->setToolTip(v.Edit2->text());
}

int TForm1::FeedInPreview() {
    const int r = page_->FeedInPreview(ctx_.Formats, inRows_);
    FillPreviewRows(inPreview_, inRows_, DataIsUtf8(ctx_.S.params.PrmGet(prmENC)));
    return r;
}

void TForm1::RefreshInPreview() {
    ConvPageState& st = ctx_.Page;
    if (!st.InChosen || !ctx_.Formats.InFmtOk || st.InFiles.empty()) {
        RefreshGrids();
        return;
    }
    SetGridHeaders(inPreview_, true);
    const int r = FeedInPreview();
    RefreshGrids();
    if (r != 0) {
        ctx_.Dialogs.Show(ctx_.Lang.Format(LK::err_feedGrid, {ctx_.Lang.Text(LK::str_in)}));
        return;
    }
    st.OutFmtReload = false;
    ComboBox2Select();
}

void TForm1::BitBtn3Click() {
    std::vector<std::string> files;
    if (!ctx_.Dialogs.OpenFiles(ctx_.Lang.Text(LK::cpn_fileToConv), page_->OpenDialogDir(), files)) return;
    page_->TakeFiles(files, "FilesToConvert : ");
    if (!ctx_.Page.InChosen) {
        ClearPreviews();
        return;
    }
    ShowSource();
    RefreshInPreview();
}

void TForm1::BitBtn4Click() {
    std::string file;
    if (!ctx_.Dialogs.SaveFile(ctx_.Lang.Text(LK::cpn_outFileName), page_->SaveDialogDir(), file)) return;
    page_->ChooseOutPath(file);
    ShowOutPath();
}

void TForm1::ComboBox1Select() {
    QComboBox* box = TabSheet1->ComboBox1;
    if (box->currentIndex() < 0) return;
    const std::string name = Cp(box->currentText());
    inRows_.clear();
    inPreview_.Clear(kSkyBlue);
    ctx_.S.ChooseFormat(flmInput, name);
    if (ctx_.Formats.InFmtOk) SetGridHeaders(inPreview_, true);
    RefreshGrids();
    if (!ctx_.Page.InChosen) return;
    if (!ctx_.Formats.InFmtOk) {
        ctx_.Dialogs.Show(ctx_.Lang.Format(LK::err_feedGrid, {ctx_.Lang.Text(LK::str_in)}));
        return;
    }
    const int r = FeedInPreview();
    RefreshGrids();
    if (r != 0) {
        ctx_.Dialogs.Show(ctx_.Lang.Format(LK::err_feedGrid, {ctx_.Lang.Text(LK::str_in)}));
    }
    ctx_.Page.OutFmtReload = false;
    ComboBox2Select();
}

} // namespace lmx
