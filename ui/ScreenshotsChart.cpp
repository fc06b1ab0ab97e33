// The chart page's pictures: a file of quotes with one price written a hundred times too large.
#include "ui/Screenshots.h"

#include "common/Text.h"
#include "common/Basics.h"
#include "ui/ChartPage.h"
#include "ui/ObjectNames.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QTabWidget>

#include <cstdint>
#include <cstdio>

namespace lmx {

namespace {

// Ten years of working days of one share, a random walk around 42; the close of one day, deep in the
// file, written in cents: the kind of slip a chart shows at once.
std::string ChartSample() {
    std::string out;
    uint32_t seed = 12345;
    double close = 42.0;
    int y = 2014, m = 1, d = 2, weekday = 3; // 02/01/2014, a Thursday
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    char line[128];
    for (int n = 0; n < 2600; ++n) {
        seed = seed * 1664525u + 1013904223u;
        close *= 1.0 + (static_cast<double>(seed >> 8) / 16777216.0 - 0.497) * 0.04;
        const double shown = n == 1717 ? close * 100 : close;
        std::snprintf(line, sizeof line, "%02d/%02d/%04d;ACME;%.2f;%.2f;%.2f;%.2f;%u\r\n", d, m, y, close * 0.995,
                      close * 1.01, close * 0.985, shown, 1000 + (seed >> 12) % 90000);
        std::string text = line;
        for (char& c : text)
            if (c == '.') c = ',';
        out += text;
        do {
            weekday = (weekday + 1) % 7;
            const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
            if (++d > kDays[m - 1] + (m == 2 && leap ? 1 : 0)) d = 1, m = m == 12 ? (++y, 1) : m + 1;
        } while (weekday >= 5);
    }
    return out;
}

bool WaitForChart(ChartPage& page) {
    page.Follow(); // at once, not at the page's next look
    QElapsedTimer t;
    t.start();
    while ((!page.Idle() || page.summaryLabel->text().isEmpty()) && t.elapsed() < 20'000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    QApplication::processEvents();
    return page.Idle();
}

} // namespace

bool SaveChartScreenshots(QWidget& window, ScreenshotDialogs& dialogs, const QString& folder) {
    auto* lower = window.findChild<QTabWidget*>(names::kResultViews);
    auto* open = window.findChild<QAbstractButton*>(names::kOpenButton);
    auto* page = window.findChild<ChartPage*>(names::kChartPage);
    if (!lower || !open || !page || dialogs.sources.empty()) return false;
    bool ok = true;
    const auto shoot = [&](const QString& name) {
        QApplication::processEvents();
        ok = window.grab().save(QDir(folder).filePath(name + ".png"), "PNG") && ok;
    };
    // The result of the run shown last, then the sample beside the sources.
    lower->setCurrentWidget(page);
    ok = WaitForChart(*page) && ok;
    shoot(QStringLiteral("chart-result"));
    const std::string sample = ExtractFilePath(dialogs.sources.front()) + "cours_graphique.txt";
    std::FILE* f = std::fopen(sample.c_str(), "wb");
    const std::string text = ChartSample();
    ok = f && std::fwrite(text.data(), 1, text.size(), f) == text.size() && ok;
    ok = f && std::fclose(f) == 0 && ok;
    dialogs.sources = {sample};
    open->click();
    ok = WaitForChart(*page) && ok;
    shoot(QStringLiteral("chart-planted"));
    // The summary line clicked: the line of the largest jump, as read.
    page->onSummaryClicked();
    shoot(QStringLiteral("chart-planted-point"));
    return ok;
}

} // namespace lmx
