#include "ui/Dialogs.h"

#include "ui/FormatNameDialog.h"
#include "ui/QtBridge.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace lmx {

namespace {

void Inform(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QStringLiteral("Lumivex"), text, QMessageBox::Ok);
}

bool Ask(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QStringLiteral("Lumivex"), text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

} // namespace

void QtDialogs::Show(const std::string& text) { Inform(parent_, Qs(text)); }

bool QtDialogs::Confirm(const std::string& text) { return Ask(parent_, Qs(text)); }

void QtDialogs::ShowPaths(const TextWithPaths& text) { Inform(parent_, Qs(text)); }

bool QtDialogs::ConfirmPaths(const TextWithPaths& text) { return Ask(parent_, Qs(text)); }

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

bool QtDialogs::AskFormatName(FormatEditorModel&) {
    return nameDialog_ && nameDialog_->exec() == QDialog::Accepted;
}

} // namespace lmx
