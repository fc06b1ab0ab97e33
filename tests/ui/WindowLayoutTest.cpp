// The window at its least size and grown: every caption, label and button text is whole, and the
// preview grids show their four rows, on every page, in French and in English.
#include "UiFixture.h"

#include "common/Basics.h"
#include "ui/FormatEditorPage.h"
#include "ui/ParametersPage.h"
#include "model/FormatEditorModel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include <gtest/gtest.h>

namespace lmx {
namespace {

using test::CrLf;
using test::ReadFile;
using test::WriteFile;

// A control of the program's own (named by its kind and number), shown on screen.
bool OwnAndShown(const QWidget* w) {
    static const QRegularExpression kName(QStringLiteral("^(Label|BitBtn|Edit|StringGrid|ComboBox|GroupBox|Panel|"
                                                         "RadioButton|CheckBox|Button|Memo|ListBox)\\d+$"));
    return w->isVisible() && kName.match(w->objectName()).hasMatch();
}

// What of w cannot be seen: its text cut, rows of a preview grid clipped, or the control itself
// reaching past one of the widgets that hold it. Empty when all of it shows.
std::string Misfit(const QWidget* w) {
    const QString name = w->objectName();
    for (const QWidget* up = w->parentWidget(); up && !up->isWindow(); up = up->parentWidget()) {
        const QRect inUp(w->mapTo(up, QPoint(0, 0)), w->size());
        if (!up->rect().contains(inUp)) return "reaches past " + up->objectName().toStdString();
    }
    if (auto* l = qobject_cast<const QLabel*>(w)) {
        if (l->text().isEmpty() || !l->pixmap().isNull()) return {};
        const QSize need = l->wordWrap() ? QSize(0, l->heightForWidth(l->width())) : l->minimumSizeHint();
        if (need.width() > l->width() || need.height() > l->height())
            return "text cut: \"" + l->text().toStdString() + "\"";
    } else if (auto* b = qobject_cast<const QAbstractButton*>(w)) {
        if (b->fontMetrics().horizontalAdvance(QString::fromStdString(test::Caption(b->text()))) + 8 > b->width())
            return "caption cut: \"" + b->text().toStdString() + "\"";
    } else if (auto* g = qobject_cast<const QGroupBox*>(w)) {
        if (g->fontMetrics().horizontalAdvance(g->title()) + 8 > g->width()) return "title cut";
    } else if (auto* t = qobject_cast<const QTableView*>(w);
               t && (name == names::kInputGrid || name == names::kOutputGrid)) {
        if (t->rowViewportPosition(3) < 0 || t->rowViewportPosition(3) + t->rowHeight(3) > t->viewport()->height())
            return "row 3 clipped";
    }
    return {};
}

std::vector<std::string> Misfits(QWidget& window, const std::string& where) {
    QApplication::processEvents();
    std::vector<std::string> out;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!OwnAndShown(w)) continue;
        const std::string why = Misfit(w);
        if (!why.empty()) out.push_back(where + ": " + w->objectName().toStdString() + " " + why);
    }
    for (const QTabBar* bar : window.findChildren<QTabBar*>()) {
        if (!bar->isVisible() || bar->count() == 0) continue;
        if (bar->tabRect(bar->count() - 1).right() > bar->width()) out.push_back(where + ": a tab bar is cut");
    }
    return out;
}

// Every page of the window in turn, with a rejected line selected and its explanation shown.
std::vector<std::string> EveryPage(MainWindow& form, const std::string& size) {
    std::vector<std::string> out;
    const auto look = [&](const std::string& where) {
        for (std::string& m : Misfits(form, size + " " + where))
            out.push_back(std::move(m));
    };
    test::ForEveryPage(form, look, ndModify, "IN");
    return out;
}

class WindowLayout : public ::testing::TestWithParam<bool> {};

TEST_P(WindowLayout, EveryTextAndPreviewRowShowsAtTheLeastSizeAndGrown) {
    const bool english = GetParam();
    test::Program p;
    WriteFile(p.path("Lumivex.fmt"),
              test::FmtFileText({"NOM=IN", "CMT=in", "CLC=3", "SEP=;", "DEC=,", "IFL=0", "COL=DATE|/DD/MM/YYYY|0|0|0|",
                                 "COL=OPEN|N|0|0|0|", "COL=NAME|AN|0|0|0|"}));
    WriteFile(p.path("Lumivex.lng"), ReadFile(std::string(LUMIVEX_SOURCE_DIR) + "/examples/Lumivex.lng"));
    p.session.SetProgramDir(p.dir.path());
    p.params.Defaults();
    p.params.settings.inputFormat = "IN";
    p.params.settings.outputFormat = "IN";
    p.params.settings.badLine = BadLineRule::Stop; // "Arrêt traitement", the longest option shown
    if (english) p.params.settings.language = "English";
    ASSERT_TRUE(p.params.Save().Ok());
    WriteFile(p.path("q.txt"), CrLf({"02/12/2024 (s\xE9" "ance ouverte en retard);41,8;ACME;de trop", "03/12/2024;41,9;ACME"}));
    auto form = p.Open({p.path("q.txt")});
    form->show();
    while (!form->CommandLineRunDone()) QApplication::processEvents();
    auto* grid = form->findChild<QTableView*>(names::kRejectsGrid);
    grid->setCurrentIndex(grid->model()->index(3, 2)); // the "#Unstring" line: a three-line explanation
    ASSERT_FALSE(form->findChild<QLabel*>(names::kRejectExplanation)->text().trimmed().isEmpty());

    // The drawn size, grown to what the layout needs; the least size is that need.
    EXPECT_EQ(QSize(785, 554).expandedTo(form->minimumSize()), form->size());
    form->resize(form->minimumSize());
    EXPECT_EQ(std::vector<std::string>{}, EveryPage(*form, "least size"));
    form->resize(1100, 800);
    EXPECT_EQ(std::vector<std::string>{}, EveryPage(*form, "1100x800"));
}

INSTANTIATE_TEST_SUITE_P(FrenchAndEnglish, WindowLayout, ::testing::Bool());

// A large font on a small screen: the window stays within the screen, its status bar and the
// bottom of its pages in sight, and the pages scroll instead.
TEST(WindowLayout, ALargeFontNeverMakesTheWindowLargerThanTheScreen) {
    test::Program p;
    auto form = p.Open();
    QFont large = form->font();
    large.setPointSize(16);
    form->setFont(large);
    form->show();
    QApplication::processEvents();
    const QSize room = form->screen()->availableGeometry().size();
    EXPECT_LE(form->minimumWidth(), room.width());
    EXPECT_LE(form->minimumHeight(), room.height());
    EXPECT_LE(form->height(), room.height());
    EXPECT_LE(form->findChild<QWidget*>(names::kStatusBar)->geometry().bottom(), form->height());
    auto* scroll = form->findChild<QScrollArea*>(names::kConversionPageScroll);
    ASSERT_NE(nullptr, scroll);
    EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible() || scroll->verticalScrollBar()->isVisible());
    const QWidget* page = scroll->widget();
    EXPECT_GE(page->width(), page->minimumSizeHint().width()) << "the page scrolls, it is not squeezed";
    EXPECT_GE(page->height(), page->minimumSizeHint().height());
}

} // namespace
} // namespace lmx
