#include "CliFormats.h"

#include "CliIo.h"

#include "common/Cp1252.h"
#include "common/Text.h"
#include "core/UFmtReport.h"
#include "core/USession.h"

#include <vector>

namespace lmx::cli {

namespace {

// The format file cannot be read at all: the language text, or plain words when it is there but empty.
void FileProblem(const Session& s, int listCode) {
    if (listCode == frNoFile) PrintErr(TxFill(s.lang.Text(LK::err_fmtFileDefOpen), {s.fmtFile.FmtFileName}));
    else PrintErr("lumivex-convert: no format in " + s.fmtFile.FmtFileName + " (or it cannot be read)");
}

} // namespace

std::string JoinedNames(const std::vector<std::string>& names) {
    std::string out;
    for (const auto& n : names) out += (out.empty() ? "" : ", ") + Tx(n);
    return out;
}

bool LoadLanguageOption(Session& s, const std::string& nameUtf8) {
    const std::string name = Utf8ToCp1252(nameUtf8);
    if (s.lang.LangLoad(name, s.LngFileName) == 0) return true;
    std::vector<std::string> names;
    const int count = s.lang.LangList(s.LngFileName, names);
    PrintErr("lumivex-convert: no language \"" + nameUtf8 + "\" in " + s.LngFileName +
             (count < 0 ? std::string(" (no such file)") : " (languages: " + JoinedNames(names) + ")"));
    return false;
}

bool CheckFormats(const Session& s) {
    const FmtFileReport r = CheckFormatFile(s.fmtFile.FmtFileName, s.lang);
    if (r.listCode != frOk) {
        FileProblem(s, r.listCode);
        return false;
    }
    for (const FmtCheck& c : r.formats) {
        if (c.code != frOk) PrintOut(Tx(c.name + ": does not load: " + c.problem));
        else PrintOut(Tx(c.name + (c.passed ? ": ok" : ": refused by the editor's checks")));
        for (const auto& m : c.messages) PrintOut(Tx("  " + m));
        for (const auto& n : c.notes) PrintOut(Tx("  note: " + n));
    }
    PrintOut(IntToStr(static_cast<int64_t>(r.PassedCount())) + " of " + IntToStr(static_cast<int64_t>(r.formats.size())) +
             " formats pass (" + s.fmtFile.FmtFileName + ")");
    return r.AllPassed();
}

bool ShowFormat(Session& s, const std::string& name) {
    const int code = s.fmtFile.FmtLoadDescription(flmWorkOnly, name);
    if (code == frNoFile || code == frOpenFailed) {
        FileProblem(s, frNoFile);
        return false;
    }
    if (code != frOk) {
        PrintErr(Tx("lumivex-convert: format \"" + name + "\" does not load: " + FmtLoadProblem(name, code, s.fmtFile.LastFault())));
        if (code == frNotFound && s.fmtFile.FmtLoadList() == frOk)
            PrintErr("lumivex-convert: formats in the file: " + JoinedNames(s.formats.FmtNames));
        return false;
    }
    for (const auto& line : FormatDescription(s.formats.FmtWork)) PrintOut(Tx(line));
    return true;
}

} // namespace lmx::cli
