#include "model/Session.h"

#include "common/Text.h"
#include "common/Basics.h"
#include "env/ProgramFiles.h"

namespace lmx {

Session::Session(IMessages& m, ITrash& t, SystemPort& p) : messages(m), trash(t), port(p) {
    conv.SetCurrentYear(port.CurrentYear()); // dates are windowed around the session's clock
}

void Session::SetProgramDir(const std::string& dir) {
    ProgramDir = IncludeTrailingSlash(dir);
    const std::string files = FilesDir.empty() ? ProgramDir : IncludeTrailingSlash(FilesDir);
    // The parameters' fallback folder is one the user can write to.
    params.ProgramDir = files;
    params.PrmFileName = files + "Lumivex.prm";
    fmtFile.FmtFileName = files + "Lumivex.fmt";
    log.LogFileName = files + "LumivexLog.txt";
    LngFileName = LanguageFilePath(files, ProgramDir, LngName, port);
}

Status Session::StartParameters(bool createWhenMissing) {
    params.Defaults();
    Status r;
    if (port.FileSize(params.PrmFileName) > 0) {
        r = params.Load();
        log.LogWrite(lkLine, " DEF PRM(LOAD)      " + BoolText(r.Ok(), 2));
    } else if (createWhenMissing) {
        std::vector<std::string> sections;
        if (!DesktopLanguageCode.empty() && lang.LangList(LngFileName, sections, port).Ok() && !sections.empty())
            if (const std::string lng = LanguageFor(DesktopLanguageCode, sections); !lng.empty())
                params.settings.language = lng;
        r = params.Save();
        log.LogWrite(lkLine, " DEF PRM(SCRATCH))  " + BoolText(r.Ok(), 2));
    }
    log.ExtendedLog = ExtendsLog(params.settings.log);
    run.StopOnBadLine = params.settings.badLine == BadLineRule::Stop;
    return r;
}

Status Session::StartLanguage() {
    const std::string lng = params.settings.language;
    const Status r = lang.LangLoad(lng, LngFileName, port);
    log.LogWrite(lkLine, " DEF LNG(" + lng + ")  " + BoolText(r.Ok(), 2));
    if (!r.Ok()) {
        messages.Show("The requested langage could not be loaded\r\nLe langage demand\xE9 n'a pu \xEAtre charg\xE9.");
        params.settings.language = BuiltInLanguage();
        params.SaveOnEleventhChange();
    }
    return r;
}

Status Session::SelectFormat(int mode, const std::string& name) {
    return fmtFile.FmtLoadDescription(mode, name);
}

Status Session::ChooseFormat(int mode, const std::string& name) {
    const bool input = mode == flmInput;
    (input ? params.settings.inputFormat : params.settings.outputFormat) = name;
    params.SaveOnEleventhChange();
    const Status r = SelectFormat(mode, name);
    const std::string head = lang.Text(input ? LK::err_fmtInfile : LK::err_fmtOutfile);
    if (r == StatusCode::FmtColCountDiffers) {
        messages.Show(head + lang.Text(LK::err_fmtNbCols));
    } else if (!r.Ok() && !(r == StatusCode::FmtEmptyName && name.empty())) {
        // -1 with a name is a block cut off in its descriptive lines, not "nothing chosen".
        messages.Show(head + lang.Format(LK::err_fmtRC, {IntToStr(r.Number())}));
    } else if (r.Ok() && log.ExtendedLog) {
        log.LogWrite(input ? lkInFmt : lkOutFmt);
        log.LogWrite(lkLine, " ");
    }
    return r;
}

Status Session::StartFormats() {
    const Status list = fmtFile.FmtLoadList();
    if (!list.Ok()) {
        formats.Input.reset();
        formats.Output.reset();
        log.LogWrite(lkLine, " DEF FMT(LOAD)      Ko(" + IntToStr(list.Number()) + ")(Unable to open File Lumivex.fmt)");
        messages.ShowPaths(lang.FormatPaths(LK::err_fmtFileDefOpen, {fmtFile.FmtFileName}));
        return list;
    }
    log.LogWrite(lkPart, " DEF FMT(LOAD)      Ok");
    struct Side {
        int mode;
        const char* tag;
        LK word;
        int kind;
    };
    for (const Side& s : {Side{flmInput, "   FMT_IN(", LK::str_in, lkPart}, Side{flmOutput, "   FMT_OUT(", LK::str_out, lkEnd}}) {
        const std::string name = s.mode == flmInput ? params.settings.inputFormat : params.settings.outputFormat;
        const Status r = SelectFormat(s.mode, name);
        if (r == StatusCode::FmtColCountDiffers) {
            log.LogWrite(s.kind, std::string(s.tag) + "Ko):BadColCount");
            messages.Show(lang.Format(LK::err_fmtLoad, {lang.Text(s.word), lang.Text(LK::err_fmtBadColC)}));
        } else if (r == StatusCode::FmtEmptyName && name.empty()) {
            log.LogWrite(s.kind, std::string(s.tag) + "Ko):NoSel");
        } else if (!r.Ok()) {
            log.LogWrite(s.kind, std::string(s.tag) + "Ko)>" + IntToStr(r.Number()) + "<");
            messages.Show(lang.Format(LK::err_fmtLoad, {lang.Text(s.word), lang.Text(LK::err_fmtOther)}));
        } else {
            log.LogWrite(s.kind, std::string(s.tag) + "Ok)");
        }
    }
    if (formats.Output) {
        conv.TakePlan(ConversionPlan(formats));
        log.LogWrite(lkLine, " *** BuildIoLink returns   : " + BoolText(conv.Plan().Linked(), 2));
        if (log.ExtendedLog) {
            log.LogWrite(lkLine, " *** Standard date enabled : False");
            log.LogWrite(lkLine, "     ShortYearIn(" + BoolText(conv.Pair().InShortYear, 0) + ") ShortYearOut(" +
                                     BoolText(conv.Pair().CutYear, 0) + ")");
        }
    }
    return list;
}

} // namespace lmx
