// The window without a mouse, and as a screen reader hears it: the wiring only (the choice of the
// Alt keys is the model's, tested there).
#include "UiFixture.h"

#include "model/FormatEditorModel.h"
#include "ui/ConversionPage.h"
#include "ui/FormatEditorPage.h"
#include "ui/FormatNameDialog.h"
#include "ui/ParametersPage.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QTabWidget>
#include <QTest>

#include <set>

#include <gtest/gtest.h>

namespace lmx {
namespace {

// The Tab presses from one control to another, at most limit.
int TabsFrom(QWidget* from, const QWidget* to, int limit = 40) {
    from->setFocus();
    for (int n = 1; n <= limit; ++n) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == to) return n;
    }
    return -1;
}

TEST(Keyboard, TabLeavesTheGridsAndFollowsReadingOrder) {
    test::Program p;
    test::PrepareInOut(p);
    auto form = p.Open();
    ASSERT_TRUE(test::ShowActive(*form));
    // The output format list, its preview, then "Convertir".
    EXPECT_EQ(2,
              TabsFrom(test::Find(*form, names::kOutputFormatBox), test::Find(*form, names::kConvertButton)));
    EXPECT_EQ(1, TabsFrom(test::Find(*form, names::kInputFormatBox), test::Find(*form, names::kInputGrid)));

    // The parameters page: "Save" after the last option, the greyed folder field passed by.
    form->pages->setCurrentIndex(2);
    ParametersPage& params = *form->parametersPage;
    params.ShowCategory(0);
    params.sameDirRadio->setChecked(true);
    EXPECT_EQ(1, TabsFrom(params.otherDirRadio, params.addTextBox)) << "the folder's field and button are greyed";
    params.otherDirRadio->setChecked(true);
    EXPECT_EQ(1, TabsFrom(params.otherDirRadio, params.dirEdit));
    params.ShowCategory(2);
    EXPECT_EQ(1, TabsFrom(params.openWithButton, params.saveButton));

    // The spin box's arrows are no stops: its field's Up key steps it.
    form->pages->setCurrentIndex(1);
    for (const char* arrow : {names::kSkipUp, names::kSkipDown})
        EXPECT_EQ(Qt::NoFocus, test::Find(*form, arrow)->focusPolicy()) << arrow;
}

TEST(Keyboard, WindowKeysTurnThePagesAndQuit) {
    test::Program p;
    auto form = p.Open();
    ASSERT_TRUE(test::ShowActive(*form));
    QTest::keyClick(form.get(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(1, form->pages->currentIndex());
    QTest::keyClick(form.get(), Qt::Key_PageUp, Qt::ControlModifier);
    QTest::keyClick(form.get(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(2, form->pages->currentIndex()) << "round from the first page to the last";

    // Every page's keys are its own and apart from the window's.
    const auto keysIn = [](const QString& text, std::multiset<QChar>& keys) {
        static const QRegularExpression kKey(QStringLiteral("&([^&])"));
        for (const auto& m : kKey.globalMatch(text)) keys.insert(m.captured(1).at(0).toLower());
    };
    std::multiset<QChar> own;
    for (int i = 0; i < form->pages->count(); ++i) keysIn(form->pages->tabText(i), own);
    keysIn(form->aboutButton->text(), own);
    keysIn(form->quitButton->text(), own);
    for (QWidget* page : std::initializer_list<QWidget*>{form->conversionPage, form->formatEditorPage, form->parametersPage}) {
        std::multiset<QChar> keys = own;
        for (const QAbstractButton* b : page->findChildren<QAbstractButton*>()) keysIn(b->text(), keys);
        for (const QLabel* l : page->findChildren<QLabel*>())
            if (l->buddy()) keysIn(l->text(), keys);
        for (const QTabWidget* t : page->findChildren<QTabWidget*>())
            for (int i = 0; i < t->count(); ++i) keysIn(t->tabText(i), keys);
        EXPECT_GT(keys.size(), own.size() + 8) << page->objectName().toStdString();
        for (const QChar c : keys) EXPECT_EQ(1u, keys.count(c)) << page->objectName().toStdString() << " " << c.toLatin1();
    }

    QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form->isVisible());
}

TEST(Keyboard, EnterInTheNameDialogAndTypeAheadInTheTypeList) {
    test::Program p;
    test::PrepareInOut(p);
    FormatNameDialog dialog(p.session.editor, p.formats, p.lang, p.dialogs);
    p.session.editor.NameDlgMode = ndNew;
    dialog.show();
    dialog.nameEdit->setFocus();
    QTest::keyClick(dialog.nameEdit, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible()) << "OK is greyed without a name";
    QTest::keyClicks(dialog.nameEdit, "NEW");
    ASSERT_TRUE(dialog.okButton->isEnabled());
    QTest::keyClick(dialog.nameEdit, Qt::Key_Return);
    EXPECT_EQ(QDialog::Accepted, dialog.result());

    auto form = p.Open();
    form->pages->setCurrentIndex(1);
    form->formatEditorPage->EnterState(ndModify, "IN");
    auto* types = form->findChild<QComboBox*>(names::kTypeBox);
    types->setFocus();
    QTest::keyClicks(types, "YYYYMM");
    EXPECT_EQ("YYYYMMDD", types->currentText().toStdString());
    EXPECT_EQ("YYYYMMDD", p.session.editor.Column.Type) << "chosen as from the list";
}

// What a screen reader says for w. A list on Linux is named by its value: its caption names it,
// or the name it was given.
QString SpokenName(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (!a) return {};
    if (!qobject_cast<QComboBox*>(w)) return a->text(QAccessible::Name);
    for (const auto& [label, relation] : a->relations(QAccessible::Label))
        if (qobject_cast<QLabel*>(label->object())) return label->text(QAccessible::Name);
    return w->accessibleName();
}

TEST(ScreenReaders, EveryControlIsNamedByWhatItIs) {
    test::Program p;
    test::PrepareInOut(p);
    auto form = p.Open();
    form->show();
    form->formatEditorPage->EnterState(ndModify, "IN");
    static const QRegularExpression kWords(QStringLiteral("\\w\\w"));
    std::vector<std::string> bad;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QStringLiteral("qt_"))) continue;
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                             qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QProgressBar*>(w) ||
                             qobject_cast<QAbstractSpinBox*>(w) || name == names::kBanner;
        if (!control || w->isHidden()) continue;
        const QString spoken = SpokenName(w);
        // A name with words, and not the title of the group the control sits in (a list alone in
        // its group may take it).
        const QGroupBox* group = nullptr;
        for (QWidget* up = w->parentWidget(); up && !group; up = up->parentWidget()) group = qobject_cast<QGroupBox*>(up);
        const bool groupTitle = group && spoken == group->title() && !qobject_cast<QComboBox*>(w);
        if (!spoken.contains(kWords) || groupTitle) bad.push_back(name.toStdString() + " \"" + spoken.toStdString() + "\"");
    }
    EXPECT_EQ(std::vector<std::string>{}, bad);
    // The signs say what they do.
    EXPECT_FALSE(form->findChild<QWidget*>(names::kDeleteColumnButton)->accessibleDescription().isEmpty());
}

} // namespace
} // namespace lmx
