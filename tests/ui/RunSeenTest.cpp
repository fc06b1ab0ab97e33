// A run as the person at the window sees it: the files of the command line converted once the window
// is painted, both bars moving, "Annuler" heard whatever the sizes of the files, accented paths read
// right, the counters' font kept.
#include "UiFixture.h"

#include "ui/MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace lmx {
namespace {

using test::Click;
using test::CrLf;
using test::WriteFile;

TEST(CommandLine, FilesAreConvertedOnceTheWindowIsPainted) {
    test::Program p;
    test::PrepareInOut(p);
    WriteFile(p.path("b.txt"), CrLf({"2;y"}));
    WriteFile(p.path("a.txt"), CrLf({"1;x"}));
    WriteFile(p.path("empty.txt"), "");
    auto form = p.Open({p.path("b.txt"), p.path("empty.txt"), p.path("a.txt")});
    test::PaintCounter counter;
    form->centralWidget()->installEventFilter(&counter);
    std::vector<int> paintsAtMessages;
    p.dialogs.onMessage = [&](const QString&) { paintsAtMessages.push_back(counter.paints); };
    form->show();
    EXPECT_TRUE(p.dialogs.shown.empty()) << "nothing happens before the window is on screen";
    test::WaitForCommandLineRun(*form);
    ASSERT_EQ(2u, p.dialogs.shown.size());
    EXPECT_EQ("Le fichier empty.txt est vide et ne sera donc pas converti.", p.dialogs.shown[0]);
    EXPECT_EQ("Conversion termin\xE9" "e", p.dialogs.shown[1]);
    EXPECT_GT(paintsAtMessages.at(0), 0) << "the window was painted before the first message";
    EXPECT_EQ((std::vector<std::string>{"Param(FilesToConv.) : 2", " " + p.path("a.txt"), " " + p.path("b.txt")}),
              p.LogFrom("Param(FilesToConv.)", 3));
    EXPECT_EQ("x;1\r\ny;2\r\n", test::ReadFile(p.path("a_conv.txt")));
    EXPECT_FALSE(p.LogFrom("Start Auto ... ", 1).empty());
}

TEST(CommandLine, OnlyAnEmptyFileStillRunsAndReportsTheMissingSource) {
    test::Program p;
    test::PrepareInOut(p);
    WriteFile(p.path("empty.txt"), "");
    auto form = p.Open({p.path("empty.txt")});
    form->show();
    test::WaitForCommandLineRun(*form);
    ASSERT_EQ(2u, p.dialogs.shown.size());
    EXPECT_EQ("Il faut commencer par choisir un fichier \xE0 convertir.", p.dialogs.shown[1]);
    EXPECT_EQ("Param(FilesToConv.) : 0", p.LogFrom("Param(FilesToConv.)", 1).at(0));
}

TEST(RunSeen, BothBarsShowAndMoveDuringALargeRun) {
    test::Program p;
    test::PrepareInOut(p);
    std::string big;
    for (int i = 0; i < 1'500'000; ++i) big += "1,5;abcdef\r\n";
    WriteFile(p.path("a.txt"), big);
    WriteFile(p.path("b.txt"), big);
    auto form = p.OpenWith({p.path("a.txt"), p.path("b.txt")});
    auto* run = form->findChild<QProgressBar*>(names::kRunBar);
    auto* file = form->findChild<QProgressBar*>(names::kFileBar);
    ASSERT_TRUE(run && file);
    std::set<int> runValues, fileValues;
    bool alwaysShown = true;
    QTimer sample;
    sample.setInterval(1);
    QObject::connect(&sample, &QTimer::timeout, [&] {
        for (QProgressBar* b : {run, file})
            alwaysShown = alwaysShown && b->isVisible() && b->width() > 100 && b->height() > 10;
        runValues.insert(run->value());
        fileValues.insert(file->value());
    });
    sample.start();
    test::Convert(*form);
    sample.stop();
    EXPECT_TRUE(alwaysShown);
    EXPECT_GE(runValues.size(), 2u) << "the run's bar moves";
    EXPECT_GE(fileValues.size(), 2u) << "the file's bar moves";
}

TEST(RunSeen, AnnulerIsHeardDuringARunOfManySmallFiles) {
    test::Program p;
    test::PrepareInOut(p);
    std::vector<std::string> files;
    for (int i = 0; i < 2000; ++i) {
        files.push_back(p.path("s" + std::to_string(10000 + i) + ".txt"));
        WriteFile(files.back(), CrLf({"1,5;a", "2;b", "3;c"}));
    }
    auto form = p.OpenWith(files);
    p.dialogs.shown.clear();
    QTimer::singleShot(0, form.get(), [&] { Click(*form, names::kCancelButton); });
    test::Convert(*form);
    ASSERT_EQ(1u, p.dialogs.shown.size());
    EXPECT_EQ("Traitement arr\xE9t\xE9 avant sa fin normale.", p.dialogs.shown[0]);
    EXPECT_LT(p.session.run.LinesRead, 6000);
}

TEST(RunSeen, AccentedPathsReadRightInMessagesTheLogAndTheRejectedLines) {
    test::Program p;
    test::PrepareInOut(p);
    const std::string folder = p.path("donn\xC3\xA9" "es");
    std::filesystem::create_directory(folder);
    const std::string bad = folder + "/mauvais_\xC3\xA9.txt", empty = folder + "/vide_\xC3\xA9.txt";
    WriteFile(bad, CrLf({"1;x;de trop", "2;y"}));
    WriteFile(empty, "");
    auto form = p.OpenWith({bad, empty});
    ASSERT_EQ(1u, p.dialogs.shownText.size());
    EXPECT_EQ(QString::fromUtf8("Le fichier vide_\xC3\xA9.txt est vide et ne sera donc pas converti."),
              p.dialogs.shownText[0]);
    test::Convert(*form);
    form->findChild<QPlainTextEdit*>(names::kLogView)->setFocus(); // the log's batch reaches the view
    QTest::qWait(60);
    EXPECT_TRUE(form->findChild<QPlainTextEdit*>(names::kLogView)
                    ->toPlainText()
                    .contains(QString::fromUtf8(bad.c_str())));
    auto* grid = form->findChild<QTableView*>(names::kRejectsGrid);
    EXPECT_EQ(QString::fromUtf8(bad.c_str()), grid->model()->index(2, 1).data().toString());
}

TEST(RunSeen, TheResetRejectedCountKeepsTheCountersFont) {
    test::Program p;
    test::PrepareInOut(p);
    WriteFile(p.path("q.txt"), CrLf({"1;x;de trop", "2;y"}));
    auto form = p.OpenWith({p.path("q.txt")});
    test::Convert(*form);
    auto* rejected = form->findChild<QLabel*>(names::kRejectedCount);
    auto* written = form->findChild<QLabel*>(names::kWrittenCount);
    const QColor red = rejected->palette().color(QPalette::WindowText);
    EXPECT_TRUE(red.red() > 0 && red.green() == 0 && red.blue() == 0) << "red, as dark as it must be to read";
    p.dialogs.confirmAnswers = {false}; // the result is not to be replaced: refused, the counters reset
    test::Convert(*form);
    EXPECT_EQ("0", rejected->text().toStdString());
    EXPECT_EQ(QFontInfo(written->font()).pixelSize(), QFontInfo(rejected->font()).pixelSize());
    EXPECT_EQ(written->palette().color(QPalette::WindowText), rejected->palette().color(QPalette::WindowText));
}

} // namespace
} // namespace lmx

namespace lmx {
namespace {

// Results "beside the source" (MRD "$Q"): a file of the command line gets its result in its own
// folder, as "Ouvrir" gives it, whatever folder the program lives in.
TEST(CommandLine, ResultsBesideTheSourceGoBesideIt) {
    test::Program p;
    test::PrepareInOut(p);
    ASSERT_EQ(std::nullopt, p.params.settings.resultFolder);
    std::filesystem::create_directory(p.path("data"));
    WriteFile(p.path("data/a.txt"), CrLf({"1;x"}));
    auto form = p.Open({p.path("data/a.txt")});
    form->show();
    test::WaitForCommandLineRun(*form);
    EXPECT_EQ(std::vector<std::string>{"Conversion termin\xE9" "e"}, p.dialogs.shown);
    EXPECT_EQ("x;1\r\n", test::ReadFile(p.path("data/a_conv.txt")));
}

} // namespace
} // namespace lmx
