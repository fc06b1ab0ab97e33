#include "ui/Screenshots.h"

#include "common/Basics.h"
#include "common/Text.h"
#include "env/Params.h"
#include "model/FormatEditorModel.h"
#include "ui/AboutBox.h"
#include "ui/ConversionPage.h"
#include "ui/FormatEditorPage.h"
#include "ui/ObjectNames.h"
#include "ui/ParametersPage.h"
#include "ui/QtBridge.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>
#include <QProgressBar>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <filesystem>

namespace lmx {

bool ScreenshotDialogs::OpenFiles(const std::string&, const std::string&, std::vector<std::string>& files) {
    files = sources;
    return !files.empty();
}

namespace {

void Report(const QString& text) {
    std::fputs(("Lumivex: " + text + "\n").toLocal8Bit().constData(), stderr);
}

} // namespace

void ConsoleDialogs::Show(const std::string& text) {
    ++shown;
    Report(Qs(text));
}

bool ConsoleDialogs::Confirm(const std::string& text) {
    Show(text);
    return false;
}

void ConsoleDialogs::ShowPaths(const TextWithPaths& text) {
    ++shown;
    Report(Qs(text));
}

bool ConsoleDialogs::ConfirmPaths(const TextWithPaths& text) {
    ShowPaths(text);
    return false;
}

namespace {

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::string Lines(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* l : lines) out += std::string(l) + "\r\n";
    return out;
}

std::string TwoDigitsOf(int v) { return (v < 10 ? "0" : "") + IntToStr(v); }

// Enough lines for a run to last a moment, so that its bars are seen moving.
constexpr int kSampleLines = 300'000;

std::string SampleSource(int seed, bool withRejects) {
    std::string out;
    out.reserve(static_cast<std::size_t>(kSampleLines) * 48);
    const char* tickers[] = {"ACME", "BNPX", "CORA", "DELTA"};
    for (int i = 0; i < kSampleLines; ++i) {
        const int v = (i * 37 + seed * 11) % 900 + 100;
        out += TwoDigitsOf(1 + i % 28) + "/" + TwoDigitsOf(1 + (i / 28) % 12) + "/" + IntToStr(1990 + i / 336 % 30);
        out += std::string(";") + tickers[(i + seed) % 4] + ";" + IntToStr(v / 10) + "," + IntToStr(v % 10) + "0;";
        out += IntToStr(v / 10 + 1) + ",00;" + IntToStr(v / 10 - 1) + ",50;" + IntToStr(v / 10) + ",25;";
        out += IntToStr(1000 + (int64_t{i} * 7919) % 90000) + "\r\n";
        if (withRejects && i == 40) {
            // A first field far longer than its column, and a field too many: a "#Unstring" line.
            out += "02/12/2024 (s\xE9" "ance ouverte en retard);ACME;42,10;42,16;41,53;41,80;87977;note\r\n";
            out += "31/02/2024;ACME;42,10;42,16;41,53;41,80;87977\r\n"; // no such day: "#Date"
        }
        // Enough rejected lines down the file for the grid to scroll, with six-digit numbers.
        if (withRejects && i % 5000 == 4999) out += "03/02/2024;BNPX;17,10;17,20;16,90;17,00;1200;x\r\n";
    }
    return out;
}

} // namespace

std::vector<std::string> WriteScreenshotSamples(const std::string& folder, Params& params) {
    const std::string dir = IncludeTrailingSlash(folder);
    const std::string formats =
        FileBanner(bkFormats) + "\r\n" +
        Lines({"NOM=COURS", "CMT=Cours journaliers, style fran\xE7" "ais", "CLC=7", "SEP=;", "DEC=,", "IFL=0",
               "COL=DATE|/DD/MM/YYYY|0|0|0|", "COL=TICKER|AN|0|0|0|", "COL=OPEN|N|0|0|0|", "COL=HIGH|N|0|0|0|",
               "COL=LOW|N|0|0|0|", "COL=CLOSE|N|0|0|0|", "COL=VOLUME|N|0|0|0|", "NOM=ISO",
               "CMT=ISO dates, tab separated, dot decimals", "CLC=7", "SEP=\t", "DEC=.", "IFL=0",
               "COL=DATE|-YYYY/MM/DD|0|0|0|", "COL=TICKER|AN|0|0|0|", "COL=OPEN|N|0|0|0|", "COL=HIGH|N|0|0|0|",
               "COL=LOW|N|0|0|0|", "COL=CLOSE|N|0|0|0|", "COL=VOLUME|N|0|0|0|"});
    if (!WriteBytes(dir + "Lumivex.fmt", formats)) return {};
    params.Defaults();
    params.settings.inputFormat = "COURS";
    params.settings.outputFormat = "ISO";
    if (!params.Save().Ok()) return {};

    // Accented names in an accented folder: the window shows them as the file system has them.
    const std::string sources = dir + "donn\xC3\xA9" "es/";
    std::error_code ec;
    std::filesystem::create_directories(sources, ec);
    std::vector<std::string> out;
    for (int i = 1; i <= 3; ++i) {
        const std::string path = sources + "cours_\xC3\xA9t\xC3\xA9_" + IntToStr(i) + ".txt";
        if (!WriteBytes(path, SampleSource(i, i == 2))) return {};
        out.push_back(path);
    }
    return out;
}

