#include "core/UConvPage.h"

#include "common/UCommuns.h"
#include "common/Text.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace lmx {

bool IsOneOfSources(const std::string& path, const std::vector<std::string>& sources) {
    std::error_code ec;
    for (const auto& src : sources) {
        if (src == path) return true;
        if (fs::equivalent(fs::path(src), fs::path(path), ec) && !ec) return true;
        ec.clear();
    }
    return false;
}

ConvPage::ConvPage(ConvPageState& state, Params& params, const LangTexts& lang, IMessages& messages, Log& log)
    : st_(state), prm_(params), lang_(lang), msg_(messages), log_(log) {}

bool ConvPage::TakeFiles(const std::vector<std::string>& chosen, std::string_view logPrefix) {
    std::vector<std::string> kept;
    for (const auto& f : chosen) {
        if (FileSize(f) == 0)
            msg_.Show(lang_.Format(LK::msg_fileIsEmpty, {ExtractFileName(f)}));
        else
            kept.push_back(f);
    }
    SortNames(kept);
    st_.InFiles = std::move(kept);
    log_.LogWrite(lkLine, std::string(logPrefix) + IntToStr(static_cast<int64_t>(st_.InFiles.size())));
    for (const auto& f : st_.InFiles) log_.LogWrite(lkLine, " " + f);
    if (st_.InFiles.empty()) {
        st_.InChosen = false;
        return false;
    }
    SetSource(st_.InFiles.front());
    return true;
}

void ConvPage::SetSource(const std::string& path) {
    st_.SourceDir = ExtractFilePath(path);
    if (st_.SourceDir != prm_.PrmGet(prmMRS, false)) prm_.PrmSet(prmMRS, st_.SourceDir, true);
    st_.InChosen = true;
    ProposeOutPath(path);
}

void ConvPage::ProposeOutPath(const std::string& path) {
    const std::string added = prm_.PrmGet(prmDDO, false);
    const std::string extParam = prm_.PrmGet(prmEXT, false);
    const std::string ext = extParam == "$Q" ? ExtractFileExt(path) : extParam;
    const std::string mrd = prm_.PrmGet(prmMRD, false);
    st_.OutDir = IncludeTrailingSlash(CheckValue(ckDirectory, mrd) ? mrd : prm_.PrmGet(prmMRS, false));
    const std::string name = ExtractFileName(path);
    const std::string stem = name.substr(0, name.size() - ExtractFileExt(name).size());
    st_.OutPath = st_.OutDir + stem + added + ext;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(st_.OutPath, ec))) {
        // An existing file is never proposed silently: the user confirms it through "Changer".
        st_.OutPath.clear();
        st_.OutValid = false;
    } else {
        st_.OutValid = true;
    }
    ShowOutPath();
}

void ConvPage::ChooseOutPath(const std::string& path) {
    if (IsOneOfSources(path, st_.InFiles)) {
        st_.OutValid = false;
        st_.OutPath.clear();
        msg_.Show(lang_.Text(LK::msg_filesShouldDif));
        return;
    }
    std::error_code ec;
    if (fs::exists(fs::symlink_status(path, ec))) {
        if (msg_.Confirm(lang_.Format(LK::msg_fileExists, {path}))) {
            st_.OutPath = path;
            st_.OutValid = true;
        } else {
            st_.OutPath.clear();
            st_.OutValid = false;
        }
    } else {
        st_.OutPath = path;
        st_.OutValid = true;
    }
    ShowOutPath();
}

void ConvPage::ShowOutPath() {
    if (!st_.OutValid) return;
    const std::string dir = ExtractFilePath(st_.OutPath);
    if (prm_.PrmGet(prmMRD, false) != dir) prm_.PrmSet(prmMRD, dir, true);
}

std::string ConvPage::OutDirCaption() const {
    return WrapPath(st_.OutValid ? ExtractFilePath(st_.OutPath) : prm_.PrmGet(prmMRD, false));
}

std::string ConvPage::OutNameCaption() const {
    return st_.OutValid ? ExtractFileName(st_.OutPath) : std::string(" ");
}

std::string ConvPage::OpenDialogDir() const {
    const std::string mrs = prm_.PrmGet(prmMRS, false);
    return mrs == "$Q" ? prm_.ProgramDir : mrs;
}

std::string ConvPage::SaveDialogDir() const {
    if (st_.OutValid || !st_.OutDir.empty()) return st_.OutDir;
    const std::string mrd = prm_.PrmGet(prmMRD, false);
    return mrd == "$Q" ? prm_.ProgramDir : mrd;
}

std::string ConvPage::WrapPath(std::string_view path) {
    std::string out;
    out.reserve(path.size() + 8);
    for (char c : path) {
        out += c;
        if (c == '/') out += ' ';
    }
    return out;
}

} // namespace lmx
