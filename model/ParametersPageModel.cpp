#include "model/ParametersPageModel.h"

#include "common/Basics.h"
#include "env/LangTexts.h"
#include "env/Params.h"
#include "env/ParamsChoices.h"

namespace lmx {

ParametersPageModel::ParametersPageModel(Params& params, LangTexts& lang, const std::string& lngFileName)
    : prm_(params), lang_(lang), lngFileName_(lngFileName) {}

ParametersPageValues ParametersPageModel::FromParams(const std::vector<std::string>& langNames) const {
    ParametersPageValues v;
    const BadLineRule erl = BadLineRuleOf(prm_);
    v.rejectLine = erl == BadLineRule::Reject;
    v.stopRun = erl == BadLineRule::Stop;
    // Any other value has no button: neither is checked and a save leaves ERL alone.
    v.erlEnabled = v.rejectLine || v.stopRun;

    const std::string mrd = prm_.PrmGet(prmMRD);
    v.dirNew = !IsElsewhere(mrd);
    if (v.dirNew) v.dir = mrd;

    v.text = prm_.PrmGet(prmDDO);
    v.addText = !v.text.empty();

    const std::string ext = prm_.PrmGet(prmEXT);
    v.newExt = !IsElsewhere(ext);
    if (v.newExt) v.ext = ext;

    // One group: a disposal set after the renaming replaces it, as the later check of a radio
    // button clears the earlier one.
    const std::string srn = prm_.PrmGet(prmSRN);
    if (RenamesSources(srn)) {
        v.after = arRename;
        v.renameText = srn;
    }
    const SourceDisposal sdl = SourceDisposalOf(prm_);
    if (sdl == sdTrash) v.after = arTrash;
    if (sdl == sdDelete) v.after = arDelete;

    const std::string log = prm_.PrmGet(prmLOG);
    v.logExtended = log == "1";
    v.logSimple = log == "0";
    const std::string enc = prm_.PrmGet(prmENC);
    v.encoding = enc == "UTF-8" ? 1 : enc == "Windows-1252" ? 2 : 0;
    v.eolLf = DataEndsLf(prm_.PrmGet(prmEOL));
    v.languages = {std::string(BuiltInLanguage())};
    v.languages.insert(v.languages.end(), langNames.begin(), langNames.end());
    v.language = 0;
    return v;
}

std::vector<std::string> ParametersPageModel::Categories() const {
    return {lang_.Text(LK::itm_trt), lang_.Text(LK::itm_envir), lang_.Text(LK::itm_integ)};
}

ParametersPageModel::SaveOutcome ParametersPageModel::Save(ParametersPageValues& v) {
    SaveOutcome out;
    auto line = [&](LK prefix, const std::string& text) { out.label += lang_.Text(prefix) + text + "\r\n"; };
    bool valid = true;
    if (v.dirNew) {
        if (!CheckValue(ckDirectory, v.dir)) {
            line(LK::itm_error, lang_.Format(LK::err_prmBadDir, {v.dir}));
            valid = false;
        }
    } else {
        // Beside its source, the result needs another name; no line explains this one.
        valid = (v.addText && !v.text.empty()) || (v.newExt && !v.ext.empty());
    }
    if (v.addText && v.text.empty()) line(LK::itm_info, lang_.Text(LK::err_prmNoExt));
    if (v.newExt && v.ext.empty()) {
        line(LK::itm_error, lang_.Text(LK::err_prmNewExt));
        valid = false;
    } else if (!v.ext.empty() && v.ext[0] != '.') {
        v.ext.insert(0, ".");
    }
    if (v.after == arRename && (v.renameText.empty() || !RenamesSources(v.renameText))) {
        line(LK::itm_error, lang_.Text(LK::err_prmRename));
        valid = false;
    }
    if (!valid) {
        out.message = TextWithPaths(lang_.Text(LK::err_prmInvalidDef));
        return out;
    }

    if (v.rejectLine)
        prm_.PrmSet(prmERL, BadLineCode(BadLineRule::Reject), false);
    else if (v.stopRun)
        prm_.PrmSet(prmERL, BadLineCode(BadLineRule::Stop), false);
    prm_.PrmSet(prmMRD, v.dirNew ? v.dir : std::string(kPrmElsewhere), false);
    prm_.PrmSet(prmDDO, v.addText ? v.text : std::string(), false);
    prm_.PrmSet(prmEXT, v.newExt ? v.ext : std::string(kPrmElsewhere), false);
    prm_.PrmSet(prmSRN, v.after == arRename ? v.renameText : std::string(kNoRenaming), false);
    const SourceDisposal disposal = v.after == arTrash ? sdTrash : v.after == arDelete ? sdDelete : sdKeep;
    prm_.PrmSet(prmSDL, SourceDisposalCode(disposal), false);
    prm_.PrmSet(prmLOG, v.logSimple ? "0" : "1", false);
    prm_.PrmSet(prmENC, v.encoding == 1 ? "UTF-8" : v.encoding == 2 ? "Windows-1252" : std::string(kPrmElsewhere), false);
    prm_.PrmSet(prmEOL, v.eolLf ? "LF" : "CRLF", false);
    // The first item is the built-in language: it leaves LNG as it is.
    if (v.language > 0 && static_cast<std::size_t>(v.language) < v.languages.size())
        prm_.PrmSet(prmLNG, v.languages[static_cast<std::size_t>(v.language)], false);
    out.stored = true;

    if (prm_.PrmSet(prmCTB, "CTB", true) != prmOk) {
        // The choices stay in force in memory and on the page; the user learns why the file
        // was not written, and the next write tries again.
        const std::string& reason = prm_.LastIoError();
        out.message = reason.empty() ? TextWithPaths().Path(prm_.PrmFileName) : TextWithPaths(reason);
        return out;
    }
    out.written = true;
    out.message = TextWithPaths(lang_.Text(LK::hnt_UpdateOk));
    return out;
}

ParametersPageModel::LangOutcome ParametersPageModel::ApplyLanguage(const ParametersPageValues& v) {
    LangOutcome out;
    if (v.language < 0 || static_cast<std::size_t>(v.language) >= v.languages.size()) {
        out.message = lang_.Text(LK::msg_LngNoChoice);
        return out;
    }
    if (v.language == 0) {
        // The French texts already replaced cannot come back before the next start.
        prm_.PrmSet(prmLNG, BuiltInLanguage(), false);
        out.message = lang_.Text(LK::msg_LngFr);
        return out;
    }
    prm_.PrmSet(prmLNG, v.languages[static_cast<std::size_t>(v.language)], false);
    if (lang_.LangLoad(prm_.PrmGet(prmLNG), lngFileName_) != 0) {
        out.message = "Impossible de charger la langue demand\xE9" "e\rThe requested langage couldn't be loaded.";
        return out;
    }
    out.apply = true;
    return out;
}

std::string ParametersPageModel::ShortcutMessage(int place, bool ok) const {
    if (!ok) return lang_.Text(LK::nfo_sCutKo);
    const LK where = place == spStartMenu ? LK::nfo_sCutOkStart : place == spDesktop ? LK::nfo_sCutOkDesk
                                                                                    : LK::nfo_sCutOkSend;
    return lang_.Text(LK::nfo_sCutOkMain) + lang_.Text(where);
}

} // namespace lmx