namespace {

bool Shoot(QWidget& w, const QString& folder, const QString& name) {
    QApplication::processEvents();
    return w.grab().save(QDir(folder).filePath(name + ".png"), "PNG");
}

} // namespace

bool SaveScreenshots(QWidget& window, const QString& folder) {
    QDir().mkpath(folder);
    bool ok = true;
    auto shoot = [&](QWidget& w, const QString& name) { ok = Shoot(w, folder, name) && ok; };
    auto* pages = window.findChild<QTabWidget*>(names::kPages);
    auto* lower = window.findChild<QTabWidget*>(names::kResultViews);
    auto* params = window.findChild<ParametersPage*>(names::kParametersPage);
    auto* editor = window.findChild<FormatEditorPage*>(names::kFormatEditorPage);
    if (!pages || !lower || !params || !editor) return false;

    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        shoot(window, QStringLiteral("main-page%1").arg(i + 1));
    }
    // The parameters page's three panels.
    pages->setCurrentIndex(2);
    const char* panels[] = {"params-processing", "params-environment", "params-integration"};
    for (int i = 0; i < 3; ++i) {
        params->ShowCategory(i);
        shoot(window, QString::fromLatin1(panels[i]));
    }
    params->ShowCategory(0);
    pages->setCurrentIndex(0);
    const int lowerPage = lower->currentIndex();
    for (int i = 0; i < lower->count(); ++i) {
        lower->setCurrentIndex(i);
        shoot(window, QStringLiteral("conversion-lower%1").arg(i + 1));
    }
    lower->setCurrentIndex(lowerPage);

    // The format editor: at start, a new format, the first format of the list being modified.
    pages->setCurrentIndex(1);
    shoot(window, QStringLiteral("formats-start"));
    editor->EnterState(ndNew, "NOUVEAU");
    shoot(window, QStringLiteral("formats-new"));
    auto* inFormats = window.findChild<QComboBox*>(names::kInputFormatBox);
    if (inFormats && inFormats->count() > 0) {
        editor->EnterState(ndModify, Cp(inFormats->itemText(0)));
        shoot(window, QStringLiteral("formats-modify"));
        // A download in quotes, its volume column shown: the reading options of a number.
        const int quoted = inFormats->findText(QStringLiteral("QUOTED_FR"));
        if (quoted >= 0) {
            editor->EnterState(ndModify, Cp(inFormats->itemText(quoted)));
            editor->columnTabs->setCurrentIndex(editor->columnTabs->count() - 2);
            shoot(window, QStringLiteral("formats-quoted"));
        }
    }
    pages->setCurrentIndex(0);

    AboutBox about;
    about.show();
    shoot(about, QStringLiteral("about"));
    about.close();
    return ok;
}

bool SaveRunScreenshots(QWidget& window, ScreenshotDialogs& dialogs, const QString& folder) {
    QDir().mkpath(folder);
    bool ok = true;
    auto shoot = [&](const QString& name) { ok = Shoot(window, folder, name) && ok; };
    auto* lower = window.findChild<QTabWidget*>(names::kResultViews);
    auto* open = window.findChild<QAbstractButton*>(names::kOpenButton);
    auto* convert = window.findChild<QAbstractButton*>(names::kConvertButton);
    auto* runBar = window.findChild<QProgressBar*>(names::kRunBar);
    auto* fileBar = window.findChild<QProgressBar*>(names::kFileBar);
    auto* grid = window.findChild<QTableView*>(names::kRejectsGrid);
    if (!lower || !open || !convert || !runBar || !fileBar || !grid || dialogs.sources.empty()) return false;

    // Chosen, running (both bars under way), done.
    lower->setCurrentIndex(0);
    open->click();
    shoot(QStringLiteral("run-before"));
    bool during = false;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (during || convert->isEnabled() || runBar->value() <= 0 || fileBar->value() <= 0) return;
        during = true;
        ok = window.grab().save(QDir(folder).filePath("run-during.png"), "PNG") && ok;
    });
    watch.start();
    WaitForRun(window, [&] { convert->click(); });
    watch.stop();
    shoot(QStringLiteral("run-after"));

    // The rejected lines with a "#Unstring" row selected, its explanation below; then the log.
    lower->setCurrentIndex(1);
    QAbstractItemModel* m = grid->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        if (m->index(r, 1).data().toString() != QStringLiteral("#Unstring")) continue;
        grid->setCurrentIndex(m->index(r, 2));
        break;
    }
    shoot(QStringLiteral("run-rejects-unstring"));
    // Scrolled down and right: the column titles and the line numbers stay in place.
    grid->scrollToBottom();
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    shoot(QStringLiteral("run-rejects-scrolled"));
    grid->scrollToTop();
    grid->horizontalScrollBar()->setValue(0);
    lower->setCurrentIndex(2);
    shoot(QStringLiteral("run-log"));
    return ok;
}

} // namespace lmx
