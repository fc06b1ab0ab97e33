// The parameters page's handlers: controls to the model and back, messages through the dialogs.
#include "ui/ParametersPage.h"

#include "common/Cp1252.h"
#include "common/Basics.h"
#include "env/LangTexts.h"
#include "env/Params.h"
#include "platform/Shortcut.h"
#include "ui/Dialogs.h"
#include "ui/QtBridge.h"

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

// The edit stays editable and keeps its text. Both colours are the theme's: a field's, or a
// button's; greyed, a click still reaches it but Tab passes it by.
void SetEditOn(QLineEdit* edit, bool on) {
    edit->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
    const QPalette theme = QApplication::palette(edit);
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, theme.color(on ? QPalette::Base : QPalette::Button));
    pal.setColor(QPalette::Text, theme.color(on ? QPalette::Text : QPalette::ButtonText));
    edit->setPalette(pal);
}

std::string ToBytes(const QLineEdit* e) { return PathBytes(e->text()); }

} // namespace

void ParametersPage::StartUp(const std::vector<std::string>& langNames) {
    ShowPanel(ppProcessing);
    {
        const QSignalBlocker quiet(categoryList);
        categoryList->clear();
        for (const std::string& c : model_.Categories()) categoryList->addItem(Qs(c));
    }
    SetValues(model_.FromParams(langNames));
}

ParametersPageValues ParametersPage::Values() const {
    ParametersPageValues v;
    v.erlEnabled = rejectLineRadio->isEnabled();
    v.rejectLine = rejectLineRadio->isChecked();
    v.stopRun = stopRunRadio->isChecked();
    v.dirNew = otherDirRadio->isChecked();
    v.dir = ToBytes(dirEdit);
    v.addText = addTextBox->isChecked();
    v.text = ToBytes(addTextEdit);
    v.newExt = newExtRadio->isChecked();
    v.ext = ToBytes(extEdit);
    v.after = renameRadio->isChecked()   ? arRename
              : trashRadio->isChecked() ? arTrash
              : deleteRadio->isChecked() ? arDelete
                                           : arNothing;
    v.renameText = ToBytes(renameEdit);
    v.logSimple = simpleLogRadio->isChecked();
    v.logExtended = extendedLogRadio->isChecked();
    v.encoding = encodingBox->currentIndex();
    v.eolLf = lineEndBox->currentIndex() == 1;
    for (int i = 0; i < languageBox->count(); ++i) v.languages.push_back(Cp(languageBox->itemText(i)));
    v.language = languageBox->currentIndex();
    return v;
}

void ParametersPage::SetValues(const ParametersPageValues& v) {
    CheckOnly(erlGroup_, v.rejectLine ? rejectLineRadio : v.stopRun ? stopRunRadio : nullptr);
    rejectLineRadio->setEnabled(v.erlEnabled);
    stopRunRadio->setEnabled(v.erlEnabled);
    CheckOnly(dirGroup_, v.dirNew ? otherDirRadio : sameDirRadio);
    dirEdit->setText(PathText(v.dir));
    addTextBox->setChecked(v.addText);
    addTextEdit->setText(PathText(v.text));
    CheckOnly(extGroup_, v.newExt ? newExtRadio : sourceExtRadio);
    extEdit->setText(PathText(v.ext));
    QRadioButton* after[] = {renameRadio, trashRadio, deleteRadio, keepRadio};
    CheckOnly(afterGroup_, after[v.after]);
    renameEdit->setText(PathText(v.renameText));
    CheckOnly(logGroup_, v.logSimple ? simpleLogRadio : v.logExtended ? extendedLogRadio : nullptr);
    encodingBox->setCurrentIndex(v.encoding);
    lineEndBox->setCurrentIndex(v.eolLf ? 1 : 0);
    languageBox->clear();
    for (const std::string& name : v.languages) languageBox->addItem(Qs(name));
    languageBox->setCurrentIndex(v.language);
    // Every rule once more, whatever was toggled on the way.
    onDirChoiceChanged();
    onAddTextToggled();
    onExtChoiceChanged();
    onAfterRunChanged();
}

bool ParametersPage::eventFilter(QObject* watched, QEvent* event) {
    // A click anywhere in the list counts, in an empty area too.
    if (watched == categoryList->viewport() && event->type() == QEvent::MouseButtonRelease) onCategoryClicked();
    return QWidget::eventFilter(watched, event);
}

void ParametersPage::ShowPanel(PrmPanel panel) {
    processingPanel->setVisible(panel == ppProcessing);
    environmentPanel->setVisible(panel == ppEnvironment);
    integrationPanel->setVisible(panel == ppIntegration);
}

void ParametersPage::ShowCategory(int row) {
    categoryList->setCurrentRow(row);
    onCategoryClicked();
}

void ParametersPage::PageOpened() {
    {
        const QSignalBlocker quiet(categoryList);
        categoryList->setCurrentRow(
            ParametersPageModel::RowForPanel(!environmentPanel->isHidden(), !integrationPanel->isHidden()));
    }
    // Results beside their sources show the file's mark for it, as the field always has.
    dirEdit->setText(PathText(prm_.settings.resultFolder.value_or("$Q")));
}

void ParametersPage::onCategoryClicked() {
    const QList<QListWidgetItem*> selected = categoryList->selectedItems();
    ShowPanel(
        ParametersPageModel::PanelForRow(selected.isEmpty() ? -1 : categoryList->row(selected.first())));
}

void ParametersPage::onDirChoiceChanged() {
    const bool on = DirEditOn(Values());
    SetEditOn(dirEdit, on);
    dirButton->setEnabled(on);
}

void ParametersPage::onAddTextToggled() { SetEditOn(addTextEdit, TextEditOn(Values())); }

void ParametersPage::onExtChoiceChanged() { SetEditOn(extEdit, ExtEditOn(Values())); }

void ParametersPage::onAfterRunChanged() { SetEditOn(renameEdit, RenameEditOn(Values())); }

void ParametersPage::onDirButtonClicked() {
    std::string folder;
    if (!dialogs_.ChooseFolder(lang_.Text(LK::msg_SelDir), ToBytes(dirEdit), folder)) return;
    dirEdit->setText(PathText(IncludeTrailingSlash(folder))); // stored only by the save
}

void ParametersPage::onSaveClicked() {
    resultLabel->clear();
    ParametersPageValues v = Values();
    const ParametersPageModel::SaveOutcome r = model_.Save(v);
    extEdit->setText(PathText(v.ext)); // with the "." put in front, also when the save is refused
    resultLabel->setText(Qs(r.label).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    dialogs_.ShowPaths(r.message);
}

void ParametersPage::onApplyLanguageClicked() {
    const ParametersPageValues v = Values();
    const ParametersPageModel::LangOutcome r = model_.ApplyLanguage(v);
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

void ParametersPage::onStartMenuClicked() { Shortcut(spStartMenu); }

void ParametersPage::onDesktopClicked() { Shortcut(spDesktop); }

void ParametersPage::onOpenWithClicked() { Shortcut(spSendTo); }

} // namespace lmx
