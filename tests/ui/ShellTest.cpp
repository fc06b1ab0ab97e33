// The window's frame, captions and about box.
#include "core/ColumnDraft.h"
#include "core/Log.h"
#include "env/LangTexts.h"
#include "support/TestSupport.h"
#include "ui/AboutBox.h"
#include "ui/Dialogs.h"
#include "ui/Application.h"
#include "ui/ParametersPage.h"
#include "ui/MainWindow.h"
#include "ui/QtBridge.h"
#include "UiFixture.h"
#include "common/Basics.h"

#include <QTimer>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace lmx {
namespace {

using test::CrLf;
using test::WriteFile;

struct Shell {
    test::Program prog;
    WindowContext& ctx = prog.ctx;
    LangTexts& lang = prog.lang;
};

QString TextOf(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    return QStringLiteral("<none>");
}

TEST(Shell, EveryConversionPageControlCarriesItsName) {
    Shell s;
    MainWindow form(s.ctx);
    EXPECT_EQ(785, form.width());
    EXPECT_EQ(554, form.height());
    EXPECT_EQ("Lumivex", form.windowTitle().toStdString());
    for (const char* name :
         {"Image1", "BitBtn14", "BitBtn5", "PageControl1", "TabSheet1", "TabSheet2", "TabSheet3", "StatusBar1",
          "GroupBox1", "Panel1", "Label15", "BitBtn3", "Label1", "Edit1", "Label2", "ComboBox1", "Label3",
          "StringGrid1", "BitBtn1", "BitBtn2", "GroupBox6", "Label34", "Label35", "Label24", "Label36", "Label25",
          "Label37", "Label26", "Label38", "GroupBox4", "Label17", "Label40", "Label18", "Label41", "Label19",
          "Label42", "Label20", "Label43", "Label39", "Label23", "Label44", "Label21", "Label45", "Label22",
          "Label46", "PageControl2", "TabSheet4", "GroupBox2", "Panel2", "Label16", "BitBtn4", "Label4", "Edit2",
          "Label5", "ComboBox2", "Label6", "StringGrid2", "TabSheet5", "StringGrid4", "Label31", "Label32",
          "Label33", "TabSheet6", "Memo1", "BitBtn12", "BitBtn13", "BitBtn11", "BitBtn10"}) {
        EXPECT_NE(nullptr, form.findChild<QWidget*>(name)) << name;
    }
    EXPECT_FALSE(form.findChild<QWidget*>("BitBtn4")->isEnabled()) << "Changer waits for a source";
}

TEST(Shell, StatusBarIsBuiltOnFirstShowWithItsPanelsAndBars) {
    Shell s;
    MainWindow form(s.ctx);
    EXPECT_FALSE(form.StatusBarBuilt());
    form.SetStatusText("ignored before the panels exist");
    form.show();
    ASSERT_TRUE(form.StatusBarBuilt());
    EXPECT_EQ("Global : ", form.StatusText(0).toStdString());
    EXPECT_EQ("Unitaire : ", form.StatusText(2).toStdString());
    EXPECT_EQ("(Attente...)", form.StatusText(4).toStdString());
    QWidget* p1 = form.findChild<QWidget*>("StatusBar1Panel1");
    QWidget* p3 = form.findChild<QWidget*>("StatusBar1Panel3");
    ASSERT_NE(nullptr, p1);
    ASSERT_NE(nullptr, p3);
    EXPECT_EQ(250, p1->width());
    EXPECT_EQ(150, p3->width());
    auto* bar1 = form.findChild<QProgressBar*>("ProgressBar1");
    auto* bar2 = form.findChild<QProgressBar*>("ProgressBar2");
    ASSERT_NE(nullptr, bar1);
    ASSERT_NE(nullptr, bar2);
    EXPECT_EQ(p1, bar1->parentWidget());
    EXPECT_TRUE(bar1->isVisible() && bar2->isVisible()) << "made in panels already on screen";
    EXPECT_EQ(248, bar1->width());
    EXPECT_EQ(148, bar2->width());
    EXPECT_EQ(100, bar1->maximum());

    form.pages->setCurrentIndex(2);
    EXPECT_EQ("Param\xC3\xA8tres et options", form.StatusText(4).toStdString());
    form.pages->setCurrentIndex(0);
    EXPECT_EQ("Principal", form.StatusText(4).toStdString());
}

TEST(Retranslate, RestoresEveryCaptionAndPageTitle) {
    Shell s;
    MainWindow form(s.ctx);
    const char* names[] = {"BitBtn5", "BitBtn14", "Label31", "Label4", "GroupBox1", "Label3", "Label26"};
    for (const char* n : names) {
        QWidget* w = form.findChild<QWidget*>(n);
        if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText("x");
        if (auto* l = qobject_cast<QLabel*>(w)) l->setText("x");
        if (auto* g = qobject_cast<QGroupBox*>(w)) g->setTitle("x");
    }
    form.pages->setTabText(2, "x");
    auto* lower = form.findChild<QTabWidget*>("PageControl2");
    lower->setTabText(1, "x");
    form.Retranslate();
    EXPECT_EQ("Quitter", test::Caption(TextOf(form.findChild<QWidget*>("BitBtn5"))));
    EXPECT_EQ("A propos...", test::Caption(TextOf(form.findChild<QWidget*>("BitBtn14"))));
    EXPECT_EQ("Lignes rejett\xC3\xA9" "es", TextOf(form.findChild<QWidget*>("Label31")).toStdString());
    EXPECT_EQ("Fichier de r\xC3\xA9sultats : ", test::Caption(TextOf(form.findChild<QWidget*>("Label4"))));
    EXPECT_EQ(" Entr\xC3\xA9" "e : ", TextOf(form.findChild<QWidget*>("GroupBox1")).toStdString());
    EXPECT_EQ("Lignes ecrites : ", TextOf(form.findChild<QWidget*>("Label26")).toStdString());
    EXPECT_EQ("Param\xC3\xA8tres et options", test::Caption(form.pages->tabText(2)));
    EXPECT_EQ("Lignes rejett\xC3\xA9" "es", test::Caption(lower->tabText(1)));
}

TEST(AboutBox, NoticeRotatesBackToItselfAndOkCloses) {
    AboutBox box;
    box.show();
    QApplication::processEvents();
    const QString notice = AboutBox::Notice();
    EXPECT_TRUE(notice.endsWith(QString(9, ' ')));
    EXPECT_TRUE(notice.contains(QString(6, ' ') + "Auteur : "));
    EXPECT_EQ(notice, box.noticeLabel->text());
    EXPECT_EQ(100, box.noticeTimer->interval());
    EXPECT_TRUE(box.noticeTimer->isActive());
    EXPECT_EQ(QString::fromStdString(ProgramVersion()), box.ProductName->text());
    box.onNoticeTick();
    EXPECT_EQ(notice.mid(1) + notice.at(0), box.noticeLabel->text());
    for (int i = 1; i < notice.size(); ++i) box.onNoticeTick();
    EXPECT_EQ(notice, box.noticeLabel->text());
    QTest::mouseClick(box.okLabel, Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());
    EXPECT_FALSE(box.noticeTimer->isActive());
}

TEST(AboutBox, EscapePressAndReleaseCloseOnce) {
    AboutBox box;
    int finished = 0;
    QObject::connect(&box, &QDialog::finished, [&] { ++finished; });
    box.show();
    QApplication::processEvents();
    QTest::keyPress(&box, Qt::Key_Escape);
    QTest::keyRelease(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(1, finished);
}

} // namespace
} // namespace lmx

