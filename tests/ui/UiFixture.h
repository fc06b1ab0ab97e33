#pragma once
// A program's state in a temporary program folder, and the window over it.
#include "model/Session.h"
#include "core/ColumnDraft.h"
#include "core/FormatFile.h"
#include "core/Log.h"
#include "env/LangTexts.h"
#include "env/Params.h"
#include "support/TestSupport.h"
#include "ScriptedDialogs.h"
#include "ui/MainWindow.h"

#include <QEvent>
#include <QObject>

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

// Clicks "Convertir" and lets the window's events through until the run it started is over.
void Convert(MainWindow& form);

} // namespace lmx::test
