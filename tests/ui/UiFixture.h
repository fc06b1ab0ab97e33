#pragma once
// A program's state in a temporary program folder, and the window over it.
#include "core/UConvPage.h"
#include "core/UDataFormats.h"
#include "core/UFmtFile.h"
#include "core/ULog.h"
#include "env/ULang.h"
#include "env/UParms.h"
#include "support/TestSupport.h"
#include "ui/UDialogs.h"
#include "ui/UMain.h"

#include <memory>
#include <string>
#include <vector>

namespace lmx::test {

struct Program {
    TempDir dir;
    ScriptedDialogs dialogs;
    LangTexts lang;
    FormatState formats;
    Log log{formats, dialogs};
    Params params{lang};
    ConvPageState page;
    FmtFile fmt{formats, lang, dialogs};
    WindowContext ctx{dir.path(), {}, lang, formats, log, dialogs, params, page, fmt};

    std::string path(const std::string& name) const { return dir.file(name); }
    // Log lines from the first one that starts with prefix, up to count of them.
    std::vector<std::string> LogFrom(const std::string& prefix, std::size_t count) const;
    std::unique_ptr<TForm1> Open(std::vector<std::string> args = {});
};

} // namespace lmx::test
