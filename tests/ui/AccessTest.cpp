// The window for every user: the colours it sets read in a light and a dark theme.
#include "UiFixture.h"

#include "common/Contrast.h"
#include "model/FormatEditorModel.h"
#include "ui/FormatEditorPage.h"
#include "ui/FormatNameDialog.h"
#include "ui/QtBridge.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace lmx {
namespace {

using test::CrLf;
using test::RgbOf;
using test::WriteFile;

QPalette DarkTheme() {
    QPalette p;
    const QColor window(0x35, 0x35, 0x35), base(0x2A, 0x2A, 0x2A), text(0xEE, 0xEE, 0xEC), off(0x91, 0x91, 0x91);
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = g == QPalette::Disabled;
        p.setColor(g, QPalette::Window, window);
        p.setColor(g, QPalette::Button, window);
        p.setColor(g, QPalette::Base, base);
        p.setColor(g, QPalette::AlternateBase, window);
        for (const QPalette::ColorRole r : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            p.setColor(g, r, disabled ? off : text);
        p.setColor(g, QPalette::Highlight, QColor(0x15, 0x53, 0x9E));
        p.setColor(g, QPalette::HighlightedText, Qt::white);
    }
    return p;
}

// The theme for the object's life, as the desktop would give it.
struct Theme {
    explicit Theme(bool dark) : before(QApplication::palette()) {
        QApplication::setPalette(dark ? DarkTheme() : QApplication::style()->standardPalette());
    }
    ~Theme() { QApplication::setPalette(before); }
    QPalette before;
};

// The pairs of colours under root, one of which the program set (it differs from the theme's),
// that read below 4.5:1, in the state each widget is drawn in.
std::vector<std::string> Unreadable(QWidget& root, const std::string& where) {
    QApplication::processEvents();
    std::vector<std::string> out;
    QList<QWidget*> widgets = root.findChildren<QWidget*>();
    widgets.push_back(&root);
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> pairs[] = {
        {QPalette::Window, QPalette::WindowText}, {QPalette::Base, QPalette::Text}, {QPalette::Button, QPalette::ButtonText}};
    for (const QWidget* w : widgets) {
        if (!w->isVisible()) continue;
        const QPalette& p = w->palette();
        const QPalette theme = QApplication::palette(w);
        const QPalette::ColorGroup g = w->isEnabled() ? QPalette::Active : QPalette::Disabled;
        for (const auto& [back, text] : pairs) {
            if (p.color(g, back) == theme.color(g, back) && p.color(g, text) == theme.color(g, text)) continue;
            const double ratio = ContrastRatio(RgbOf(p.color(g, back)), RgbOf(p.color(g, text)));
            if (ratio < kReadableRatio)
                out.push_back(where + ": " + w->objectName().toStdString() + " " + p.color(g, text).name().toStdString() +
                              " on " + p.color(g, back).name().toStdString());
        }
    }
    return out;
}

// The best contrast of a pixel of the picture with the fill: its text's, when it has one.
double InkContrast(const QImage& img, QRgb fill) {
    double best = 1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) best = std::max(best, ContrastRatio(RgbOf(img.pixel(x, y)), RgbOf(fill)));
    return best;
}

class Colours : public ::testing::TestWithParam<bool> {};

TEST_P(Colours, EveryColourTheProgramSetsReadsInTheTheme) {
    const Theme theme(GetParam());
    test::Program p;
    test::PrepareInOut(p);
    WriteFile(p.path("q.txt"), CrLf({"1,5;x", "2;y;de trop"}));
    auto form = p.Open();
    form->resize(900, 650);
    form->show();
    std::vector<std::string> bad;
    const auto look = [&](QWidget& root, const std::string& where) {
        for (std::string& b : Unreadable(root, where)) bad.push_back(std::move(b));
    };
    p.Choose(*form, {p.path("q.txt")});
    look(*form, "result proposed");
    // Lit under the mouse, then run: a rejected count.
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->findChild<QPushButton*>(names::kConvertButton), &move);
    look(*form, "lit");
    test::Convert(*form);
    look(*form, "after the run");
    // The titles of the grids and the rejected lines' file band.
    for (const char* name : {names::kInputGrid, names::kRejectsGrid}) {
        QHeaderView* titles = form->findChild<QTableView*>(name)->horizontalHeader();
        const QRect first(titles->sectionViewportPosition(1), 0, titles->sectionSize(1) - 1, titles->height() - 1);
        const QImage img = titles->grab(first).toImage();
        EXPECT_GE(InkContrast(img, img.pixel(1, 1)), kReadableRatio) << name;
    }
    auto* rejects = form->findChild<QTableView*>(names::kRejectsGrid);
    const QImage cells = rejects->viewport()->grab().toImage();
    const QRect band = rejects->visualRect(rejects->model()->index(2, 1));
    EXPECT_GE(ContrastRatio(RgbOf(cells.pixel(band.left() + 1, band.bottom() - 1)), RgbOf(Qt::white)), kReadableRatio);
    // The result exists now: no name, on red.
    p.Choose(*form, {p.path("q.txt")});
    look(*form, "result refused");
    // Every page, the editor with a new format (greyed fields), and the name dialog in each mode.
    test::ForEveryPage(*form, [&](const std::string& where) { look(*form, where); }, ndNew, "NEW");
    FormatNameDialog dialog(p.session.editor, p.formats, p.lang, p.dialogs);
    for (const int mode : {ndNew, ndModify}) {
        p.session.editor.NameDlgMode = mode;
        dialog.show();
        look(dialog, "name dialog");
        dialog.hide();
    }
    EXPECT_EQ(std::vector<std::string>{}, bad);
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, Colours, ::testing::Bool());

} // namespace
} // namespace lmx
