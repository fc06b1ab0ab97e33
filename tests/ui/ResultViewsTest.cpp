// The log page and the rejected-lines page.
#include "core/ColumnDraft.h"
#include "core/Log.h"
#include "core/RejectTable.h"
#include "support/TestSupport.h"
#include "ScriptedDialogs.h"
#include "ui/GridModel.h"
#include "ui/LogPage.h"
#include "ui/RejectsPage.h"
#include "ui/QtBridge.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QImage>
#include <QPainter>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace lmx {
namespace {

struct LogPageFixture {
    ScriptedDialogs dialogs;
    ChosenFormats formats;
    Log log{formats, dialogs};
    test::TempDir dir;
};

TEST(LogPage, FollowsTheLogInBatchesAndClears) {
    LogPageFixture s;
    s.log.LogWrite(lkLine, "before the view");
    LogPage page(s.log, s.dialogs);
    EXPECT_EQ("before the view", page.logView->toPlainText().toStdString());
    s.log.LogWrite(lkLine, "one");
    s.log.LogWrite(lkPart, "two");
    s.log.LogWrite(lkEnd, " three \xE9");
    // Nothing reaches the view until the batch is flushed.
    EXPECT_EQ("before the view", page.logView->toPlainText().toStdString());
    QTest::qWait(60);
    EXPECT_EQ("before the view\none\ntwo three \xC3\xA9", page.logView->toPlainText().toStdString());
    QTest::mouseClick(page.clearButton, Qt::LeftButton);
    EXPECT_EQ("", page.logView->toPlainText().toStdString());
    EXPECT_EQ(0u, s.log.Lines().size());
    EXPECT_TRUE(page.logView->isReadOnly());
    EXPECT_EQ(QPlainTextEdit::NoWrap, page.logView->lineWrapMode());
}

TEST(LogPage, SaveWritesTheFileAndSaysWhere) {
    LogPageFixture s;
    s.log.LogFileName = s.dir.file("LumivexLog.txt");
    LogPage page(s.log, s.dialogs);
    s.log.LogWrite(lkLine, "abc");
    QTest::mouseClick(page.saveButton, Qt::LeftButton);
    ASSERT_EQ(1u, s.dialogs.shown.size());
    EXPECT_EQ("Log saved (" + s.log.LogFileName + ")", s.dialogs.shown[0]);
    EXPECT_EQ("abc\r\n\r\n \r\n************  Lumivex :  END  LOG  ************\r\n",
              test::ReadFile(s.log.LogFileName));
}

TEST(LogPage, FailedSaveShowsTheSystemReason) {
    LogPageFixture s;
    s.log.LogFileName = s.dir.file("no such folder/LumivexLog.txt");
    LogPage page(s.log, s.dialogs);
    QTest::mouseClick(page.saveButton, Qt::LeftButton);
    ASSERT_EQ(1u, s.dialogs.shown.size());
    EXPECT_EQ(std::string::npos, s.dialogs.shown[0].find("Log saved"));
    EXPECT_FALSE(s.dialogs.shown[0].empty());
}

TEST(LogPage, ColourButtonsApplyAndReportTheChoiceCancelChangesNothing) {
    LogPageFixture s;
    LogPage page(s.log, s.dialogs);
    page.SetColors(QColor(1, 2, 3), QColor(4, 5, 6));
    QColor text, back;
    page.OnTextColor = [&](const QColor& c) { text = c; };
    page.OnBackColor = [&](const QColor& c) { back = c; };
    s.dialogs.colorAnswers = {QColor(0x11, 0x22, 0x33), QColor(), QColor(0x44, 0x55, 0x66)};
    QTest::mouseClick(page.textColorButton, Qt::LeftButton);
    QTest::mouseClick(page.backColorButton, Qt::LeftButton); // cancelled
    EXPECT_EQ(QColor(0x11, 0x22, 0x33), page.TextColor());
    EXPECT_EQ(QColor(4, 5, 6), page.BackgroundColor());
    EXPECT_EQ(QColor(0x11, 0x22, 0x33), text);
    EXPECT_FALSE(back.isValid());
    QTest::mouseClick(page.backColorButton, Qt::LeftButton);
    EXPECT_EQ(QColor(0x44, 0x55, 0x66), page.BackgroundColor());
    EXPECT_EQ(QColor(0x44, 0x55, 0x66), back);
    EXPECT_EQ(3, s.dialogs.colorRequests);
}

// A rejected-lines table: titles, "...", a file row, a whole-line row and a split row.
void SampleRejects(RejectTable& table, std::string_view wholeLine = "2024-01-02;1,5;1,7;extra;fields;here") {
    table.Prepare(Format{}, 3);
    table.FileStarts("/data/a_very_long_folder_name/quotes.txt");
    const std::string_view whole[] = {wholeLine};
    table.Rejected(7, leUnstring, wholeLine, whole);
    const std::string_view fields[] = {"2024-13-40", "1,5", "1,7"};
    table.Rejected(9, leDate, "2024-13-40;1,5;1,7", fields);
}

// Whether a pixel of r is the colour given (same), or other than it (!same).
bool AnyPixel(const QImage& img, const QRect& r, QRgb colour, bool same) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((img.pixel(x, y) == colour) == same) return true;
    return false;
}

