#pragma once
// Every message box and file, colour or folder chooser of the window goes through this interface:
// the program uses the Qt one, tests one answered in advance.
#include "core/Ports.h"

#include <QColor>

#include <string>
#include <vector>

class QWidget;

namespace lmx {

class FormatEditorModel;
class FormatNameDialog;

class IDialogs : public IMessages {
public:
    // Paths are the file system's bytes. false when the user cancels.
    virtual bool OpenFiles(const std::string& title, const std::string& dir, std::vector<std::string>& files) = 0;
    virtual bool SaveFile(const std::string& title, const std::string& dir, std::string& file) = 0;
    virtual bool ChooseColor(const QColor& initial, QColor& chosen) = 0;
    virtual bool ChooseFolder(const std::string& title, const std::string& dir, std::string& folder) = 0;
    // The new-format-name dialog for the editor's NameDlgMode; true when it closed with OK, the
    // names then left in the editor.
    virtual bool AskFormatName(FormatEditorModel& editor) = 0;
};

class QtDialogs : public IDialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    // The one name dialog of the program, made once at start and kept between uses.
    void SetNameDialog(FormatNameDialog* dialog) { nameDialog_ = dialog; }

    void Show(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    void ShowPaths(const TextWithPaths& text) override;
    bool ConfirmPaths(const TextWithPaths& text) override;
    bool OpenFiles(const std::string& title, const std::string& dir, std::vector<std::string>& files) override;
    bool SaveFile(const std::string& title, const std::string& dir, std::string& file) override;
    bool ChooseColor(const QColor& initial, QColor& chosen) override;
    bool ChooseFolder(const std::string& title, const std::string& dir, std::string& folder) override;
    bool AskFormatName(FormatEditorModel& editor) override;

private:
    QWidget* parent_;
    FormatNameDialog* nameDialog_ = nullptr;
};

} // namespace lmx