namespace lmx {
namespace {

TEST(Shell, MainButtonsLightUpUnderTheMouseUntilThePageIsCrossed) {
    Shell s;
    MainWindow form(s.ctx);
    form.show();
    auto* convert = form.findChild<QAbstractButton*>("BitBtn1");
    auto* quit = form.findChild<QAbstractButton*>("BitBtn5");
    ASSERT_NE(nullptr, convert);
    const QColor normal = convert->palette().color(QPalette::ButtonText);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(convert, &move);
    QCoreApplication::sendEvent(quit, &move);
    EXPECT_EQ(QColor(Qt::blue), convert->palette().color(QPalette::ButtonText));
    EXPECT_EQ(QColor(Qt::blue), quit->palette().color(QPalette::ButtonText));
    QCoreApplication::sendEvent(form.pages, &move);
    EXPECT_EQ(normal, convert->palette().color(QPalette::ButtonText));
    EXPECT_EQ(normal, quit->palette().color(QPalette::ButtonText));

    // Lit, then disabled (a run starts): the caption looks disabled.
    QCoreApplication::sendEvent(convert, &move);
    convert->setEnabled(false);
    EXPECT_EQ(QApplication::palette().color(QPalette::Disabled, QPalette::ButtonText),
              convert->palette().color(QPalette::Disabled, QPalette::ButtonText));
}

TEST(Shell, TitlesAreTheWindowsOwnAndTheToolkitSpeaksTheProgramsLanguage) {
    // No display name: the toolkit would append it to every window's and dialog's title.
    const QString before = QCoreApplication::applicationName();
    NameApplication();
    EXPECT_EQ("Quendrafil (stocks datas)", QCoreApplication::applicationName().toStdString());
    QCoreApplication::setApplicationName("probe");
    EXPECT_EQ("probe", QGuiApplication::applicationDisplayName().toStdString());
    QCoreApplication::setApplicationName(before);

    Shell s;
    WriteFile(s.prog.path("Lumivex.lng"), CrLf({"[English]", "btn_exit=Quit"}));
    {
        MainWindow form(s.ctx);
        EXPECT_EQ("Lumivex", form.windowTitle().toStdString());
        EXPECT_EQ("Annuler", QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString());
        EXPECT_EQ("Voir dans :", QCoreApplication::translate("QFileDialog", "Look in:").toStdString());
        // A language applied at once brings the toolkit's texts along.
        form.parametersPage->languageBox->setCurrentIndex(1);
        form.parametersPage->onApplyLanguageClicked();
        EXPECT_EQ("Quit", test::Caption(form.quitButton->text()));
        EXPECT_EQ("Cancel", QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString());
    }
    EXPECT_EQ("Cancel", QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString()) << "removed with the window";
}

TEST(Shell, TheLanguageFileIsNamedAfterTheProgramFile) {
    Shell s;
    s.ctx.ProgramFile = s.prog.path("Quotes");
    WriteFile(s.prog.path("Lumivex.lng"), CrLf({"[English]", "btn_exit=Not this one"}));
    WriteFile(s.prog.path("Quotes.lng"), CrLf({"[English]", "btn_exit=Quit"}));
    s.prog.session.SetProgramDir(s.prog.dir.path());
    s.prog.params.Defaults();
    s.prog.params.settings.language = "English";
    ASSERT_TRUE(s.prog.params.Save().Ok());
    MainWindow form(s.ctx);
    EXPECT_EQ(s.prog.path("Quotes.lng"), s.prog.session.LngFileName);
    EXPECT_EQ("Quit", test::Caption(form.quitButton->text()));
}

} // namespace
} // namespace lmx
