#pragma once
// Pictures of every page of the main window, for checking the layout: the pages at rest and the
// format editor; then, in a window of its own over a folder of sample formats, parameters and
// sources (the program's own files are never touched), a run before, during and after it, and the
// rejected lines with a "#Unstring" row selected.
#include "ui/Dialogs.h"

#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace lmx {

class Params;

// Answers without showing anything: the sample sources for "Ouvrir", OK for a confirmation,
// Cancel for every other chooser.
class ScreenshotDialogs : public IDialogs {
public:
    void Show(const std::string&) override {}
    bool Confirm(const std::string&) override { return true; }
    bool OpenFiles(const std::string& title, const std::string& dir, std::vector<std::string>& files) override;
    bool SaveFile(const std::string&, const std::string&, std::string&) override { return false; }
    bool ChooseColor(const QColor&, QColor&) override { return false; }
    bool ChooseFolder(const std::string&, const std::string&, std::string&) override { return false; }
    bool AskFormatName(FormatEditorModel&) override { return false; }

    std::vector<std::string> sources;
};

// For the check modes, run with no one at the screen: a message goes to the error output instead of
// a window that would wait for an answer; a confirmation is refused.
class ConsoleDialogs : public ScreenshotDialogs {
public:
    void Show(const std::string& text) override;
    bool Confirm(const std::string& text) override;
    void ShowPaths(const TextWithPaths& text) override;
    bool ConfirmPaths(const TextWithPaths& text) override;

    int shown = 0; // messages and confirmations
};

// Writes the sample formats and sources into folder (which exists) and the parameters that choose
// them; the sources' paths. Empty when a file could not be written.
std::vector<std::string> WriteScreenshotSamples(const std::string& folder, Params& params);

// Saves one PNG per page at rest, the format editor's states and the about box into folder; false
// when a picture could not be written. window is the main window, shown.
bool SaveScreenshots(QWidget& window, const QString& folder);

// The pictures of a run of dialogs.sources: window is a main window over the sample folder, shown,
// its dialogs dialogs.
bool SaveRunScreenshots(QWidget& window, ScreenshotDialogs& dialogs, const QString& folder);

// After the run's pictures: the chart of its result, then of a sample with one planted bad value
// written beside the sources, and that value's line shown.
bool SaveChartScreenshots(QWidget& window, ScreenshotDialogs& dialogs, const QString& folder);

} // namespace lmx
