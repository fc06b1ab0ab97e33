// The chart page's wiring: the file it follows, the summary under it, the points a click shows.
// The reading, the decimation and the summary's rules are the core's (tests/core/SeriesTest.cpp).
#include "UiFixture.h"

#include "ui/ChartPage.h"
#include "ui/ChartView.h"
#include "ui/MainWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace lmx {
namespace {

// Waits for the reading started by the page to be over and drawn.
void WaitForChart(ChartPage& page) {
    QTRY_VERIFY_WITH_TIMEOUT(page.Idle() && !page.summaryLabel->text().isEmpty(), 20'000);
}

TEST(ChartPage, ThePlantedValueOfAFileAndOfItsResultIsFoundByItsLine) {
    test::Program p;
    test::PrepareInOut(p); // IN: A number, B text; no date column, the points in line order
    std::string text;
    for (int n = 1; n <= 100'000; ++n) text += n == 4321 ? "1050;x\r\n" : n % 2 ? "10,6;x\r\n" : "10,5;x\r\n";
    test::WriteFile(p.path("q.txt"), text);
    auto form = p.OpenWith({p.path("q.txt")});
    auto* page = form->findChild<ChartPage*>(names::kChartPage);
    ASSERT_TRUE(page);
    form->findChild<QTabWidget*>(names::kResultViews)->setCurrentWidget(page);
    WaitForChart(*page);
    auto* columns = form->findChild<QComboBox*>(names::kChartColumnBox);
    ASSERT_EQ(columns->count(), 1);
    EXPECT_EQ(columns->currentText(), "A");
    auto* summary = form->findChild<QLabel*>(names::kChartSummary);
    EXPECT_TRUE(summary->text().contains(QString::fromUtf8("ligne 4 321 : ×100"))) << summary->text().toStdString();

    // A click on the drawn spike, then on the summary: the line's number, value and bytes.
    const auto* point = form->findChild<QLabel*>(names::kChartPoint);
    const auto* line = form->findChild<QLabel*>(names::kChartLine);
    ASSERT_TRUE(page->view->Jump());
    QTest::mouseClick(page->view, Qt::LeftButton, {}, page->view->PlaceOf(*page->view->Jump()).toPoint());
    EXPECT_EQ(point->text().toStdString(), "ligne 4 321, - : 1050");
    page->pointLabel->clear();
    QTest::mouseClick(summary, Qt::LeftButton);
    EXPECT_EQ(point->text().toStdString(), "ligne 4 321, - : 1050");
    EXPECT_EQ(line->text().toStdString(), "1050;x");

    // After a run the result is drawn, read with the output format.
    test::Convert(*form);
    form->findChild<QTabWidget*>(names::kResultViews)->setCurrentWidget(page);
    QTRY_VERIFY_WITH_TIMEOUT(form->findChild<QLabel*>(names::kChartStatus)->text().contains("q_conv.txt"),
                             20'000);
    WaitForChart(*page);
    QTest::mouseClick(summary, Qt::LeftButton);
    EXPECT_EQ(line->text().toStdString(), "x;1050");
}

} // namespace
} // namespace lmx
