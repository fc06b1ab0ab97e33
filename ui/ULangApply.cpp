#include "ui/ULangApply.h"

#include "common/Cp1252.h"
#include "env/ULang.h"
#include "ui/UQt.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

#include <initializer_list>
#include <string_view>

namespace lmx {

namespace {

struct Caption {
    std::string_view key;
    std::initializer_list<const char*> controls;
};

// Key -> the controls that show it. Pages are addressed by position below.
const Caption kCaptions[] = {
    {"btn_about", {"BitBtn14"}},
    {"btn_exit", {"BitBtn5"}},
    {"btn_ouvrir", {"BitBtn3"}},
    {"btn_changer", {"BitBtn4"}},
    {"btn_convert", {"BitBtn1"}},
    {"btn_cancel", {"BitBtn2", "BitBtn8"}},
    {"btn_new", {"BitBtn6"}},
    {"btn_modify", {"BitBtn16"}},
    {"btn_model", {"BitBtn15"}},
    {"btn_save", {"BitBtn7", "BitBtn18"}},
    {"btn_del", {"BitBtn9"}},
    {"cpn_infile", {"GroupBox1"}},
    {"cpn_infileFmt", {"Label2"}},
    {"cpn_fileToConv", {"Label1"}},
    {"cpn_infilePreview", {"Label3"}},
    {"cpn_shtLinTitle", {"Label31"}},
    {"cpn_outFile", {"GroupBox2"}},
    {"cpn_outFileName", {"Label4", "GroupBox11"}},
    {"cpn_outFilePreview", {"Label6"}},
    {"cpn_outfileFmt", {"Label5"}},
    {"cpn_fmtDef", {"GroupBox3"}},
    {"cpn_fmtGen", {"GroupBox5"}},
    {"cpn_fmtCol", {"GroupBox7"}},
    {"cpn_fDefFName", {"Label9"}},
    {"cpn_fDefCols", {"GroupBox9"}},
    {"cpn_fDefCCount", {"Label14"}},
    {"cpn_fDefCSep", {"Label13"}},
    {"cpn_fDefDecSep", {"Label27"}},
    {"cpn_fDefComent", {"Label29"}},
    {"cpn_fDefAddHd", {"Label10"}},
    {"cpn_fDefCName", {"Label7"}},
    {"cpn_fDefCType", {"Label12"}},
    {"cpn_fDefCDtSep", {"Label48"}},
    {"cpn_fDefCCtrl", {"Label47"}},
    {"cpn_fDefCAddX", {"CheckBox2"}},
    {"cpn_fDefCAddPX", {"RadioButton1"}},
    {"cpn_fDefCAddSX", {"RadioButton2"}},
    {"cpn_fDefCCasse", {"CheckBox3"}},
    {"cpn_gCnv", {"GroupBox6"}},
    {"cpn_gCnvFiles", {"Label34"}},
    {"cpn_gCnvLnRead", {"Label24"}},
    {"cpn_gCnvLnReje", {"Label25"}},
    {"cpn_gCnvLnWrit", {"Label26"}},
    {"cpn_gOptnCurr", {"GroupBox4"}},
    {"cpn_gOptnLog", {"Label17"}},
    {"cpn_gOptnLoad", {"Label18"}},
    {"cpn_gOptnAno", {"Label19"}},
    {"cpn_gOptnHst", {"Label20"}},
    {"cpn_gOptnAfter", {"Label39"}},
    {"cpn_gOptRenam", {"Label23"}},
    {"cpn_gOptTrash", {"Label21"}},
    {"cpn_gOptDelet", {"Label22"}},
    {"cpn_ignore", {"GroupBox8"}},
    {"cpn_firstLines", {"Label11"}},
    {"cpn_oParmTitle", {"Label56"}},
    {"cpn_oEnvTitle", {"Label55"}},
    {"cpn_oInteg", {"Label50"}},
    {"cpn_oLineRej", {"RadioButton9"}},
    {"cpn_oTrtStop", {"RadioButton10"}},
    {"cpn_oOutDirSame", {"RadioButton7"}},
    {"cpn_oOutDirNew", {"RadioButton8"}},
    {"cpn_oOutAddTxt", {"CheckBox4"}},
    {"cpn_oOutExtSrce", {"RadioButton12"}},
    {"cpn_oOutExtNew", {"RadioButton13"}},
    {"cpn_oAftTitle", {"GroupBox13"}},
    {"cpn_oAftRenam", {"RadioButton14"}},
    {"cpn_oAftRcBin", {"RadioButton15"}},
    {"cpn_oAftDelet", {"RadioButton16"}},
    {"cpn_oAftNothg", {"RadioButton17"}},
    {"cpn_oEnvLng", {"GroupBox16"}},
    {"cpn_oEnvLngAppl", {"Button5"}},
    {"cpn_oEnvLogSp", {"RadioButton5"}},
    {"cpn_oEnvLogXt", {"RadioButton6"}},
    {"cpn_oIntStart", {"Button2"}},
    {"cpn_oIntDesk", {"Button4"}},
    {"cpn_oIntExpl", {"Button3"}},
    {"cpn_oTrtEnc", {"Label57"}},
    {"cpn_oTrtEol", {"Label58"}},
};

// Key -> the controls whose tooltip shows it.
const Caption kTips[] = {
    {"hnt_btnDelt", {"BitBtn20"}},
    {"hnt_btnLeft", {"BitBtn21"}},
    {"hnt_btnAddC", {"BitBtn22"}},
    {"hnt_btnRight", {"BitBtn23"}},
};

void SetCaption(QWidget& root, const char* name, const QString& text) {
    QWidget* w = root.findChild<QWidget*>(QString::fromLatin1(name));
    if (!w) return;
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(text);
}

void SetPage(QTabWidget* pages, int index, const QString& text) {
    if (pages && index < pages->count()) pages->setTabText(index, text);
}

// Only a to z change: accented letters keep their case in these two captions.
std::string AsciiCase(std::string s, bool upper) {
    for (char& c : s) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

} // namespace

void LangApply(QWidget& root, const LangTexts& lang) {
    for (const Caption& c : kCaptions) {
        const QString text = Qs(lang.Text(c.key));
        for (const char* name : c.controls) SetCaption(root, name, text);
    }
    for (const Caption& c : kTips) {
        const QString text = Qs(lang.Text(c.key));
        for (const char* name : c.controls)
            if (QWidget* w = root.findChild<QWidget*>(QString::fromLatin1(name))) w->setToolTip(text);
    }
    // The column control list: its items are texts of the language, its choice stays.
    if (auto* controls = root.findChild<QComboBox*>("ComboBox7"); controls && controls->count() == 2) {
        controls->setItemText(0, Qs(lang.Text(LK::itm_never)));
        controls->setItemText(1, Qs(lang.Text(LK::itm_allways)));
    }
    if (auto* enc = root.findChild<QComboBox*>("ComboBox9"); enc && enc->count() == 3)
        enc->setItemText(0, Qs(lang.Text(LK::itm_encSystem)));
    SetCaption(root, "RadioButton3", Qs(AsciiCase(lang.Text(LK::cpn_fDefCCMaj), true)));
    SetCaption(root, "RadioButton4", Qs(AsciiCase(lang.Text(LK::cpn_fDefCCMin), false)));

    QTabWidget* main = root.findChild<QTabWidget*>("PageControl1");
    SetPage(main, 0, Qs(lang.Text(LK::cpn_sheetMainTitle)));
    SetPage(main, 1, Qs(lang.Text(LK::cpn_fmtTitle)));
    SetPage(main, 2, Qs(lang.Text(LK::cpn_sheetOptions)));
    QTabWidget* lower = root.findChild<QTabWidget*>("PageControl2");
    SetPage(lower, 0, Qs(lang.Text(LK::cpn_shtOutTitle)));
    SetPage(lower, 1, Qs(lang.Text(LK::cpn_shtLinTitle)));
    SetPage(lower, 2, Qs(lang.Text(LK::cpn_shtLogTitle)));
}

} // namespace lmx