TEST(RejectsPage, FileRowIsOneRedBandAndWholeLinesRunAcrossColumns) {
    RejectTable table;
    SampleRejects(table);
    RejectTableSource src(table);
    RejectsPage page(src);
    page.resize(700, 300);
    page.show();
    QApplication::processEvents();
    QTableView* grid = page.grid;
    for (int c = 1; c < 5; ++c) grid->setColumnWidth(c, 80);
    QApplication::processEvents();
    const QImage img = grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);

    // The title row: every cell from column 1 to the last is red (with white text), without seams.
    const QRgb band = img.pixel(grid->visualRect(grid->model()->index(2, 1)).bottomLeft() + QPoint(1, -1));
    EXPECT_TRUE(qRed(band) > 0 && qGreen(band) == 0 && qBlue(band) == 0);
    for (int c = 1; c < 5; ++c) {
        const QRect r = grid->visualRect(grid->model()->index(2, c));
        EXPECT_EQ(band, img.pixel(r.center().x(), r.bottom() - 1)) << "column " << c;
        if (c < 4) {
            EXPECT_EQ(band, img.pixel(r.right(), r.top())) << "seam after column " << c;
        }
        EXPECT_TRUE(AnyPixel(img, r.adjusted(0, 2, 0, -2), QColor(Qt::white).rgb(), true))
            << "path text in " << c;
    }
    // The whole rejected line continues into columns 3 and 4, which hold no text of their own.
    const QRgb base = img.pixel(grid->visualRect(grid->model()->index(4, 4)).center());
    for (int c = 3; c < 5; ++c) {
        const QRect r = grid->visualRect(grid->model()->index(3, c));
        EXPECT_TRUE(AnyPixel(img, r.adjusted(1, 2, -1, -2), base, false)) << "continued text in column " << c;
    }
}

