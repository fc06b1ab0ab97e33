// The window's frame, captions and about box.
#include "UiFixture.h"
#include "common/Basics.h"
#include "core/ColumnDraft.h"
#include "core/Log.h"
#include "env/LangTexts.h"
#include "support/TestSupport.h"
#include "ui/AboutBox.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/FormatNameDialog.h"
#include "ui/MainWindow.h"
#include "ui/ParametersPage.h"
#include "ui/QtBridge.h"

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

#include <regex>

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

// Every object name of ui/ObjectNames.h names a control of its window: the main window once on
// screen (the status bar's panels come with the first show), the format name dialog, the about box.
TEST(Shell, EveryObjectNameIsAControlOfItsWindow) {
    Shell s;
    MainWindow form(s.ctx);
    EXPECT_EQ(QSize(785, 554), form.size());
    EXPECT_EQ("Lumivex", form.windowTitle().toStdString());
    EXPECT_FALSE(form.findChild<QWidget*>(names::kChangeButton)->isEnabled()) << "Changer waits for a source";
    form.show();
    FormatNameDialog nameDialog(s.prog.session.editor, s.prog.formats, s.lang, s.prog.dialogs);
    AboutBox about;
    const std::string header = test::ReadFile(std::string(LUMIVEX_SOURCE_DIR) + "/ui/ObjectNames.h");
    const std::size_t dialog = header.find("// The format name dialog."),
                      box = header.find("// The about box.");
    ASSERT_TRUE(dialog < box && box != std::string::npos);
    const std::pair<QWidget*, std::string> windows[] = {{&form, header.substr(0, dialog)},
                                                        {&nameDialog, header.substr(dialog, box - dialog)},
                                                        {&about, header.substr(box)}};
    static const std::regex kName(R"re(constexpr char (\w+)\[\] = "(\w+)";)re");
    std::size_t count = 0;
    for (const auto& [window, names] : windows) {
        for (std::sregex_iterator i(names.begin(), names.end(), kName), end; i != end; ++i, ++count) {
            const QString name = QString::fromStdString((*i)[2]);
            EXPECT_TRUE(window->objectName() == name || window->findChild<QObject*>(name)) << (*i)[1];
        }
    }
    EXPECT_GT(count, 200u);
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
    QWidget* p1 = form.findChild<QWidget*>(names::kRunBarPanel);
    QWidget* p3 = form.findChild<QWidget*>(names::kFileBarPanel);
    ASSERT_TRUE(p1 && p3);
    EXPECT_EQ(250, p1->width());
    EXPECT_EQ(150, p3->width());
    auto* bar1 = form.findChild<QProgressBar*>(names::kRunBar);
    auto* bar2 = form.findChild<QProgressBar*>(names::kFileBar);
    ASSERT_TRUE(bar1 && bar2);
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
    const char* controls[] = {names::kQuitButton,     names::kAboutButton, names::kRejectsTitle,
                              names::kOutNameCaption, names::kInputGroup,  names::kInputPreviewCaption,
                              names::kWrittenCaption};
    for (const char* n : controls) {
        QWidget* w = form.findChild<QWidget*>(n);
        if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText("x");
        if (auto* l = qobject_cast<QLabel*>(w)) l->setText("x");
        if (auto* g = qobject_cast<QGroupBox*>(w)) g->setTitle("x");
    }
    form.pages->setTabText(2, "x");
    auto* lower = form.findChild<QTabWidget*>(names::kResultViews);
    lower->setTabText(1, "x");
    form.Retranslate();
    EXPECT_EQ("Quitter", test::Caption(TextOf(form.findChild<QWidget*>(names::kQuitButton))));
    EXPECT_EQ("A propos...", test::Caption(TextOf(form.findChild<QWidget*>(names::kAboutButton))));
    EXPECT_EQ("Lignes rejett\xC3\xA9"
              "es",
              TextOf(form.findChild<QWidget*>(names::kRejectsTitle)).toStdString());
    EXPECT_EQ("Fichier de r\xC3\xA9sultats : ",
              test::Caption(TextOf(form.findChild<QWidget*>(names::kOutNameCaption))));
    EXPECT_EQ(" Entr\xC3\xA9"
              "e : ",
              TextOf(form.findChild<QWidget*>(names::kInputGroup)).toStdString());
    EXPECT_EQ("Lignes ecrites : ", TextOf(form.findChild<QWidget*>(names::kWrittenCaption)).toStdString());
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
    auto* convert = form.findChild<QAbstractButton*>(names::kConvertButton);
    auto* quit = form.findChild<QAbstractButton*>(names::kQuitButton);
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
