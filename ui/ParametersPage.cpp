// The parameters page's handlers: controls to the model and back, messages through the dialogs.
#include "ui/ParametersPage.h"

#include "common/Cp1252.h"
#include "common/UCommuns.h"
#include "env/ULang.h"
#include "env/UParms.h"
#include "platform/UShortcut.h"
#include "ui/UDialogs.h"
#include "ui/UQt.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace lmx {

namespace {

// Checks one button of the group, or none: an exclusive group would refuse to clear the last one.
void CheckOnly(QButtonGroup* group, QAbstractButton* which) {
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons()) b->setChecked(b == which);
    group->setExclusive(true);
}

// The colour is the only change: the edit stays editable and keeps its text.
void SetEditOn(QLineEdit* edit, bool on) {
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, QApplication::palette().color(on ? QPalette::Base : QPalette::Button));
    edit->setPalette(pal);
}

std::string ToBytes(const QLineEdit* e) { return PathBytes(e->text()); }

} // namespace

void ParametersPage::StartUp(const std::vector<std::string>& langNames) {
    ShowPanel(ppProcessing);
    {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->clear();
        for (const std::string& c : model_.Categories()) ListBox1->addItem(Qs(c));
    }
    SetValues(model_.FromParams(langNames));
}

PrmPageValues ParametersPage::Values() const {
    PrmPageValues v;
    v.erlEnabled = RadioButton9->isEnabled();
    v.rejectLine = RadioButton9->isChecked();
    v.stopRun = RadioButton10->isChecked();
    v.dirNew = RadioButton8->isChecked();
    v.dir = ToBytes(Edit11);
    v.addText = CheckBox4->isChecked();
    v.text = ToBytes(Edit12);
    v.newExt = RadioButton13->isChecked();
    v.ext = ToBytes(Edit8);
    v.after = RadioButton14->isChecked()   ? arRename
              : RadioButton15->isChecked() ? arTrash
              : RadioButton16->isChecked() ? arDelete
                                           : arNothing;
    v.renameText = ToBytes(Edit10);
    v.logSimple = RadioButton5->isChecked();
    v.logExtended = RadioButton6->isChecked();
    v.encoding = ComboBox9->currentIndex();
    v.eolLf = ComboBox10->currentIndex() == 1;
    for (int i = 0; i < ComboBox8->count(); ++i) v.languages.push_back(Cp(ComboBox8->itemText(i)));
    v.language = ComboBox8->currentIndex();
    return v;
}

void ParametersPage::SetValues(const PrmPageValues& v) {
    CheckOnly(erlGroup_, v.rejectLine ? RadioButton9 : v.stopRun ? RadioButton10 : nullptr);
    RadioButton9->setEnabled(v.erlEnabled);
    RadioButton10->setEnabled(v.erlEnabled);
    CheckOnly(dirGroup_, v.dirNew ? RadioButton8 : RadioButton7);
    Edit11->setText(PathText(v.dir));
    CheckBox4->setChecked(v.addText);
    Edit12->setText(PathText(v.text));
    CheckOnly(extGroup_, v.newExt ? RadioButton13 : RadioButton12);
    Edit8->setText(PathText(v.ext));
    QRadioButton* after[] = {RadioButton14, RadioButton15, RadioButton16, RadioButton17};
    CheckOnly(afterGroup_, after[v.after]);
    Edit10->setText(PathText(v.renameText));
    CheckOnly(logGroup_, v.logSimple ? RadioButton5 : v.logExtended ? RadioButton6 : nullptr);
    ComboBox9->setCurrentIndex(v.encoding);
    ComboBox10->setCurrentIndex(v.eolLf ? 1 : 0);
    ComboBox8->clear();
    for (const std::string& name : v.languages) ComboBox8->addItem(Qs(name));
    ComboBox8->setCurrentIndex(v.language);
    // Every rule once more, whatever was toggled on the way.
    RadioButton8Click();
    CheckBox4Click();
    RadioButton13Click();
    RadioButton14Click();
}

bool ParametersPage::eventFilter(QObject* watched, QEvent* event) {
    // A click anywhere in the list counts, in an empty area too.
    if (watched == ListBox1->viewport() && event->type() == QEvent::MouseButtonRelease) ListBox1Click();
    return QWidget::eventFilter(watched, event);
}

void ParametersPage::ShowPanel(PrmPanel panel) {
    Panel8->setVisible(panel == ppProcessing);
    Panel9->setVisible(panel == ppEnvironment);
    Panel11->setVisible(panel == ppIntegration);
}

void ParametersPage::ShowCategory(int row) {
    ListBox1->setCurrentRow(row);
    ListBox1Click();
}

void ParametersPage::PageOpened() {
    {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->setCurrentRow(PrmPage::RowForPanel(!Panel9->isHidden(), !Panel11->isHidden()));
    }
    Edit11->setText(PathText(prm_.PrmGet(prmMRD)));
}

void ParametersPage::ListBox1Click() {
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    ShowPanel(PrmPage::PanelForRow(selected.isEmpty() ? -1 : ListBox1->row(selected.first())));
}

void ParametersPage::RadioButton8Click() {
    const bool on = DirEditOn(Values());
    SetEditOn(Edit11, on);
    Button1->setEnabled(on);
}

void ParametersPage::CheckBox4Click() { SetEditOn(Edit12, TextEditOn(Values())); }

void ParametersPage::RadioButton13Click() { SetEditOn(Edit8, ExtEditOn(Values())); }

void ParametersPage::RadioButton14Click() { SetEditOn(Edit10, RenameEditOn(Values())); }

void ParametersPage::Button1Click() {
    std::string folder;
    if (!dialogs_.ChooseFolder(lang_.Text(LK::msg_SelDir), ToBytes(Edit11), folder)) return;
    Edit11->setText(PathText(IncludeTrailingSlash(folder))); // stored only by the save
}

void ParametersPage::BitBtn18Click() {
    Label53->clear();
    PrmPageValues v = Values();
    const PrmPage::SaveOutcome r = model_.Save(v);
    Edit8->setText(PathText(v.ext)); // with the "." put in front, also when the save is refused
    Label53->setText(Qs(r.label).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    dialogs_.ShowPaths(r.message);
}

void ParametersPage::Button5Click() {
    const PrmPageValues v = Values();
    const PrmPage::LangOutcome r = model_.ApplyLanguage(v);
    if (!r.message.empty()) dialogs_.Show(r.message);
    if (!r.apply) return;
    if (OnTextsChanged) OnTextsChanged();
    if (OnLanguageApplied && v.language >= 0 && static_cast<std::size_t>(v.language) < v.languages.size())
        OnLanguageApplied(v.languages[static_cast<std::size_t>(v.language)]);
}

void ParametersPage::Shortcut(int place) {
    std::string why;
    const ShortcutTarget where = place == spDesktop ? ShortcutTarget::Desktop
                                : place == spSendTo ? ShortcutTarget::SendTo
                                                    : ShortcutTarget::StartMenu;
    const bool ok = CreateShortcut(where, ExecutablePath(), &why);
    // A failure says why on a line of its own (a missing tool, a path no launcher can start).
    dialogs_.Show(model_.ShortcutMessage(place, ok) + (ok || why.empty() ? "" : "\n" + Utf8ToCp1252(why)));
}

void ParametersPage::Button2Click() { Shortcut(spStartMenu); }

void ParametersPage::Button4Click() { Shortcut(spDesktop); }

void ParametersPage::Button3Click() { Shortcut(spSendTo); }

} // namespace lmx
