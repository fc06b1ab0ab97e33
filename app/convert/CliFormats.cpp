#include "CliFormats.h"

#include "CliIo.h"

#include "common/Cp1252.h"
#include "common/Text.h"
#include "core/FormatReport.h"
#include "model/Session.h"

#include <vector>

namespace lmx::cli {

namespace {

// The format file cannot be read at all, or holds no format.
void FileProblem(const Session& s, StatusCode list) {
    if (list == StatusCode::FmtNoFile) PrintErr(TxFill(s.lang.Text(LK::err_fmtFileDefOpen), {s.fmtFile.FmtFileName}));
    else PrintErr("lumivex-convert: " + TxFill(s.lang.Text(LK::err_cliNoFmtIn), {s.fmtFile.FmtFileName}));
}

} // namespace

std::string JoinedNames(const std::vector<std::string>& names) {
    std::string out;
    for (const auto& n : names) out += (out.empty() ? "" : ", ") + Tx(n);
    return out;
}

bool LoadLanguageOption(Session& s, const std::string& nameUtf8) {
    const std::string name = Utf8ToCp1252(nameUtf8);
    if (s.lang.LangLoad(name, s.LngFileName).Ok()) return true;
    std::vector<std::string> names;
    if (!s.lang.LangList(s.LngFileName, names).Ok())
        PrintErr("lumivex-convert: " + TxFill(s.lang.Text(LK::err_cliNoLangFile), {nameUtf8, s.LngFileName}));
    else
        PrintErr("lumivex-convert: " +
                 TxFill(s.lang.Text(LK::err_cliNoLang), {nameUtf8, s.LngFileName, JoinedNames(names)}));
    return false;
}

bool CheckFormats(const Session& s) {
    const FmtFileReport r = CheckFormatFile(s.fmtFile.FmtFileName, s.lang);
    if (!r.list.Ok()) {
        FileProblem(s, r.list.code);
        return false;
    }
    for (const FmtCheck& c : r.formats) {
        if (!c.status.Ok()) PrintOut(TxFill(s.lang.Text(LK::str_cliCheckNoLoad), {Tx(c.name), Tx(c.problem)}));
        else PrintOut(TxFill(s.lang.Text(c.passed ? LK::str_cliCheckOk : LK::str_cliCheckRefused), {Tx(c.name)}));
        for (const auto& m : c.messages) PrintOut(Tx("  " + m));
        for (const auto& n : c.notes) PrintOut("  " + TxFill(s.lang.Text(LK::str_cliCheckNote), {Tx(n)}));
    }
    PrintOut(TxFill(s.lang.Text(LK::str_cliCheckCount),
                    {IntToStr(static_cast<int64_t>(r.PassedCount())), IntToStr(static_cast<int64_t>(r.formats.size())),
                     s.fmtFile.FmtFileName}));
    return r.AllPassed();
}

bool ShowFormat(Session& s, const std::string& name) {
    const FormatRead read = s.fmtFile.Load(name);
    const StatusCode code = read.status.code;
    if (code == StatusCode::FmtNoFile || code == StatusCode::FmtOpenFailed) {
        FileProblem(s, StatusCode::FmtNoFile);
        return false;
    }
    if (code != StatusCode::Ok) {
        PrintErr("lumivex-convert: " + TxFill(s.lang.Text(LK::err_cliFmtShow),
                                              {Tx(name), Tx(FmtLoadProblem(name, code, read.fault, s.lang))}));
        if (code == StatusCode::FmtNotFound && s.fmtFile.FmtLoadList() == StatusCode::Ok)
            PrintErr("lumivex-convert: " + TxFill(s.lang.Text(LK::str_cliFmtsInFile), {JoinedNames(s.formats.Catalogue.FormatNames)}));
        return false;
    }
    for (const auto& line : FormatDescription(read.format)) PrintOut(Tx(line));
    return true;
}

} // namespace lmx::cli
