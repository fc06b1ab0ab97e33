// The parameters page's wiring: its controls reach the page's model, the parameters file, the
// folder chooser, the captions of the whole window and the shortcuts.
#include "UiFixture.h"

#include "common/UCommuns.h"
#include "ui/ParametersPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>

namespace lmx {
namespace {

using test::CrLf;
using test::ReadFile;
using test::WriteFile;

struct ParamsPage {
    ParamsPage() {
        WriteFile(prog.path("Lumivex.lng"), CrLf({"[English]", "btn_exit=Quit", "cpn_oEnvLngAppl=Apply now",
                                                   "cpn_oParmTitle=Processing", "[Deutsch]", "btn_exit=Beenden"}));
        form = prog.Open();
        page = form->parametersPage;
    }
    void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    std::string LastShown() const { return prog.dialogs.shown.empty() ? "" : prog.dialogs.shown.back(); }

    test::Program prog;
    std::unique_ptr<MainWindow> form;
    ParametersPage* page;
};

bool EditOn(QLineEdit* e) { return e->palette().color(QPalette::Base) == QApplication::palette().color(QPalette::Base); }

TEST(ParamsPage, StartUpFillsEveryControl) {
    ParamsPage s;
    ParametersPage& p = *s.page;
    for (const char* name :
         {"BitBtn18", "ListBox1", "Panel7", "Label53", "Panel8", "Label56", "GroupBox12", "RadioButton9",
          "RadioButton10", "GroupBox11", "RadioButton7", "RadioButton8", "Edit11", "Button1", "CheckBox4", "Edit12",
          "Panel10", "RadioButton12", "RadioButton13", "Edit8", "GroupBox13", "RadioButton14", "Edit10",
          "RadioButton15", "RadioButton16", "RadioButton17", "Panel9", "Label55", "GroupBox16", "ComboBox8",
          "Button5", "GroupBox10", "RadioButton5", "RadioButton6", "GroupBox14", "GroupBox15", "Panel11", "Label50",
          "Button2", "Button4", "Button3"})
        EXPECT_NE(nullptr, p.findChild<QWidget*>(name)) << name;
    EXPECT_EQ("Environnement", p.ListBox1->item(1)->text().toStdString());
    ASSERT_EQ(3, p.ComboBox8->count());
    EXPECT_EQ("Deutsch", p.ComboBox8->itemText(1).toStdString());
    EXPECT_FALSE(p.ComboBox8->isEditable());
    EXPECT_TRUE(!p.Panel8->isHidden() && p.Panel9->isHidden() && p.Panel11->isHidden());
    EXPECT_FALSE(p.GroupBox14->isEnabled() || p.GroupBox15->isEnabled());
    EXPECT_TRUE(p.RadioButton7->isChecked() && p.RadioButton17->isChecked() && p.CheckBox4->isChecked());
}

TEST(ParamsPage, EachOptionColoursItsEdit) {
    ParamsPage s;
    ParametersPage& p = *s.page;
    EXPECT_FALSE(EditOn(p.Edit11) || p.Button1->isEnabled());
    p.RadioButton8->click();
    EXPECT_TRUE(EditOn(p.Edit11) && p.Button1->isEnabled());
    QTest::keyClicks(p.Edit11, "typed");
    EXPECT_EQ("", p.Edit11->text().toStdString()) << "only the folder chooser fills it";
    EXPECT_TRUE(EditOn(p.Edit12));
    p.CheckBox4->click();
    EXPECT_FALSE(EditOn(p.Edit12));
    EXPECT_EQ("_conv", p.Edit12->text().toStdString()) << "the text stays";
    p.RadioButton13->click();
    EXPECT_TRUE(EditOn(p.Edit8));
    p.RadioButton14->click();
    EXPECT_TRUE(EditOn(p.Edit10));
    p.RadioButton16->click();
    EXPECT_FALSE(EditOn(p.Edit10));
}

TEST(ParamsPage, RefusedSaveShowsItsLinesAndWritesNothing) {
    ParamsPage s;
    ParametersPage& p = *s.page;
    const std::string before = ReadFile(s.prog.path("Lumivex.prm"));
    p.CheckBox4->click();
    p.RadioButton14->click();
    p.Edit10->setText("0");
    s.Click(p.BitBtn18);
    EXPECT_EQ("D\xE9" "finition invalide, Pas de sauvegarde", s.LastShown());
    EXPECT_EQ("Erreur  : La valeur choisie pour renomer le fichier source n'est pas valide.\n",
              p.Label53->text().toStdString());
    EXPECT_EQ(before, ReadFile(s.prog.path("Lumivex.prm")));
}

TEST(ParamsPage, SaveRewritesTheParametersFile) {
    ParamsPage s;
    ParametersPage& p = *s.page;
    const std::string out = s.prog.path("results");
    std::filesystem::create_directory(out);
    s.prog.dialogs.folderAnswers.push_back(out);
    p.RadioButton10->click();
    p.RadioButton8->click();
    s.Click(p.Button1);
    EXPECT_EQ(out + "/", p.Edit11->text().toStdString());
    p.Edit12->setText("_x");
    p.RadioButton13->click();
    p.Edit8->setText("csv");
    p.RadioButton14->click();
    p.Edit10->setText("_done");
    p.RadioButton5->click();
    p.ComboBox8->setCurrentIndex(2);
    p.ComboBox9->setCurrentIndex(1);
    p.ComboBox10->setCurrentIndex(1);
    s.Click(p.BitBtn18);
    EXPECT_EQ("La mise \xE0 jour effectu\xE9" "e ; Elle sera prise en compte au PROCHAIN d\xE9marrage du programme.",
              s.LastShown());
    EXPECT_EQ("", p.Label53->text().toStdString());
    EXPECT_EQ(".csv", p.Edit8->text().toStdString());
    EXPECT_EQ(FileBanner(bkParameters) + "\r\n" +
                  CrLf({"[P]", "CTB=CTB", "LNG=English", "MRS=$Q", "F_S=$L", "MRD=" + out + "/", "DDO=_x",
                        "EXT=.csv", "BIS=$Q", "SCM=0", "SDL=0", "SRN=_done", "ERL=2", "MRI=", "MRO=", "CPD=20",
                        "CPE=19", "DTY=$Q", "LGT=$00B7C9A7", "LGF=$00857883", "LOG=0", "ENC=UTF-8", "EOL=LF", "[/]"}),
              ReadFile(s.prog.path("Lumivex.prm")));
}

TEST(ParamsPage, FailedWriteShowsTheSystemsReasonAndKeepsTheControls) {
    ParamsPage s;
    ParametersPage& p = *s.page;
    const std::string prm = s.prog.path("Lumivex.prm");
    std::filesystem::remove(prm);
    std::filesystem::create_directory(prm); // nothing can be renamed over a folder
    p.Edit12->setText("_y");
    s.Click(p.BitBtn18);
    EXPECT_EQ("Is a directory", s.LastShown());
    EXPECT_TRUE(p.CheckBox4->isChecked());
    EXPECT_EQ("_y", p.Edit12->text().toStdString());
    std::filesystem::remove(prm); // lets the window close
}

TEST(ParamsPage, ShowingThePageFollowsTheVisiblePanelAndMrd) {
    ParamsPage s;
    ParametersPage& p = *s.page;
    s.form->show();
    s.form->pages->setCurrentIndex(2);
    EXPECT_EQ(0, p.ListBox1->currentRow());
    p.ListBox1->clearSelection();
    QTest::mouseClick(p.ListBox1->viewport(), Qt::LeftButton, {}, QPoint(4, p.ListBox1->viewport()->height() - 2));
    EXPECT_FALSE(p.Panel11->isHidden()) << "a click with no selection shows the integration panel";
    EXPECT_TRUE(p.Panel8->isHidden());

    s.prog.params.PrmSet(prmMRD, "$Q", false);
    s.form->pages->setCurrentIndex(0);
    s.form->pages->setCurrentIndex(2);
    EXPECT_EQ(2, p.ListBox1->currentRow());
    EXPECT_EQ("$Q", p.Edit11->text().toStdString());
    p.ShowCategory(1);
    EXPECT_FALSE(p.Panel9->isHidden());

    // A folder chosen but not saved outlives the window being minimised or hidden.
    s.prog.dialogs.folderAnswers.push_back(s.prog.dir.path());
    p.RadioButton8->click();
    s.Click(p.Button1);
    s.form->showMinimized();
    s.form->showNormal();
    s.form->hide();
    s.form->show();
    EXPECT_EQ(s.prog.dir.path(), p.Edit11->text().toStdString());
}

TEST(ParamsPage, LanguageAppliedAtOnceReachesTheWholeWindow) {
    ParamsPage s;
    ParametersPage& p = *s.page;
    const std::size_t before = s.prog.dialogs.shown.size();
    p.ComboBox8->setCurrentIndex(2);
    s.Click(p.Button5);
    EXPECT_EQ(before, s.prog.dialogs.shown.size());
    EXPECT_EQ("Apply now", p.Button5->text().toStdString());
    EXPECT_EQ("Processing", p.Label56->text().toStdString());
    EXPECT_EQ("Quit", s.form->quitButton->text().toStdString());

    p.ComboBox8->setCurrentIndex(0);
    s.Click(p.Button5);
    EXPECT_EQ("Ce choix sera pris en compte au prochain d\xE9marrage de Lumivex.", s.LastShown());
    EXPECT_EQ("Quit", s.form->quitButton->text().toStdString());
}

TEST(ParamsPage, ShortcutButtonsReportTheirOutcome) {
    test::FakeHome home;
    ParamsPage s;
    s.Click(s.page->Button4);
    EXPECT_EQ("Le raccourcis n'a pas pu \xEAtre cr\xE9\xE9.\nNo such file or directory", s.LastShown())
        << "no desktop folder, and why";
    s.Click(s.page->Button3);
    EXPECT_EQ(" de l'explorateur de fichiers", s.LastShown().substr(s.LastShown().size() - 29));
    const std::string name = ChangeFileExt(ExtractFileName(ExecutablePath()), ".desktop");
    EXPECT_TRUE(test::Exists(home.dir.file(".local/share/applications/" + name)));
}

} // namespace
} // namespace lmx
