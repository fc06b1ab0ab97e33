// The parameters page's wiring: its controls reach the page's model, the parameters file, the
// folder chooser, the captions of the whole window and the shortcuts.
#include "UiFixture.h"

#include "common/Basics.h"
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
    EXPECT_EQ("Environnement", p.categoryList->item(1)->text().toStdString());
    ASSERT_EQ(3, p.languageBox->count());
    EXPECT_EQ("Deutsch", p.languageBox->itemText(1).toStdString());
    EXPECT_FALSE(p.languageBox->isEditable());
    EXPECT_TRUE(!p.processingPanel->isHidden() && p.environmentPanel->isHidden() && p.integrationPanel->isHidden());
    EXPECT_FALSE(p.datesGroup->isEnabled() || p.historyGroup->isEnabled());
    EXPECT_TRUE(p.sameDirRadio->isChecked() && p.keepRadio->isChecked() && p.addTextBox->isChecked());
}

TEST(ParamsPage, EachOptionColoursItsEdit) {
    ParamsPage s;
    ParametersPage& p = *s.page;
    EXPECT_FALSE(EditOn(p.dirEdit) || p.dirButton->isEnabled());
    p.otherDirRadio->click();
    EXPECT_TRUE(EditOn(p.dirEdit) && p.dirButton->isEnabled());
    QTest::keyClicks(p.dirEdit, "typed");
    EXPECT_EQ("", p.dirEdit->text().toStdString()) << "only the folder chooser fills it";
    EXPECT_TRUE(EditOn(p.addTextEdit));
    p.addTextBox->click();
    EXPECT_FALSE(EditOn(p.addTextEdit));
    EXPECT_EQ("_conv", p.addTextEdit->text().toStdString()) << "the text stays";
    p.newExtRadio->click();
    EXPECT_TRUE(EditOn(p.extEdit));
    p.renameRadio->click();
    EXPECT_TRUE(EditOn(p.renameEdit));
    p.deleteRadio->click();
    EXPECT_FALSE(EditOn(p.renameEdit));
}

TEST(ParamsPage, RefusedSaveShowsItsLinesAndWritesNothing) {
    ParamsPage s;
    ParametersPage& p = *s.page;
    const std::string before = ReadFile(s.prog.path("Lumivex.prm"));
    p.addTextBox->click();
    p.renameRadio->click();
    p.renameEdit->setText("0");
    s.Click(p.saveButton);
    EXPECT_EQ("D\xE9" "finition invalide, Pas de sauvegarde", s.LastShown());
    EXPECT_EQ("Erreur  : La valeur choisie pour renomer le fichier source n'est pas valide.\n",
              p.resultLabel->text().toStdString());
    EXPECT_EQ(before, ReadFile(s.prog.path("Lumivex.prm")));
}

TEST(ParamsPage, SaveRewritesTheParametersFile) {
    ParamsPage s;
    ParametersPage& p = *s.page;
    const std::string out = s.prog.path("results");
    std::filesystem::create_directory(out);
    s.prog.dialogs.folderAnswers.push_back(out);
    p.stopRunRadio->click();
    p.otherDirRadio->click();
    s.Click(p.dirButton);
    EXPECT_EQ(out + "/", p.dirEdit->text().toStdString());
    p.addTextEdit->setText("_x");
    p.newExtRadio->click();
    p.extEdit->setText("csv");
    p.renameRadio->click();
    p.renameEdit->setText("_done");
    p.simpleLogRadio->click();
    p.languageBox->setCurrentIndex(2);
    p.encodingBox->setCurrentIndex(1);
    p.lineEndBox->setCurrentIndex(1);
    s.Click(p.saveButton);
    EXPECT_EQ("La mise \xE0 jour effectu\xE9" "e ; Elle sera prise en compte au PROCHAIN d\xE9marrage du programme.",
              s.LastShown());
    EXPECT_EQ("", p.resultLabel->text().toStdString());
    EXPECT_EQ(".csv", p.extEdit->text().toStdString());
    EXPECT_EQ(FileBanner(bkParameters) + "\r\n" +
                  CrLf({"[P]", "CTB=CTB", "LNG=English", "MRS=$Q", "F_S=$L", "MRD=" + out + "/", "DDO=_x",
                        "EXT=.csv", "BIS=$Q", "SCM=0", "SDL=0", "SRN=_done", "ERL=2", "MRI=", "MRO=", "CPD=20",
                        "CPE=19", "DTY=$Q", "LGT=$00B7C9A7", "LGF=$00494248", "LOG=0", "ENC=UTF-8", "EOL=LF", "[/]"}),
              ReadFile(s.prog.path("Lumivex.prm")));
}

