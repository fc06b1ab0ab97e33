#include "ui/UDialogs.h"

#include "core/UFmtEditor.h"
#include "ui/UDataFmtName.h"
#include "ui/UQt.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace lmx {

void QtDialogs::Show(const std::string& text) {
    QMessageBox::information(parent_, QStringLiteral("Lumivex"), Qs(text), QMessageBox::Ok);
}

bool QtDialogs::Confirm(const std::string& text) {
    return QMessageBox::question(parent_, QStringLiteral("Lumivex"), Qs(text), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

bool QtDialogs::OpenFiles(const std::string& title, const std::string& dir, std::vector<std::string>& files) {
    QFileDialog dlg(parent_, Qs(title), PathText(dir));
    dlg.setFileMode(QFileDialog::ExistingFiles);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    if (dlg.exec() != QDialog::Accepted) return false;
    files.clear();
    for (const QString& f : dlg.selectedFiles()) files.push_back(PathBytes(f));
    return !files.empty();
}

bool QtDialogs::SaveFile(const std::string& title, const std::string& dir, std::string& file) {
    // Replacing an existing file is confirmed by the program's own message, not the toolkit's.
    const QString f = QFileDialog::getSaveFileName(parent_, Qs(title), PathText(dir), QString(), nullptr,
                                                   QFileDialog::DontConfirmOverwrite);
    if (f.isEmpty()) return false;
    file = PathBytes(f);
    return true;
}

bool QtDialogs::ChooseColor(const QColor& initial, QColor& chosen) {
    const QColor c = QColorDialog::getColor(initial, parent_);
    if (!c.isValid()) return false;
    chosen = c;
    return true;
}

bool QtDialogs::ChooseFolder(const std::string& title, const std::string& dir, std::string& folder) {
    const QString f = QFileDialog::getExistingDirectory(parent_, Qs(title), PathText(dir));
    if (f.isEmpty()) return false;
    folder = PathBytes(f);
    return true;
}

bool QtDialogs::AskFormatName(FmtEditor&) {
    return nameDialog_ && nameDialog_->exec() == QDialog::Accepted;
}

void ScriptedDialogs::Show(const std::string& text) { shown.push_back(text); }

bool ScriptedDialogs::Confirm(const std::string& text) {
    confirmed.push_back(text);
    if (confirmAnswers.empty()) return true;
    const bool a = confirmAnswers.front();
    confirmAnswers.pop_front();
    return a;
}

bool ScriptedDialogs::OpenFiles(const std::string& title, const std::string& dir, std::vector<std::string>& files) {
    openTitles.push_back(title);
    openDirs.push_back(dir);
    if (openAnswers.empty()) return false;
    files = openAnswers.front();
    openAnswers.pop_front();
    return !files.empty();
}

bool ScriptedDialogs::SaveFile(const std::string& title, const std::string& dir, std::string& file) {
    saveTitles.push_back(title);
    saveDirs.push_back(dir);
    if (saveAnswers.empty()) return false;
    file = saveAnswers.front();
    saveAnswers.pop_front();
    return !file.empty();
}

bool ScriptedDialogs::ChooseColor(const QColor&, QColor& chosen) {
    ++colorRequests;
    if (colorAnswers.empty()) return false;
    const QColor c = colorAnswers.front();
    colorAnswers.pop_front();
    if (!c.isValid()) return false;
    chosen = c;
    return true;
}

bool ScriptedDialogs::ChooseFolder(const std::string&, const std::string&, std::string& folder) {
    if (folderAnswers.empty()) return false;
    folder = folderAnswers.front();
    folderAnswers.pop_front();
    return !folder.empty();
}

bool ScriptedDialogs::AskFormatName(FmtEditor& editor) {
    nameModes.push_back(editor.NameDlgMode);
    if (nameAnswers.empty()) return false;
    const NameAnswer a = nameAnswers.front();
    nameAnswers.pop_front();
    if (!a.ok) return false;
    const NameDlgOutcome r = editor.NameDialogOk(a.edit1, a.chosen);
    if (!r.Message.empty()) shown.push_back(r.Message);
    return r.Close;
}

} // namespace lmx
