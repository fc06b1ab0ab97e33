#include "ScriptedDialogs.h"

#include "model/FormatEditorModel.h"
#include "ui/QtBridge.h"

namespace lmx {

void ScriptedDialogs::Show(const std::string& text) { ShowPaths(TextWithPaths(text)); }

bool ScriptedDialogs::Confirm(const std::string& text) { return ConfirmPaths(TextWithPaths(text)); }

void ScriptedDialogs::ShowPaths(const TextWithPaths& text) {
    shown.push_back(text.Text());
    shownText.push_back(Qs(text));
    if (onMessage) onMessage(shownText.back());
}

bool ScriptedDialogs::ConfirmPaths(const TextWithPaths& text) {
    confirmed.push_back(text.Text());
    confirmedText.push_back(Qs(text));
    if (onMessage) onMessage(confirmedText.back());
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

bool ScriptedDialogs::AskFormatName(FormatEditorModel& editor) {
    nameModes.push_back(editor.NameDlgMode);
    if (nameAnswers.empty()) return false;
    const NameAnswer a = nameAnswers.front();
    nameAnswers.pop_front();
    if (!a.ok) return false;
    const NameDlgOutcome r = editor.NameDialogOk(a.edit1, a.chosen);
    if (!r.Message.empty()) Show(r.Message);
    return r.Close;
}

} // namespace lmx
