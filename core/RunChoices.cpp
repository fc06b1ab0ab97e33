// The steps of a run taken on the caller's thread: the checks and questions before it, and what
// the page and the person are told after it.
#include "core/ConversionRun.h"

#include "common/Text.h"
#include "common/Basics.h"
#include "env/Params.h"

namespace lmx {

Status ConversionRun::ConvertButton(IRunView& view) {
    if (Status checked = CheckChoices(view); !checked.Ok()) return checked;
    view.SetConvertEnabled(false);
    const Status result = RunConversion(view, FromParameters());
    view.SetConvertEnabled(true);
    TellEnd(result);
    return result;
}

Status ConversionRun::CheckChoices(IRunView& view) {
    view.ResetCounters();
    c_.run.StopRun = false;
    c_.run.UserCancel = false;
    ConvPageState& pg = c_.page;
    if (!pg.InChosen) {
        c_.messages.Show(c_.lang.Text(LK::msg_badIFLFN));
        return Status{StatusCode::RunNotStarted, {}};
    }
    if (!pg.OutValid) {
        view.ShowPage(RunPage::Output);
        if (!pg.OutPath.empty() && IsOneOfSources(c_.port, pg.OutPath, pg.InFiles)) {
            pg.OutValid = false;
            pg.OutPath.clear();
            c_.messages.Show(c_.lang.Text(LK::msg_filesShouldDif));
            view.ChooseOutputFile();
            return Status{StatusCode::RunNotStarted, {}};
        }
        if (!pg.OutPath.empty() && c_.port.Exists(pg.OutPath)) {
            if (!c_.messages.ConfirmPaths(c_.lang.FormatPaths(LK::msg_fileExists, {pg.OutPath}))) {
                pg.OutPath.clear();
                pg.OutValid = false;
                view.ChooseOutputFile();
                return Status{StatusCode::RunNotStarted, {}};
            }
            pg.OutValid = true;
            pg.OutReplace = true;
        } else {
            c_.messages.Show(c_.lang.Text(LK::msg_badOFDesign));
            return Status{StatusCode::RunNotStarted, {}};
        }
    }
    if (!c_.formats.Input || !c_.formats.Output) {
        const bool input = !c_.formats.Input;
        // Nothing chosen yet (a first start, opened with a file): say what to do, not what failed.
        if (c_.formats.Catalogue.FormatNames.empty())
            c_.messages.Show(c_.lang.Text(LK::err_fmtNone));
        else if ((input ? c_.params.settings.inputFormat : c_.params.settings.outputFormat).empty())
            c_.messages.Show(c_.lang.Text(input ? LK::err_fmtInNone : LK::err_fmtOutNone));
        else
            c_.messages.Show(c_.lang.Format(LK::err_fmtLoad, {c_.lang.Text(input ? LK::str_in : LK::str_out),
                                                              c_.lang.Text(LK::err_fmtOther)}));
        return Status{StatusCode::RunNotStarted, {}};
    }
    int64_t total = 0;
    for (const auto& f : pg.InFiles) total += c_.port.FileSize(f);
    view.SetRunBarMax(pg.AvgLineLen > 0 ? total / pg.AvgLineLen : 0);
    return Status{};
}

void ConversionRun::TellEnd(const Status& result) {
    PageAfterRun(result);
    c_.messages.Show(ClosingMessage(result));
    for (const AfterFailure& f : afterFailures_)
        if (f.verb == "SourceChanged")
            c_.messages.ShowPaths(c_.lang.FormatPaths(LK::msg_srcChanged, {f.path}));
}

void ConversionRun::PageAfterRun(const Status& result) {
    // A run that reached its sources: the next one asks again about an existing result file.
    if (result == StatusCode::RunLinkFailed || result == StatusCode::RunNoEngine || result == StatusCode::RunCannotCreate)
        return;
    c_.page.OutValid = false;
    c_.page.OutReplace = false;
}

} // namespace lmx
