#include "ui/UScreens.h"

#include "ui/UAboutBx.h"
#include "ui/UMain.h"
#include "core/UFmtEditor.h"
#include "ui/UPageConvert.h"
#include "ui/UPageFormats.h"
#include "ui/UPageParams.h"
#include "ui/UQt.h"
#include "ui/UResultViews.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>

namespace lmx {

bool SaveScreenshots(TForm1& form, const QString& folder) {
    QDir().mkpath(folder);
    bool ok = true;
    auto shoot = [&](QWidget& w, const QString& name) {
        QApplication::processEvents();
        ok = w.grab().save(QDir(folder).filePath(name + ".png"), "PNG") && ok;
    };
    const int mainPage = form.PageControl1->currentIndex();
    const int lowerPage = form.TabSheet1->PageControl2->currentIndex();
    for (int i = 0; i < form.PageControl1->count(); ++i) {
        form.PageControl1->setCurrentIndex(i);
        shoot(form, QStringLiteral("main-page%1").arg(i + 1));
    }
    // The parameters page's three panels.
    form.PageControl1->setCurrentIndex(2);
    const char* panels[] = {"params-processing", "params-environment", "params-integration"};
    for (int i = 0; i < 3; ++i) {
        form.TabSheet3->ShowCategory(i);
        shoot(form, QString::fromLatin1(panels[i]));
    }
    form.TabSheet3->ShowCategory(0);
    form.PageControl1->setCurrentIndex(0);
    for (int i = 0; i < form.TabSheet1->PageControl2->count(); ++i) {
        form.TabSheet1->PageControl2->setCurrentIndex(i);
        shoot(form, QStringLiteral("conversion-lower%1").arg(i + 1));
    }
    form.TabSheet1->PageControl2->setCurrentIndex(lowerPage);

    // The format editor: at start, a new format, the first format of the list being modified.
    form.PageControl1->setCurrentIndex(1);
    shoot(form, QStringLiteral("formats-start"));
    form.TabSheet2->EnterState(ndNew, "NOUVEAU");
    shoot(form, QStringLiteral("formats-new"));
    if (form.TabSheet1->ComboBox1->count() > 0) {
        form.TabSheet2->EnterState(ndModify, Cp(form.TabSheet1->ComboBox1->itemText(0)));
        shoot(form, QStringLiteral("formats-modify"));
    }
    form.PageControl1->setCurrentIndex(mainPage);

    TAboutBox about;
    about.show();
    shoot(about, QStringLiteral("about"));
    about.close();
    return ok;
}

} // namespace lmx