TEST(ParamsPage, FailedWriteShowsTheSystemsReasonAndKeepsTheControls) {
    ParamsPage s;
    ParametersPage& p = *s.page;
    const std::string prm = s.prog.path("Lumivex.prm");
    std::filesystem::remove(prm);
    std::filesystem::create_directory(prm); // nothing can be renamed over a folder
    p.addTextEdit->setText("_y");
    s.Click(p.saveButton);
    EXPECT_EQ("Is a directory", s.LastShown());
    EXPECT_TRUE(p.addTextBox->isChecked());
    EXPECT_EQ("_y", p.addTextEdit->text().toStdString());
    std::filesystem::remove(prm); // lets the window close
}

TEST(ParamsPage, ShowingThePageFollowsTheVisiblePanelAndMrd) {
    ParamsPage s;
    ParametersPage& p = *s.page;
    s.form->show();
    s.form->pages->setCurrentIndex(2);
    EXPECT_EQ(0, p.categoryList->currentRow());
    p.categoryList->clearSelection();
    QTest::mouseClick(p.categoryList->viewport(), Qt::LeftButton, {}, QPoint(4, p.categoryList->viewport()->height() - 2));
    EXPECT_FALSE(p.integrationPanel->isHidden()) << "a click with no selection shows the integration panel";
    EXPECT_TRUE(p.processingPanel->isHidden());

    s.prog.params.settings.resultFolder = std::nullopt;
    s.form->pages->setCurrentIndex(0);
    s.form->pages->setCurrentIndex(2);
    EXPECT_EQ(2, p.categoryList->currentRow());
    EXPECT_EQ("$Q", p.dirEdit->text().toStdString());
    p.ShowCategory(1);
    EXPECT_FALSE(p.environmentPanel->isHidden());

    // A folder chosen but not saved outlives the window being minimised or hidden.
    s.prog.dialogs.folderAnswers.push_back(s.prog.dir.path());
    p.otherDirRadio->click();
    s.Click(p.dirButton);
    s.form->showMinimized();
    s.form->showNormal();
    s.form->hide();
    s.form->show();
    EXPECT_EQ(s.prog.dir.path(), p.dirEdit->text().toStdString());
}

TEST(ParamsPage, LanguageAppliedAtOnceReachesTheWholeWindow) {
    ParamsPage s;
    ParametersPage& p = *s.page;
    const std::size_t before = s.prog.dialogs.shown.size();
    p.languageBox->setCurrentIndex(2);
    s.Click(p.applyLanguageButton);
    EXPECT_EQ(before, s.prog.dialogs.shown.size());
    EXPECT_EQ("Apply now", test::Caption(p.applyLanguageButton->text()));
    EXPECT_EQ("Processing", p.processingTitle->text().toStdString());
    EXPECT_EQ("Quit", test::Caption(s.form->quitButton->text()));

    p.languageBox->setCurrentIndex(0);
    s.Click(p.applyLanguageButton);
    EXPECT_EQ("Ce choix sera pris en compte au prochain d\xE9marrage de Lumivex.", s.LastShown());
    EXPECT_EQ("Quit", test::Caption(s.form->quitButton->text()));
}

TEST(ParamsPage, ShortcutButtonsReportTheirOutcome) {
    test::FakeHome home;
    ParamsPage s;
    s.Click(s.page->desktopButton);
    EXPECT_EQ("Le raccourcis n'a pas pu \xEAtre cr\xE9\xE9.\nNo such file or directory", s.LastShown())
        << "no desktop folder, and why";
    s.Click(s.page->openWithButton);
    EXPECT_EQ(" de l'explorateur de fichiers", s.LastShown().substr(s.LastShown().size() - 29));
    const std::string name = ChangeFileExt(ExtractFileName(ExecutablePath()), ".desktop");
    EXPECT_TRUE(test::Exists(home.dir.file(".local/share/applications/" + name)));
}

} // namespace
} // namespace lmx