// The title row and the line numbers are the grid's headers: they stay while the cells scroll, the
// numbers' column fits the largest one, and rows that only grow are added without a reset.
TEST(RejectsPage, TitlesAndLineNumbersStayInPlaceWhenScrolled) {
    RejectTable table;
    table.Prepare(Format{}, 3);
    const std::string_view cells[] = {"02/12/2024", "1,5", "1,7"};
    for (int i = 1; i <= 300; ++i) table.Rejected(i * 1000 - 10, leDate, "", cells);
    RejectTableSource src(table);
    RejectsPage page(src);
    page.resize(400, 300);
    page.show();
    QTableView* grid = page.grid;
    int resets = 0;
    QObject::connect(grid->model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    table.Rejected(299990, leDate, "", cells);
    page.Refresh();
    EXPECT_EQ(std::make_pair(0, static_cast<int>(table.rows())), std::make_pair(resets, grid->model()->rowCount()));
    EXPECT_GE(grid->verticalHeader()->width(), grid->fontMetrics().horizontalAdvance("299990"));
    EXPECT_EQ(QHeaderView::Interactive, grid->horizontalHeader()->sectionResizeMode(2));
    for (int c = 1; c < 5; ++c) grid->setColumnWidth(c, 200);
    grid->scrollToBottom();
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    QApplication::processEvents();
    const QImage img = grid->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect top = grid->horizontalHeader()->geometry(), left = grid->verticalHeader()->geometry();
    ASSERT_TRUE(grid->horizontalHeader()->isVisible() && grid->verticalHeader()->isVisible());
    EXPECT_EQ(QColor(0xFF, 0xD2, 0xD2).rgb(), img.pixel(top.right() - 4, top.top() + 2));
    EXPECT_EQ(QColor(0xFF, 0xD2, 0xD2).rgb(), img.pixel(left.left() + 1, left.bottom() - 4));
}

// The ink of a cell: every pixel that is not its background, as a picture of the same size.
QImage Ink(const QImage& img, const QRect& r, QRgb background) {
    QImage ink(r.size(), QImage::Format_Mono);
    ink.fill(0);
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x)
            if (img.pixel(r.left() + x, r.top() + y) != background) ink.setPixel(x, y, 1);
    return ink;
}

TEST(RejectsPage, AWholeLineRowShowsOnlyItsContinuousTextSelectedOrNot) {
    RejectTable table;
    SampleRejects(table, "02/12/2024 (s\xE9" "ance ouverte en retard);ACME;42,10;42,16;41,53;41,80;87977;note");
    RejectTableSource src(table);
    RejectsPage page(src);
    page.resize(700, 300);
    page.show();
    QTableView* grid = page.grid;
    for (int c = 1; c < 5; ++c) grid->setColumnWidth(c, 80);
    for (bool selected : {false, true}) {
        if (selected) grid->setCurrentIndex(grid->model()->index(3, 2));
        QApplication::processEvents();
        const QImage img = grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect cell = grid->visualRect(grid->model()->index(3, 2)).adjusted(0, 0, 0, -1); // less its line
        const QRgb background = img.pixel(cell.right() - 1, cell.bottom() - 1);
        // The same text alone, where the continuous drawing puts it, on the same background.
        QImage alone(img.size(), QImage::Format_RGB32);
        alone.fill(background);
        QPainter p(&alone);
        p.setFont(grid->font());
        p.setPen(grid->palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
        p.setClipRect(cell);
        p.drawText(QRect(cell.left() + 2, cell.top() + 2, 100000, cell.height()), Qt::AlignLeft | Qt::AlignTop,
                   Qs(table.cell(3, 2)));
        p.end();
        EXPECT_EQ(Ink(alone, cell, background), Ink(img, cell, background)) << (selected ? "selected" : "not selected");
    }
}

TEST(RejectsPage, SelectionExplainsCodesAndBlanksOtherRows) {
    RejectTable table;
    SampleRejects(table);
    RejectTableSource src(table);
    RejectsPage page(src);
    std::vector<int> asked;
    page.Explain = [&](int row) {
        asked.push_back(row);
        return "explained " + table.cell(static_cast<std::size_t>(row), 1);
    };
    page.onCellSelected(2, 3);
    EXPECT_EQ("explained #Unstring", page.explanationLabel->text().toStdString());
    page.onCellSelected(1, 2); // file row: column 1 is a path
    EXPECT_EQ(" ", page.explanationLabel->text().toStdString());
    page.onCellSelected(0, 1); // the "..." row
    EXPECT_EQ(" ", page.explanationLabel->text().toStdString());
    page.grid->setCurrentIndex(page.grid->model()->index(4, 2));
    EXPECT_EQ("explained #Date", page.explanationLabel->text().toStdString());
    EXPECT_EQ((std::vector<int>{3, 4}), asked);
}

} // namespace
} // namespace lmx
