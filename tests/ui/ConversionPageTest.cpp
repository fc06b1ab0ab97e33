// The window driven by its controls: start-up, choosing files and formats, runs from "Convertir",
// the command-line conversion. Dialogs are answered in advance.
#include "UiFixture.h"

#include "common/Basics.h"
#include "common/Contrast.h"
#include "ui/ConversionPage.h"
#include "ui/GridCells.h"
#include "ui/MainWindow.h"
#include "ui/ResultViews.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace lmx {
namespace {

using test::Cell;
using test::Click;
using test::CrLf;
using test::Text;
using test::WriteFile;

// The window with the file opened through "Ouvrir".
std::unique_ptr<MainWindow> OpenWith(test::Program& p, const std::string& name, const std::vector<std::string>& lines) {
    WriteFile(p.path(name), CrLf(lines));
    return p.OpenWith({p.path(name)});
}

TEST(StartUp, FirstStartInAnEmptyFolder) {
    test::Program p;
    auto form = p.Open();
    const auto lines = p.LogFrom("BeginLoadEnvir:", 8);
    ASSERT_EQ(8u, lines.size());
    EXPECT_EQ("BeginLoadEnvir:", lines[0]);
    EXPECT_EQ(" DEF PRM(SCRATCH))  Ok", lines[1]);
    EXPECT_EQ(" DEF LNG(Fran\xE7" "ais)  Ok", lines[2]);
    EXPECT_EQ(" DEF FMT(LOAD)      Ko(-799)(Unable to open File Lumivex.fmt)", lines[3]);
    EXPECT_EQ(" LOAD(ColNames)     Ko", lines[4]);
    EXPECT_EQ(" LOAD(ColNames)     Ko", lines[5]);
    EXPECT_EQ(" PRMCount :         0", lines[6]);
    EXPECT_EQ(0u, lines[7].rfind("EndLoadEnvir : ", 0));
    EXPECT_EQ("ms.", lines[7].substr(lines[7].size() - 3));
    ASSERT_EQ(1u, p.dialogs.shown.size());
    EXPECT_EQ("Le fichier de d\xE9" "finition des formats n'a pas pu \xEAtre ouvert (" + p.path("Lumivex.fmt") + ").",
              p.dialogs.shown[0]);
    EXPECT_TRUE(test::Exists(p.path("Lumivex.prm")));
    EXPECT_EQ("Non", Text(*form, names::kRenameValue).toStdString()); // SRN "0"
    EXPECT_EQ("Rejet ligne", Text(*form, names::kBadLineValue).toStdString());
}

// A first start speaks the desktop's language when the language file has it; a parameters file
// already written keeps its own.
TEST(StartUp, FirstStartFollowsTheDesktopLanguage) {
    for (const bool prmFile : {false, true}) {
        test::Program p;
        WriteFile(p.path("Lumivex.lng"), CrLf({"[English]", "btn_exit=Quit"}));
        if (prmFile) WriteFile(p.path("Lumivex.prm"), FileBanner(bkParameters) + "\r\n" + CrLf({"[P]", "LNG=Fran\xE7" "ais", "[/]"}));
        p.session.DesktopLanguageCode = "en";
        auto form = p.Open();
        EXPECT_EQ(prmFile ? "Quitter" : "Quit",
                  test::Caption(form->findChild<QPushButton*>(names::kQuitButton)->text()));
        EXPECT_EQ(!prmFile, test::ReadFile(p.path("Lumivex.prm")).find("LNG=English\r\n") != std::string::npos);
    }
}

// The log page's text meets the contrast of WCAG AA (4.5 to 1), with the colours of a first start
// and with the pair that earlier starts wrote into the parameters file.
TEST(StartUp, LogTextIsReadable) {
    for (const bool oldPair : {false, true}) {
        test::Program p;
        if (oldPair) {
            p.session.SetProgramDir(p.dir.path());
            p.params.settings.logBackColor = 0x00857883;
            p.params.Save();
        }
        auto form = p.Open();
        form->show();
        const QPalette pal = form->findChild<QWidget*>(names::kLogView)->palette();
        const double ratio =
            ContrastRatio(test::RgbOf(pal.color(QPalette::Text)), test::RgbOf(pal.color(QPalette::Base)));
        EXPECT_GE(ratio, kReadableRatio) << oldPair;
    }
}

TEST(StartUp, QuitWritesTheParametersAndAFailedWriteKeepsTheWindow) {
    test::Program p;
    auto form = p.Open();
    form->show();
    p.params.settings.addedText = "_x";
    form->close();
    EXPECT_NE(std::string::npos, test::ReadFile(p.path("Lumivex.prm")).find("DDO=_x"));

    test::Program q;
    auto form2 = q.Open();
    form2->show();
    q.params.PrmFileName = q.path("missing folder/Lumivex.prm");
    q.dialogs.shown.clear();
    EXPECT_FALSE(form2->close());
    EXPECT_TRUE(form2->isVisible());
    EXPECT_EQ(1u, q.dialogs.shown.size());
}

TEST(ConversionPage, ChosenFilesReachTheNamesThePreviewsAndTheResult) {
    // The rules (order, empty files, line ends, proposal) are the core's; here only what the page shows.
    test::Program p;
    test::PrepareInOut(p);
    auto form = p.Open();
    form->show();
    WriteFile(p.path("b.txt"), "3;z\r\n");
    WriteFile(p.path("A.txt"), "2,5;y,z\r\n");
    WriteFile(p.path("e.txt"), "");
    p.dialogs.shown.clear();
    p.Choose(*form, {p.path("b.txt"), p.path("e.txt"), p.path("A.txt")});
    EXPECT_EQ((std::vector<std::string>{"Le fichier e.txt est vide et ne sera donc pas converti."}), p.dialogs.shown);
    EXPECT_EQ("A.txt", Text(*form, names::kFileEdit).toStdString());
    EXPECT_EQ("A_conv.txt", Text(*form, names::kOutNameEdit).toStdString());
    EXPECT_TRUE(form->findChild<QWidget*>(names::kChangeButton)->isEnabled());
    const GridCells& in = form->conversionPage->InPreview();
    EXPECT_EQ("A", in.Cell(1, 0));
    EXPECT_EQ("2,5", in.Cell(1, 1));
    const GridCells& out = form->conversionPage->OutPreview();
    EXPECT_EQ("B", out.Cell(1, 0));
    EXPECT_EQ("2.5", out.Cell(2, 1));

    // An existing proposal is dropped: Edit2 shows a blank on red.
    WriteFile(p.path("A_conv.txt"), "old");
    p.Choose(*form, {p.path("A.txt")});
    auto* edit2 = form->findChild<QLineEdit*>(names::kOutNameEdit);
    EXPECT_EQ(" ", edit2->text().toStdString());
    EXPECT_EQ(QColor(Qt::red), edit2->palette().color(QPalette::Base));
}

TEST(ConversionPage, FileNamesAreTheFileSystemsOwnBytes) {
    test::Program p;
    test::PrepareInOut(p);
    auto form = p.Open();
    form->show();
    const std::string name = "cours \xC3\xA9t\xC3\xA9 \xE2\x82\xBD.txt"; // UTF-8, one sign outside Windows-1252
    WriteFile(p.path(name), "1;x\r\n");
    p.Choose(*form, {p.path(name)});
    EXPECT_EQ(QString::fromUtf8(name.c_str()), Text(*form, names::kFileEdit));
    EXPECT_EQ(QString::fromUtf8("cours \xC3\xA9t\xC3\xA9 \xE2\x82\xBD_conv.txt"),
              Text(*form, names::kOutNameEdit));
    EXPECT_EQ("1", form->conversionPage->InPreview().Cell(1, 1));
}

TEST(ConversionPage, ChoosingAFormatThatFailsShowsItsLoadCode) {
    test::Program p;
    test::PrepareInOut(p);
    WriteFile(p.path("Lumivex.fmt"), test::ReadFile(p.path("Lumivex.fmt")) + CrLf({"NOM=BAD", "CMT=b", "CLC=3", "SEP=;", "DEC=,", "IFL=0",
                                                         "COL=A|N|0|0|0|"}));
    auto form = p.Open();
    auto* box = form->findChild<QComboBox*>(names::kInputFormatBox);
    box->setCurrentText("BAD");
    p.dialogs.shown.clear();
    form->conversionPage->onInputFormatChosen();
    ASSERT_EQ(1u, p.dialogs.shown.size());
    EXPECT_EQ("Format entr\xE9" "e incorrect, Nombre de colonnes lues <> attendu", p.dialogs.shown[0]);
    EXPECT_FALSE(p.formats.Input);
    EXPECT_EQ("BAD", p.params.settings.inputFormat);
}

TEST(ConversionRunFromWindow, CountsRejectedRowsAndClosingMessage) {
    test::Program p;
    test::PrepareInOut(p);
    auto form = OpenWith(p, "q1.txt", {"1,5;x", "2;y;extra", "3;z"});
    p.dialogs.shown.clear();
    test::Convert(*form);
    ASSERT_EQ(1u, p.dialogs.shown.size());
    EXPECT_EQ("Conversion termin\xE9" "e", p.dialogs.shown[0]);
    EXPECT_EQ("1", Text(*form, names::kFilesCount).toStdString());
    EXPECT_EQ("3", Text(*form, names::kReadCount).toStdString());
    EXPECT_EQ("1", Text(*form, names::kRejectedCount).toStdString());
    EXPECT_EQ("2", Text(*form, names::kWrittenCount).toStdString());
    EXPECT_EQ("1", Text(*form, names::kRejectsCount).toStdString());
    EXPECT_EQ("x;1.5\r\nz;3\r\n", test::ReadFile(p.path("q1_conv.txt")));
    EXPECT_TRUE(form->findChild<QWidget*>(names::kConvertButton)->isEnabled());
    EXPECT_EQ("Termin\xC3\xA9.", form->StatusText(4).toStdString());
    // The rejected row, and its explanation on selection.
    ASSERT_EQ(4u, p.session.rejects.rows());
    EXPECT_EQ("#Unstring", std::string(p.session.rejects.cell(3, 1)));
    EXPECT_EQ("2;y;extra", std::string(p.session.rejects.cell(3, 2)));
    EXPECT_EQ(1, form->findChild<QTabWidget*>(names::kResultViews)->currentIndex());
    EXPECT_FALSE(form->conversionPage->ExplainReject(3).empty());

    // No source chosen: the first check refuses the run.
    test::Program q;
    auto idle = q.Open();
    q.dialogs.shown.clear();
    test::Convert(*idle);
    ASSERT_EQ(1u, q.dialogs.shown.size());
    EXPECT_EQ("Il faut commencer par choisir un fichier \xE0 convertir.", q.dialogs.shown[0]);
}

// The output preview is built from the input preview as it is now; a run with nothing to count
// (first lines empty) leaves both bars at 0 of 100, never an endless busy bar.
TEST(ConversionPage, OutputPreviewFollowsTheInputOneAndBarsEndAtZero) {
    test::Program p;
    test::PrepareInOut(p);
    WriteFile(p.path("a.txt"), CrLf({"1,5;x"}));
    WriteFile(p.path("empty.txt"), "");
    WriteFile(p.path("q.txt"), CrLf({"", "", "", "1;x"}));
    auto form = p.Open();
    form->show();
    for (const char* name : {"a.txt", "empty.txt", "q.txt"}) p.dialogs.openAnswers.push_back({p.path(name)});
    Click(*form, names::kOpenButton);
    Click(*form, names::kOpenButton);
    form->findChild<QComboBox*>(names::kOutputFormatBox)->setCurrentText("IN");
    form->conversionPage->onOutputFormatChosen();
    EXPECT_EQ("", form->conversionPage->OutPreview().Cell(1, 1));
    Click(*form, names::kOpenButton);
    test::Convert(*form);
    for (const char* name : {names::kRunBar, names::kFileBar}) {
        auto* bar = form->findChild<QProgressBar*>(name);
        EXPECT_EQ(std::make_pair(100, 0), std::make_pair(bar->maximum(), bar->value())) << name;
    }
}

// The output preview shows the result: the output format's header line, then the data line,
// never the input's skipped header line.
TEST(ConversionPage, OutputPreviewShowsTheResultsHeaderNotTheSkippedOne) {
    test::Program p;
    WriteFile(p.path("Lumivex.fmt"),
              FileBanner(bkFormats) + "\r\n" +
                  CrLf({"NOM=IN", "CMT=in", "CLC=2", "SEP=;", "DEC=,", "IFL=1", "COL=A|N|0|0|0|", "COL=B|AN|0|0|0|",
                        "NOM=OUT", "CMT=out", "CLC=2", "SEP=;", "DEC=.", "IFL=0", "HDR=Bh;Ah", "COL=B|AN|0|0|0|",
                        "COL=A|N|0|0|0|"}));
    WriteFile(p.path("Lumivex.prm"), FileBanner(bkParameters) + "\r\n" + CrLf({"[P]", "MRI=IN", "MRO=OUT", "[/]"}));
    auto form = OpenWith(p, "h.txt", {"Ouv.;Nom", "1,5;x"});
    const GridCells& out = form->conversionPage->OutPreview();
    EXPECT_EQ((std::vector<std::string>{"Bh", "Ah", "x", "1.5", ""}),
              (std::vector<std::string>{out.Cell(1, 1), out.Cell(2, 1), out.Cell(1, 2), out.Cell(2, 2), out.Cell(1, 3)}));
}

// Choices made during a run wait for the next one; the run deletes only the source it converted.
TEST(ConversionRunFromWindow, FilesAndFormatsChosenDuringARunAreForTheNextRun) {
    test::Program p;
    test::PrepareInOut(p);
    std::string big;
    for (int i = 0; i < 1'000'000; ++i) big += "1,5;abcdef\r\n";
    WriteFile(p.path("src.txt"), big);
    WriteFile(p.path("v1.txt"), CrLf({"2;y"}));
    auto form = p.Open();
    form->show();
    p.params.settings.disposal = sdDelete;
    p.dialogs.openAnswers = {{p.path("src.txt")}, {p.path("v1.txt")}};
    Click(*form, names::kOpenButton);
    const char* controls[] = {names::kOpenButton, names::kChangeButton, names::kInputFormatBox,
                              names::kOutputFormatBox};
    std::vector<bool> enabledDuring;
    QTimer during;
    QObject::connect(&during, &QTimer::timeout, [&] {
        if (!form->conversionPage->Running()) return;
        during.stop();
        for (const char* name : controls) enabledDuring.push_back(form->findChild<QWidget*>(name)->isEnabled());
        Click(*form, names::kOpenButton);
        // As a refill of the lists after a save of the editor would: another output format.
        form->findChild<QComboBox*>(names::kOutputFormatBox)->setCurrentText("IN");
        form->conversionPage->onOutputFormatChosen();
    });
    during.start(0);
    test::Convert(*form);
    EXPECT_EQ(std::vector<bool>(4, false), enabledDuring);
    EXPECT_TRUE(form->findChild<QWidget*>(names::kOpenButton)->isEnabled());
    EXPECT_EQ(std::vector<std::string>{"Conversion termin\xE9" "e"}, p.dialogs.shown);
    EXPECT_FALSE(test::Exists(p.path("src.txt")));
    EXPECT_TRUE(test::Exists(p.path("v1.txt")));
    EXPECT_EQ(big.size(), test::ReadFile(p.path("src_conv.txt")).size());
}

// UTF-8 data files: the previews and the rejected lines show them as UTF-8, U+FFFD for a bad byte.
TEST(ConversionRunFromWindow, Utf8DataIsShownAsUtf8) {
    test::Program p;
    test::PrepareInOut(p);
    p.params.settings.encoding = DataEncoding::Utf8;
    p.params.Save();
    auto form = OpenWith(p, "u.txt", {"1,5;Soci\xC3\xA9t\xC3\xA9", "2;\xFF;extra"});
    const auto cell = [&](const char* grid, int row, int col) { return Cell(*form, grid, row, col); };
    EXPECT_EQ(QString::fromUtf8("Soci\xC3\xA9t\xC3\xA9"), cell(names::kInputGrid, 1, 2));
    EXPECT_EQ(QString::fromUtf8("Soci\xC3\xA9t\xC3\xA9"), cell(names::kOutputGrid, 1, 1));
    test::Convert(*form);
    EXPECT_EQ(QString::fromUtf8("2;\xEF\xBF\xBD;extra"), cell(names::kRejectsGrid, 3, 2));
    EXPECT_EQ("B", cell(names::kOutputGrid, 0, 1).toStdString()); // the format's own texts as before
}

// The system's encoding on a UTF-8 desktop: a line that is no UTF-8 is shown as Windows-1252, in
// the previews and the rejected lines; the result keeps its bytes.
TEST(ConversionRunFromWindow, WithTheSystemsUtf8AWindows1252LineReadsToo) {
    const test::ScopedCharset desktop("C.UTF-8");
    test::Program p;
    test::PrepareInOut(p);
    ASSERT_EQ(DataEncoding::System, p.params.settings.encoding);
    auto form = OpenWith(p, "m.txt", {"1,5;Soci\xC3\xA9t\xC3\xA9", "2;Cl\xF4ture", "3;Cl\xF4ture;extra"});
    const auto cell = [&](const char* grid, int row, int col) { return Cell(*form, grid, row, col); };
    EXPECT_EQ(QString::fromUtf8("Soci\xC3\xA9t\xC3\xA9"), cell(names::kInputGrid, 1, 2));
    EXPECT_EQ(QString::fromUtf8("Cl\xC3\xB4ture"), cell(names::kInputGrid, 2, 2));
    EXPECT_EQ(QString::fromUtf8("Cl\xC3\xB4ture"), cell(names::kOutputGrid, 2, 1));
    test::Convert(*form);
    EXPECT_EQ(QString::fromUtf8("3;Cl\xC3\xB4ture;extra"), cell(names::kRejectsGrid, 3, 2));
    EXPECT_EQ("Soci\xC3\xA9t\xC3\xA9;1.5\r\nCl\xF4ture;2\r\n", test::ReadFile(p.path("m_conv.txt")));
}

// The run converts on another thread: meanwhile the window answers (its timers fire, a resize is
// laid out and painted) with "Convertir" off, and "Annuler" stops the run.
TEST(ConversionRunFromWindow, TheWindowAnswersDuringARunAndAnnulerStopsIt) {
    test::Program p;
    test::PrepareInOut(p);
    std::string big;
    big.reserve(36'000'000);
    for (int i = 0; i < 3'000'000; ++i) big += "1,5;abcdef\r\n";
    WriteFile(p.path("big.txt"), big);
    auto form = p.OpenWith({p.path("big.txt")});
    p.dialogs.shown.clear();
    test::PaintCounter counter;
    form->centralWidget()->installEventFilter(&counter);
    int ticks = 0, paintsAtResize = -1;
    bool convertEnabledDuringRun = true, cancelled = false;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (cancelled || form->findChild<QProgressBar*>(names::kRunBar)->value() == 0)
            return; // lines converted
        ++ticks;
        if (paintsAtResize < 0) {
            convertEnabledDuringRun = form->findChild<QWidget*>(names::kConvertButton)->isEnabled();
            paintsAtResize = counter.paints;
            form->resize(form->width() + 40, form->height());
        } else if (ticks >= 3 && counter.paints > paintsAtResize) {
            cancelled = true;
            Click(*form, names::kCancelButton);
        }
    });
    tick.start(1);
    bool runningAfterClick = false;
    WaitForRun(*form, [&] {
        Click(*form, names::kConvertButton);
        runningAfterClick = form->conversionPage->Running(); // the click is over, not the run
    });
    tick.stop();
    EXPECT_TRUE(runningAfterClick);
    EXPECT_TRUE(cancelled) << "ticks " << ticks << ", paints " << counter.paints - paintsAtResize;
    EXPECT_FALSE(convertEnabledDuringRun);
    ASSERT_EQ(1u, p.dialogs.shown.size());
    EXPECT_EQ("Traitement arr\xE9t\xE9 avant sa fin normale.", p.dialogs.shown[0]);
    EXPECT_LT(std::stoll(Text(*form, names::kReadCount).toStdString()), 3'000'000);
    for (const char* name : {names::kConvertButton, names::kOpenButton, names::kChangeButton,
                             names::kInputFormatBox, names::kOutputFormatBox})
        EXPECT_TRUE(form->findChild<QWidget*>(name)->isEnabled()) << name;
}

