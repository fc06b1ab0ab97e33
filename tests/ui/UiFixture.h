#pragma once
// A program's state in a temporary program folder, and the window over it.
#include "ScriptedDialogs.h"
#include "common/Contrast.h"
#include "core/ColumnDraft.h"
#include "core/FormatFile.h"
#include "core/Log.h"
#include "env/LangTexts.h"
#include "env/Params.h"
#include "model/Session.h"
#include "support/TestSupport.h"
#include "ui/MainWindow.h"
#include "ui/ObjectNames.h"

#include <QColor>
#include <QEvent>
#include <QObject>
#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lmx::test {

// Moves nothing: records what the run would have sent to the trash.
class RecordingTrash : public ITrash {
public:
    bool MoveToTrash(const std::string& path) override {
        trashed.push_back(path);
        return true;
    }
    std::vector<std::string> trashed;
};

struct Program {
    TempDir dir;
    ScriptedDialogs dialogs;
    RecordingTrash trash;
    Session session{dialogs, trash};
    WindowContext ctx{session, dialogs, dir.path(), {}};
    LangTexts& lang = session.lang;
    ChosenFormats& formats = session.formats;
    Log& log = session.log;
    Params& params = session.params;
    ConvPageState& page = session.page;

    std::string path(const std::string& name) const { return dir.file(name); }
    // Log lines from the first one that starts with prefix, up to count of them.
    std::vector<std::string> LogFrom(const std::string& prefix, std::size_t count) const;
    std::unique_ptr<MainWindow> Open(std::vector<std::string> args = {});
    // Chooses the files through "Ouvrir".
    void Choose(MainWindow& form, std::vector<std::string> files);
    // The window on screen, with the files chosen through "Ouvrir".
    std::unique_ptr<MainWindow> OpenWith(std::vector<std::string> files);
};

// Formats IN (A number, B text; ";" and ",") and OUT (B, A; ";" and "."), both remembered, so that
// the window starts with both selected.
void PrepareInOut(Program& p);

// A caption as it reads, in UTF-8: without the "&" of its Alt key.
std::string Caption(const QString& text);

// Lets the window's events through until the run of the command line is over (at most a while).
void WaitForCommandLineRun(MainWindow& form);

// Counts the paintings of a widget it filters the events of.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// The control of that object name under root (a names:: constant); the test fails without one.
template <class W = QWidget> W* Find(const QObject& root, const char* name) {
    W* w = root.findChild<W*>(QString::fromLatin1(name));
    EXPECT_TRUE(w) << name;
    return w;
}

// Clicks the button of that name under root.
void Click(const QObject& root, const char* name);

// What the label or line edit of that name shows.
QString Text(const QObject& root, const char* name);

// What the grid of that name shows in a cell.
QString Cell(const QObject& root, const char* grid, int row, int col);

// A colour as the contrast rules take it.
inline Rgb RgbOf(const QColor& c) {
    return {c.red(), c.green(), c.blue()};
}

// Shows the window and waits until it has the keyboard: false when it never gets it.
bool ShowActive(QWidget& window);

// Shows every page in turn and calls look with where it is: each lower page of the conversion page,
// the format editor with the format named open in the mode given, each panel of the parameters.
// Ends on the conversion page.
void ForEveryPage(MainWindow& form, const std::function<void(const std::string& where)>& look, int editorMode,
                  const std::string& format);

// Clicks "Convertir" and lets the window's events through until the run it started is over.
void Convert(MainWindow& form);

} // namespace lmx::test
