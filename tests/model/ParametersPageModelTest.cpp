#include "model/ParametersPageModel.h"

#include "env/LangTexts.h"
#include "env/Params.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace lmx {
namespace {

using test::CrLf;
using test::Exists;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

const std::string kFrancais = "Fran\xE7" "ais";

class PrmPageTest : public ::testing::Test {
protected:
    PrmPageTest() : page(prm, lang, lngFile) {
        prm.ProgramDir = dir.path();
        prm.PrmFileName = dir.file("Lumivex.prm");
    }
    // Results beside the source, the source's extension, nothing added, nothing done after.
    ParametersPageValues Plain() {
        prm.settings.addedText = "";
        return page.FromParams({"English"});
    }

    TempDir dir;
    std::string lngFile = dir.file("Lumivex.lng");
    LangTexts lang;
    Params prm;
    ParametersPageModel page;
};

TEST_F(PrmPageTest, ShowingTheParametersFollowsEachSlot) {
    Settings& s = prm.settings;
    s.badLine = BadLineRule::Unset;
    s.resultFolder = "/data/out/";
    s.resultExtension = ".csv";
    s.renameText = "_done";
    s.disposal = sdTrash;
    s.log = LogDetail::ExtendedOther;
    s.language = "English";
    const ParametersPageValues v = page.FromParams({"Deutsch", "English"});
    EXPECT_FALSE(v.erlEnabled);
    EXPECT_FALSE(v.rejectLine || v.stopRun);
    EXPECT_TRUE(v.dirNew);
    EXPECT_EQ(v.dir, "/data/out/");
    EXPECT_TRUE(v.addText);
    EXPECT_EQ(v.text, "_conv");
    EXPECT_TRUE(v.newExt);
    EXPECT_EQ(v.ext, ".csv");
    EXPECT_EQ(v.after, arTrash) << "a disposal hides the renaming";
    EXPECT_EQ(v.renameText, "_done");
    EXPECT_FALSE(v.logSimple || v.logExtended);
    EXPECT_EQ(v.languages, (std::vector<std::string>{kFrancais, "Deutsch", "English"}));
    EXPECT_EQ(v.language, 0) << "the first item, whatever LNG holds";

    prm.Defaults();
    const ParametersPageValues d = page.FromParams({});
    EXPECT_TRUE(d.erlEnabled && d.rejectLine && !d.stopRun);
    EXPECT_FALSE(d.dirNew);
    EXPECT_EQ(d.dir, "");
    EXPECT_FALSE(d.newExt);
    EXPECT_EQ(d.after, arNothing);
    EXPECT_TRUE(d.logExtended && !d.logSimple);
    EXPECT_FALSE(DirEditOn(d) || ExtEditOn(d) || RenameEditOn(d));
    EXPECT_TRUE(TextEditOn(d));
}

TEST_F(PrmPageTest, CategoriesAndPanels) {
    EXPECT_EQ(page.Categories(), (std::vector<std::string>{"Traitement", "Environnement", "Integration"}));
    EXPECT_EQ(ParametersPageModel::PanelForRow(1), ppEnvironment);
    EXPECT_EQ(ParametersPageModel::PanelForRow(-1), ppIntegration) << "a click with no selection";
    EXPECT_EQ(ParametersPageModel::RowForPanel(false, true), 2);
}

TEST_F(PrmPageTest, ResultBesideItsSourceNeedsAnotherName) {
    ParametersPageValues v = Plain();
    const auto refused = page.Save(v);
    EXPECT_EQ(refused.label, "") << "no line explains this refusal";
    EXPECT_EQ(refused.message.Text(), "D\xE9" "finition invalide, Pas de sauvegarde");
    EXPECT_FALSE(refused.stored || Exists(prm.PrmFileName));

    v.addText = true; // but empty: information only
    v.newExt = true;
    v.ext = "csv";
    const auto r = page.Save(v);
    EXPECT_EQ(r.label, "Info... : Aucune valeur ne sera ajout\xE9" "e avant l'extention...\r\n");
    EXPECT_EQ(v.ext, ".csv");
    EXPECT_TRUE(r.written);
    EXPECT_EQ(r.message.Text(), lang.Text(LK::hnt_UpdateOk));
    EXPECT_NE(ReadFile(prm.PrmFileName).find("\r\nMRD=$Q\r\nDDO=\r\nEXT=.csv\r\n"), std::string::npos);
}

TEST_F(PrmPageTest, RefusalsListTheirLinesAndStoreNothing) {
    ParametersPageValues v = Plain();
    v.dirNew = true;
    v.dir = dir.file("removed/");
    v.newExt = true;
    v.after = arRename;
    v.renameText = "0";
    const auto r = page.Save(v);
    EXPECT_EQ(r.label, "Erreur  : Le r\xE9pertoire \"" + v.dir + "\" n'est pas un r\xE9pertoire valide\r\n"
                       "Erreur  : Une nouvelle extention doit \xEAtre saisie.\r\n"
                       "Erreur  : La valeur choisie pour renomer le fichier source n'est pas valide.\r\n");
    EXPECT_FALSE(r.stored);
    EXPECT_EQ(prm.settings.resultFolder, std::nullopt) << "nothing stored";

    v.renameText = "";
    EXPECT_NE(page.Save(v).label.find("renomer"), std::string::npos) << "an empty renaming text too";
}

TEST_F(PrmPageTest, AFullSaveStoresEveryChoice) {
    prm.settings.language = "English";
    ParametersPageValues v = Plain();
    v.rejectLine = false;
    v.stopRun = true;
    v.dirNew = true;
    v.dir = dir.path();
    v.ext = "txt"; // the source's extension is kept, but the dot is still put in front
    v.after = arRename;
    v.renameText = "_done";
    v.logExtended = false;
    v.logSimple = true;
    v.encoding = 1;
    v.eolLf = true;
    ASSERT_TRUE(page.Save(v).written);
    EXPECT_EQ(v.ext, ".txt");
    Settings wanted;
    wanted.badLine = BadLineRule::Stop;
    wanted.resultFolder = dir.path();
    wanted.addedText = "";
    wanted.renameText = "_done";
    wanted.log = LogDetail::Simple;
    wanted.language = "English"; // Fran\xE7ais selected leaves LNG alone
    wanted.encoding = DataEncoding::Utf8;
    wanted.lfOnly = true;
    EXPECT_EQ(prm.settings, wanted);
    const ParametersPageValues shown = page.FromParams({});
    EXPECT_EQ(shown.encoding, 1);
    EXPECT_TRUE(shown.eolLf);

    v.after = arDelete;
    v.erlEnabled = v.rejectLine = v.stopRun = false;
    prm.settings.badLine = BadLineRule::Unset;
    ASSERT_TRUE(page.Save(v).written);
    EXPECT_EQ(prm.settings.badLine, BadLineRule::Unset) << "ERL without a button is left alone";
    EXPECT_EQ(prm.settings.renameText, std::nullopt);
    EXPECT_EQ(prm.settings.disposal, sdDelete);
}

TEST_F(PrmPageTest, AFailedWriteGivesTheSystemsReasonNotTheUpdateMessage) {
    prm.PrmFileName = dir.file("missing/Lumivex.prm");
    ParametersPageValues v = Plain();
    v.addText = true;
    v.text = "_x";
    const auto r = page.Save(v);
    EXPECT_TRUE(r.stored);
    EXPECT_FALSE(r.written);
    EXPECT_EQ(r.message.Text(), "No such file or directory");
    EXPECT_EQ(prm.settings.addedText, "_x") << "kept in memory for the next write";
}

TEST_F(PrmPageTest, LanguageAppliedAtOnce) {
    WriteFile(lngFile, CrLf({"[English]", "btn_exit=Quit", "[Empty]"}));
    ParametersPageValues v = page.FromParams({"Empty", "English", "Klingon"});

    v.language = -1;
    EXPECT_EQ(page.ApplyLanguage(v).message, "Commencer par s\xE9lectionner une langue \xE0 charger");

    v.language = 2;
    const auto en = page.ApplyLanguage(v);
    EXPECT_TRUE(en.apply);
    EXPECT_EQ(en.message, "");
    EXPECT_EQ(lang.Text(LK::btn_exit), "Quit");
    EXPECT_EQ(prm.settings.language, "English");

    for (int failing : {1, 3}) {
        v.language = failing;
        const auto r = page.ApplyLanguage(v);
        EXPECT_FALSE(r.apply);
        EXPECT_EQ(r.message, "Impossible de charger la langue demand\xE9" "e\rThe requested langage couldn't be loaded.");
        EXPECT_EQ(prm.settings.language, v.languages[static_cast<std::size_t>(failing)]) << "keeps the failed name";
    }

    v.language = 0;
    const auto fr = page.ApplyLanguage(v);
    EXPECT_FALSE(fr.apply);
    EXPECT_EQ(fr.message, "Ce choix sera pris en compte au prochain d\xE9marrage de Lumivex.");
    EXPECT_EQ(prm.settings.language, kFrancais);
    EXPECT_EQ(lang.Text(LK::btn_exit), "Quit") << "French texts only at the next start";
    EXPECT_FALSE(Exists(prm.PrmFileName)) << "nothing written";
}

TEST_F(PrmPageTest, ShortcutMessages) {
    const std::string done = "Un raccourcis vers Lumivex a \xE9t\xE9 ajout\xE9";
    EXPECT_EQ(page.ShortcutMessage(spStartMenu, true), done + " dans le menu \"D\xE9marrer\".");
    EXPECT_EQ(page.ShortcutMessage(spDesktop, true), done + " sur votre bureau.");
    EXPECT_EQ(page.ShortcutMessage(spSendTo, true),
              done + " \xE0 l'entr\xE9" "e \"envoyer vers...\" de l'explorateur de fichiers");
    EXPECT_EQ(page.ShortcutMessage(spDesktop, false), "Le raccourcis n'a pas pu \xEAtre cr\xE9\xE9.");
}

} // namespace
} // namespace lmx
