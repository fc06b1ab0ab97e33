#pragma once
// The window's dialogs for tests: answers from queues filled in advance, and a record of what was
// asked and shown. An empty queue answers Cancel (OK for confirmations), so a test never blocks.
#include "ui/Dialogs.h"

#include <QString>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace lmx {

class ScriptedDialogs : public IDialogs {
public:
    void Show(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    void ShowPaths(const TextWithPaths& text) override;
    bool ConfirmPaths(const TextWithPaths& text) override;
    bool OpenFiles(const std::string& title, const std::string& dir, std::vector<std::string>& files) override;
    bool SaveFile(const std::string& title, const std::string& dir, std::string& file) override;
    bool ChooseColor(const QColor& initial, QColor& chosen) override;
    bool ChooseFolder(const std::string& title, const std::string& dir, std::string& folder) override;
    // Applies the dialog's OK rule to the next answer; its message, if any, is recorded as shown.
    bool AskFormatName(FormatEditorModel& editor) override;

    // Next answers.
    std::deque<bool> confirmAnswers;
    std::deque<std::vector<std::string>> openAnswers; // an empty list stands for Cancel
    std::deque<std::string> saveAnswers;              // an empty name stands for Cancel
    std::deque<QColor> colorAnswers;                  // an invalid colour stands for Cancel
    std::deque<std::string> folderAnswers;
    struct NameAnswer {
        bool ok = true;     // false: Cancel
        std::string edit1;  // the name typed
        std::string chosen; // the name chosen in the list
    };
    std::deque<NameAnswer> nameAnswers;
    std::vector<int> nameModes; // the mode of each request

    // What was shown: the bytes, and the text as the window's message box shows it.
    std::vector<std::string> shown;
    std::vector<QString> shownText;
    std::vector<std::string> confirmed;
    std::vector<QString> confirmedText;
    std::vector<std::string> openTitles, openDirs, saveTitles, saveDirs;
    int colorRequests = 0;
    // Called as each message or confirmation is shown (the window's state at that moment).
    std::function<void(const QString&)> onMessage;
};

} // namespace lmx
