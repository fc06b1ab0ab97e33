#pragma once
// Every message box and file, colour or folder chooser of the window goes through this interface:
// the program uses the Qt one, tests a scripted one answered in advance.
#include "core/UPorts.h"

#include <QColor>

#include <deque>
#include <string>
#include <vector>

class QWidget;

namespace lmx {

class FmtEditor;
class TForm2;

class IDialogs : public IMessages {
public:
    // Paths are Windows-1252 texts like every other core text. false when the user cancels.
    virtual bool OpenFiles(const std::string& title, const std::string& dir, std::vector<std::string>& files) = 0;
    virtual bool SaveFile(const std::string& title, const std::string& dir, std::string& file) = 0;
    virtual bool ChooseColor(const QColor& initial, QColor& chosen) = 0;
    virtual bool ChooseFolder(const std::string& title, const std::string& dir, std::string& folder) = 0;
    // The new-format-name dialog for the editor's NameDlgMode; true when it closed with OK, the
    // names then left in the editor.
    virtual bool AskFormatName(FmtEditor& editor) = 0;
};

class QtDialogs : public IDialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    // The one name dialog of the program, made once at start and kept between uses.
    void SetNameDialog(TForm2* dialog) { nameDialog_ = dialog; }

    void Show(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    bool OpenFiles(const std::string& title, const std::string& dir, std::vector<std::string>& files) override;
    bool SaveFile(const std::string& title, const std::string& dir, std::string& file) override;
    bool ChooseColor(const QColor& initial, QColor& chosen) override;
    bool ChooseFolder(const std::string& title, const std::string& dir, std::string& folder) override;
    bool AskFormatName(FmtEditor& editor) override;

private:
    QWidget* parent_;
    TForm2* nameDialog_ = nullptr;
};

// Answers from queues filled in advance and records what was asked. An empty queue answers Cancel
// (OK for confirmations), so a test never blocks on a dialog.
class ScriptedDialogs : public IDialogs {
public:
    void Show(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    bool OpenFiles(const std::string& title, const std::string& dir, std::vector<std::string>& files) override;
    bool SaveFile(const std::string& title, const std::string& dir, std::string& file) override;
    bool ChooseColor(const QColor& initial, QColor& chosen) override;
    bool ChooseFolder(const std::string& title, const std::string& dir, std::string& folder) override;
    // Applies the dialog's OK rule to the next answer; its message, if any, is recorded as shown.
    bool AskFormatName(FmtEditor& editor) override;

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

    // What was shown.
    std::vector<std::string> shown;
    std::vector<std::string> confirmed;
    std::vector<std::string> openTitles, openDirs, saveTitles, saveDirs;
    int colorRequests = 0;
};

} // namespace lmx
