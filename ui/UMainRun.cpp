// The output preview and the conversion run as seen from the window.
#include "common/Text.h"
#include "core/UConvPage.h"
#include "core/UFmtFile.h"
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

namespace lmx {

void TForm1::AfterOutputFormatLoaded() {}

void TForm1::ComboBox2Select() {
    ConvPageState& st = ctx_.Page;
    if (st.OutFmtReload) {
        QComboBox* box = TabSheet1->PageControl2->ComboBox2;
        if (box->currentIndex() < 0) return;
        const std::string name = Cp(box->currentText());
        ctx_.Prm.PrmSet(prmMRO, name, false);
        TakeFormatResult(ctx_.Fmt.FmtLoadDescription(flmOutput, name), false);
    }
    st.OutFmtReload = true;
    if (!ctx_.Formats.OutFmtOk) return;
    outPreview_.Clear(kSkyBlue);
    SetGridHeaders(outPreview_, false);
    RefreshGrids();
}

void TForm1::BitBtn1Click() {}

void TForm1::BitBtn2Click() {}

} // namespace lmx
