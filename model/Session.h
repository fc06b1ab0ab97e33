#pragma once
// Everything one program instance keeps for its whole life, owned by main and passed down: the
// formats, the texts, the parameters, the log, the engine, the run state, the conversion page.
#include "model/ConversionPageModel.h"
#include "core/ColumnDraft.h"
#include "core/EngineRunner.h"
#include "model/FormatEditorModel.h"
#include "core/FormatFile.h"
#include "core/Log.h"
#include "core/Ports.h"
#include "core/ConversionRun.h"
#include "env/LangTexts.h"
#include "env/Params.h"

#include <string>

namespace lmx {

class Session {
public:
    // port: the system's files, folders and clock (the real one unless a test or the converter gives another).
    Session(IMessages& messages, ITrash& trash, SystemPort& port = RealPort());
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Sets the program's folder and every path derived from it: the parameters, the formats and the
    // log in FilesDir (the program's folder when FilesDir is empty), the language file beside them or
    // beside the program.
    void SetProgramDir(const std::string& dir);

    // Start-up steps shared by the window and the command-line converter; each writes its log line.
    // Parameters: defaults, then the file when it has bytes, else (when allowed) a new file, in the
    // desktop's language when the language file has it.
    Status StartParameters(bool createWhenMissing);
    // Language of LNG; on failure the bilingual message and LNG back to the built-in language.
    Status StartLanguage();
    // Format list, then the input format MRI and the output format MRO, the link and the date set-up;
    // messages for bad formats. The list's status.
    Status StartFormats();
    // Loads one format as input (mode 1) or output (mode 2) for the command line or a selection:
    // a failed load leaves that side without format; the load's status.
    Status SelectFormat(int mode, const std::string& name);
    // A format picked in the conversion page's list: remembered in MRI or MRO (no save), loaded,
    // and its failure told to the user; with the extended log, its description logged.
    Status ChooseFormat(int mode, const std::string& name);

    IMessages& messages;
    ITrash& trash;
    SystemPort& port;
    std::string ProgramDir;  // ends with "/"
    std::string FilesDir;    // folder of the program's own files when not ProgramDir (ChooseProgramFilesDir)
    std::string LngName = "Lumivex.lng"; // the language file's name (the window's follows its program file)
    std::string LngFileName; // ProgramDir + LngName, or the one in FilesDir
    // The desktop's language ("en"), which a first start (no parameters file yet) speaks when the
    // language file has it; empty: the built-in language. The window sets it from its locale.
    std::string DesktopLanguageCode;

    ChosenFormats formats;
    LangTexts lang;
    Params params{port};
    Log log{formats, messages, port};
    FmtFile fmtFile{formats, lang, messages, port};
    Converter conv;
    RunState run;
    RejectTable rejects{port};
    ConvPageState page;
    ConversionPageModel convPage{page, params, lang, messages, log, port};
    FormatEditorModel editor{formats, fmtFile, params, lang, messages, log};
    ConversionRun runner{RunContext{formats, conv, run, rejects, page, params, lang, log, messages, trash, port}};
};

} // namespace lmx
