#include "model/ParametersPageModel.h"

#include "common/Basics.h"
#include "env/LangTexts.h"
#include "env/Params.h"

namespace lmx {

ParametersPageModel::ParametersPageModel(Params& params, LangTexts& lang, const std::string& lngFileName)
    : prm_(params), lang_(lang), lngFileName_(lngFileName) {}

ParametersPageValues ParametersPageModel::FromParams(const std::vector<std::string>& langNames) const {
    ParametersPageValues v;
    const Settings& s = prm_.settings;
    v.rejectLine = s.badLine == BadLineRule::Reject;
    v.stopRun = s.badLine == BadLineRule::Stop;
    // Any other value has no button: neither is checked and a save leaves ERL alone.
    v.erlEnabled = v.rejectLine || v.stopRun;

    v.dirNew = s.resultFolder.has_value();
    v.dir = s.resultFolder.value_or("");

    v.text = s.addedText;
    v.addText = !v.text.empty();

    v.newExt = s.resultExtension.has_value();
    v.ext = s.resultExtension.value_or("");

    // One group: a disposal set after the renaming replaces it, as the later check of a radio
    // button clears the earlier one.
    if (s.renameText) {
        v.after = arRename;
        v.renameText = *s.renameText;
    }
    if (s.disposal == sdTrash) v.after = arTrash;
    if (s.disposal == sdDelete) v.after = arDelete;

    v.logExtended = s.log == LogDetail::Extended;
    v.logSimple = s.log == LogDetail::Simple;
    v.encoding = s.encoding == DataEncoding::Utf8 ? 1 : s.encoding == DataEncoding::Windows1252 ? 2 : 0;
    v.eolLf = s.lfOnly;
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
    if (v.after == arRename && (v.renameText.empty() || v.renameText == "0")) { // "0" would rename nothing
        line(LK::itm_error, lang_.Text(LK::err_prmRename));
        valid = false;
    }
    if (!valid) {
        out.message = TextWithPaths(lang_.Text(LK::err_prmInvalidDef));
        return out;
    }

    Settings& s = prm_.settings;
    if (v.rejectLine)
        s.badLine = BadLineRule::Reject;
    else if (v.stopRun)
        s.badLine = BadLineRule::Stop;
    s.resultFolder = v.dirNew ? std::optional<std::string>(v.dir) : std::nullopt;
    s.addedText = v.addText ? v.text : std::string();
    s.resultExtension = v.newExt ? std::optional<std::string>(v.ext) : std::nullopt;
    s.renameText = v.after == arRename ? std::optional<std::string>(v.renameText) : std::nullopt;
    s.disposal = v.after == arTrash ? sdTrash : v.after == arDelete ? sdDelete : sdKeep;
    s.log = v.logSimple ? LogDetail::Simple : LogDetail::Extended;
    s.encoding = v.encoding == 1 ? DataEncoding::Utf8 : v.encoding == 2 ? DataEncoding::Windows1252 : DataEncoding::System;
    s.lfOnly = v.eolLf;
    // The first item is the built-in language: it leaves LNG as it is.
    if (v.language > 0 && static_cast<std::size_t>(v.language) < v.languages.size())
        s.language = v.languages[static_cast<std::size_t>(v.language)];
    out.stored = true;

    if (const Status saved = prm_.Save(); !saved.Ok()) {
        // The choices stay in force in memory and on the page; the user learns why the file
        // was not written, and the next write tries again.
        out.message = saved.reason.empty() ? TextWithPaths().Path(prm_.PrmFileName) : TextWithPaths(saved.reason);
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
        prm_.settings.language = BuiltInLanguage();
        prm_.SaveOnEleventhChange();
        out.message = lang_.Text(LK::msg_LngFr);
        return out;
    }
    prm_.settings.language = v.languages[static_cast<std::size_t>(v.language)];
    prm_.SaveOnEleventhChange();
    if (!lang_.LangLoad(prm_.settings.language, lngFileName_).Ok()) {
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
