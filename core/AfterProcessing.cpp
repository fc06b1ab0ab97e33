#include "core/AfterProcessing.h"

#include "common/Cp1252.h"
#include "common/Text.h"
#include "common/Basics.h"
#include "common/DurableFile.h"
#include "core/ConversionRun.h"
#include "env/Params.h"

#include <cerrno>

namespace lmx {

bool RenameSource(SystemPort& port, const std::string& path, const std::string& text, std::string* reason,
                  FolderFlushes* folders) {
    const std::string ext = ExtractFileExt(path);
    const std::string target = path.substr(0, path.size() - ext.size()) + text + ext;
    auto fail = [&](int err) {
        if (reason) *reason = SysErrorText(err);
        return false;
    };
    if (target == path) return fail(EINVAL);
    if (const SysStatus moved = port.MoveNoReplace(path, target); !moved.Ok()) return fail(moved.code);
    if (folders)
        folders->Add(ExtractFilePath(path));
    else
        port.SyncFolder(ExtractFilePath(path));
    return true;
}

AfterProcessing ConversionRun::FromParameters() const {
    AfterProcessing a;
    a.renameText = c_.params.settings.renameText;
    a.disposal = c_.params.settings.disposal;
    return a;
}

std::string ConversionRun::ClosingMessage(const Status& result) {
    std::string msg = ResultMessage(result);
    // No language text exists for it: said in the built-in language, as the system's reasons are.
    if (keptForRejects_ > 0)
        msg += " (" + IntToStr(keptForRejects_) +
               " fichier(s) source conserv\xE9(s) : des lignes y ont \xE9t\xE9 rejet\xE9" "es)";
    return msg;
}

std::string ConversionRun::ResultMessage(const Status& result) {
    if (result.Ok()) {
        // "Annuler" between two files leaves the next ones unread: that is no complete conversion.
        const bool unread = std::find(converted_.begin(), converted_.end(), false) != converted_.end();
        if (c_.run.StopRun && c_.run.UserCancel && unread) return c_.lang.Text(LK::msg_UserCancel);
        return c_.lang.Text(LK::msg_endConvert);
    }
    std::string msg = c_.lang.Text(LK::err_convGeneral);
    switch (result.code) {
    case StatusCode::RunLinkFailed:
        c_.log.LogWrite(lkLine, "#CONV (BuildIoLnk) Echec de la construction du lien entr\xE9" "e/sortie.");
        break;
    case StatusCode::RunNoEngine: {
        const std::string code = IntToStr(engineCode_);
        c_.log.LogWrite(lkLine, "#CONV (SelEngine>" + code + "< Choix du moteur impossible.");
        msg += c_.lang.Format(LK::err_UnknownEngine, {code});
        break;
    }
    case StatusCode::RunCannotCreate:
        c_.log.LogWrite(lkLine, "#CONV (I/O) Ouverture du fichier de r\xE9sultats impossible.");
        msg += c_.lang.Text(LK::err_OpenOutFile);
        break;
    case StatusCode::RunIncompleteOutput:
        // No language text exists for it: the system's reason tells the user what happened.
        c_.log.LogWrite(lkLine, "#CONV (I/O) Ecriture du fichier de r\xE9sultats incompl\xE8te (" + result.reason + ").");
        msg += " (" + result.reason + ")";
        break;
    default:
        if (c_.run.StopRun && c_.run.UserCancel) return c_.lang.Text(LK::msg_UserCancel);
        if (c_.run.StopRun && c_.run.StopOnBadLine) return c_.lang.Text(LK::msg_StopOnErrOpt);
        c_.log.LogWrite(lkLine, "#CONV (BadFileCount >" + IntToStr(failedSources_) + "<)");
        msg += c_.lang.Format(LK::err_onSomeFile, {IntToStr(failedSources_)});
        break;
    }
    return msg;
}

void ConversionRun::DoAfterProcessing(bool outputComplete, Log& log) {
    const std::vector<std::string>& files = copy_->InFiles;
    const AfterProcessing& after = copy_->After;
    // A source whose lines are not all in a complete result is never renamed as done, recycled or
    // deleted: the user would lose data they believe converted.
    // Standard input has no file to rename, recycle or delete.
    auto safe = [&](std::size_t i) {
        return outputComplete && i < converted_.size() && converted_[i] && !IsStdInSource(files[i]);
    };
    auto logResult = [&](const char* verb, std::size_t i, bool ok) {
        std::string line(verb);
        line += '(';
        line += IntToStr(static_cast<int64_t>(i + 1));
        line += ")--> (";
        line += BoolText(ok, 0);
        line += ')';
        log.LogWrite(lkLine, line);
    };
    // A name that no longer names the file read to its end (saved over by a rename, grown or
    // rewritten since) holds what this run never read: it stays, and the user is told.
    std::vector<bool> changed(files.size(), false);
    int32_t changedCount = 0;
    auto unchanged = [&](std::size_t i) {
        if (changed[i]) return false;
        if (i < readEnds_.size() && readEnds_[i].StillAt(c_.port, files[i])) return true;
        changed[i] = true;
        ++changedCount;
        afterFailures_.push_back({"SourceChanged", files[i], ""});
        return false;
    };
    // One flush per folder once every source is done, not one per source.
    FolderFlushes folders(c_.port);
    std::vector<bool> renamed(files.size(), false);
    if (after.renameText) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            std::string reason;
            const bool ok =
                safe(i) && unchanged(i) && RenameSource(c_.port, files[i], *after.renameText, &reason, &folders);
            if (safe(i) && !ok && !changed[i]) afterFailures_.push_back({"RenameFile", files[i], reason});
            renamed[i] = ok;
            logResult("RenameFile", i, ok);
        }
    }
    auto logChanged = [&] {
        if (changedCount > 0)
            log.LogWrite(lkLine,
                            "#CONV (ChangedSources >" + IntToStr(changedCount) + "<) changed during the run");
    };
    if (after.disposal != sdTrash && after.disposal != sdDelete) return logChanged();
    const char* verb = after.disposal == sdTrash ? "RecycleFile" : "DeleteFile";
    for (std::size_t i = 0; i < files.size(); ++i) {
        bool ok = false;
        // Lines that were rejected exist nowhere but in their source: it stays.
        const bool rejected = i < rejectedIn_.size() && rejectedIn_[i] > 0;
        if (safe(i) && rejected) ++keptForRejects_;
        // A source renamed a moment ago is no longer under its name: nothing to try there.
        if (safe(i) && !rejected && !renamed[i] && unchanged(i)) {
            std::string reason;
            if (after.disposal == sdTrash) {
                ok = c_.trash.MoveToTrash(files[i]);
                if (!ok) reason = "not moved to the trash";
            } else {
                const SysStatus removed = c_.port.RemoveFile(files[i], false);
                ok = removed.Ok();
                if (ok) folders.Add(ExtractFilePath(files[i]));
                if (!ok) reason = removed.Reason();
            }
            if (!ok) afterFailures_.push_back({verb, files[i], reason});
        }
        logResult(verb, i, ok);
    }
    if (keptForRejects_ > 0) log.LogWrite(lkLine, "#CONV (KeptSources >" + IntToStr(keptForRejects_) + "<) rejected lines");
    logChanged();
}

} // namespace lmx
