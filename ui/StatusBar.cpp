#include "ui/StatusBar.h"

#include "env/LangTexts.h"
#include "ui/ObjectNames.h"
#include "ui/QtBridge.h"

#include <QLabel>
#include <QProgressBar>

namespace lmx {

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(names::kStatusBar);
    setSizeGripEnabled(false);
}

void StatusBar::Build(const LangTexts& lang) {
    if (Built()) return;
    const QString texts[5] = {Qs(lang.Text(LK::cpn_global) + " : "), QString(), Qs(lang.Text(LK::cpn_unit) + " : "),
                              QString(), Qs(lang.Text(LK::cpn_wait))};
    const int height = 20;
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel(texts[i]);
        panel->setObjectName(names::kStatusBar + QStringLiteral("Panel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setFixedHeight(height);
        if (i == 1) panel->setFixedWidth(250);
        if (i == 3) panel->setFixedWidth(150);
        panels_[i] = panel;
        addWidget(panel, i == 4 ? 1 : 0);
    }
    // Each bar sits inside its panel: 2 pixels from the top, 2 narrower, 2 less high. The panels
    // are on screen already, so a bar made now must be shown by hand.
    auto makeBar = [height](QLabel* panel, const char* name) {
        auto* bar = new QProgressBar(panel);
        bar->setObjectName(QString::fromLatin1(name));
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        bar->setGeometry(1, 1, panel->width() - 2, height - 2);
        bar->show();
        return bar;
    };
    runBar = makeBar(panels_[1], names::kRunBar);
    fileBar = makeBar(panels_[3], names::kFileBar);
    runBar->setAccessibleName(Qs(lang.Text(LK::acc_runBar)));
    fileBar->setAccessibleName(Qs(lang.Text(LK::acc_fileBar)));
}

QString StatusBar::Text(int panel) const {
    if (panel < 0 || panel > 4 || !panels_[panel]) return {};
    return panels_[panel]->text();
}

void StatusBar::SetBarRange(RunBar bar, int max) {
    if (QProgressBar* b = Bar(bar)) b->setRange(0, max);
}

void StatusBar::SetBarValue(RunBar bar, int value) {
    if (QProgressBar* b = Bar(bar)) b->setValue(value);
}

void StatusBar::SetStatusText(const QString& text) {
    if (panels_[4]) panels_[4]->setText(text);
}

} // namespace lmx