TEST(ConversionRunFromWindow, ClosingDuringARunStopsItFirstAndKeepsAWholeResult) {
    test::Program p;
    test::PrepareInOut(p);
    std::string big;
    for (int i = 0; i < 3'000'000; ++i) big += "1,5;abcdef\r\n"; // long enough for a second event pass
    WriteFile(p.path("big.txt"), big);
    auto form = p.OpenWith({p.path("big.txt")});
    p.dialogs.shown.clear();
    bool visibleAfterClose = false;
    QTimer closer; // closes once some lines are converted
    closer.setInterval(0);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (form->findChild<QProgressBar*>(names::kRunBar)->value() == 0) return; // lines converted
        closer.stop();
        form->close();
        visibleAfterClose = form->isVisible();
    });
    closer.start();
    test::Convert(*form);
    EXPECT_TRUE(visibleAfterClose); // kept open until the run stopped
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(1u, p.dialogs.shown.size());
    EXPECT_EQ("Traitement arr\xE9t\xE9 avant sa fin normale.", p.dialogs.shown[0]);
    const std::string result = test::ReadFile(p.path("big_conv.txt"));
    EXPECT_LT(result.size(), big.size());
    EXPECT_EQ(result.substr(result.size() - 12), "abcdef;1.5\r\n");
    EXPECT_EQ(test::Names(p.dir.path()),
              (std::vector<std::string>{"Lumivex.fmt", "Lumivex.prm", "big.txt", "big_conv.txt"}));
}

} // namespace
} // namespace lmx
