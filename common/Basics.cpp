#include "common/Basics.h"

#include "Version.h"
#include "common/Text.h"

#include "common/DurableFile.h"
#include "common/SystemPort.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lmx {

std::string FileBanner(int kind) {
    static constexpr std::string_view kStars =
        "*********************************************************************";
    std::string_view title;
    switch (kind) {
    case bkParameters:
        title = "****     Parvolin : Fichier de parametres -- Parameters file     ****";
        break;
    case bkFormats:
        title = "****   Parvolin : Fichier des formats -- Data Description file   ****";
        break;
    case bkHistory:
        title = "****        Parvolin : Fichier historique -- history file        ****";
        break;
    default:
        title = "****                         Parvolin                            ****";
        break;
    }
    std::string out;
    out.reserve(7 * 71);
    const std::string_view lines[] = {
        kStars,
        title,
        "****     ---------------------------------------------------     ****",
        "****     NE PAS EDITER !  Fichier maintenu par le programme.     ****",
        "****       DO NOT EDIT !    File produced by the software.       ****",
        "****                                                             ****",
        kStars,
    };
    for (std::size_t i = 0; i < 7; ++i) {
        if (i > 0) out += "\r\n";
        out += lines[i];
    }
    return out;
}

const std::array<std::string_view, 12>& DateLayouts() {
    static constexpr std::array<std::string_view, 12> kLayouts = {
        "YY/MM/DD", "YYYY/MM/DD", "YYMMDD",     "YYYYMMDD",   "YY/DD/MM",    "YYYY/DD/MM",
        "DD/MM/YY", "DD/MM/YYYY", "MM/DD/YY",   "MM/DD/YYYY", "DD/MMM/YYYY", "MMM DD, YYYY"};
    return kLayouts;
}

bool LayoutWithoutSeparator(std::string_view layout) {
    return layout == "YYMMDD" || layout == "YYYYMMDD" || layout == "MMM DD, YYYY";
}

bool CheckValue(int rule, std::string_view value) {
    int32_t n = 0;
    switch (rule) {
    case ckZero:
        return StrToInt32(value, n) && n == 0;
    case ckPositiveInt:
        return StrToInt32(value, n) && n > 0;
    case ckNonNegativeInt:
        return StrToInt32(value, n) && n >= 0;
    case ckDirectory: {
        // The system would only see the part before a NUL byte and answer for another path.
        if (value.empty() || value.find('\0') != std::string_view::npos) return false;
        return RealPort().KindOf(std::string(value)) == EntryKind::Folder;
    }
    case ckZeroText:
        return value == "0";
    case ckDateLayout: {
        const auto& layouts = DateLayouts();
        return std::find(layouts.begin(), layouts.end(), value) != layouts.end();
    }
    default:
        return false;
    }
}

bool CheckValue(int rule, int32_t value) {
    if (rule == ckZero) return value == 0;
    return CheckValue(rule, std::string_view(IntToStr(value)));
}

std::string BoolText(bool flag, int style) {
    if (style == 2) return flag ? "Ok" : "Ko";
    return flag ? "True" : "False";
}

bool WildMatch(std::string_view pattern, std::string_view name) {
    // Iterative glob match with backtracking on the last "*".
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool EntryExists(const std::string& path) { return RealPort().Exists(path); }

int64_t FileSize(const std::string& path) { return RealPort().FileSize(path); }

std::string ProgramVersion() {
    return IntToStr(LUMIVEX_VERSION_MAJOR) + "." + IntToStr(LUMIVEX_VERSION_MINOR) + "." +
           IntToStr(LUMIVEX_VERSION_PATCH) + "." + IntToStr(LUMIVEX_VERSION_TWEAK);
}

bool CopyToExt(const std::string& path, std::string_view ext, SystemPort& port) {
    const std::string to = ChangeFileExt(path, ext);
    struct stat st {};
    if (port.Stat(path.c_str(), st, true) != 0 || !S_ISREG(st.st_mode) || port.Exists(to)) return false;
    std::string error;
    return CopyFileWhole(path, to, st.st_mode, error, port);
}

std::string ExtractFilePath(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string ExtractFileName(std::string_view path) {
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ExtractFileExt(std::string_view path) {
    const auto dot = path.rfind('.');
    const auto slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    return std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    const std::string old = ExtractFileExt(path);
    std::string out(path.substr(0, path.size() - old.size()));
    out += ext;
    return out;
}

std::string IncludeTrailingSlash(std::string_view dir) {
    std::string out(dir);
    // No folder is no folder: "" must never turn into the root.
    if (!out.empty() && out.back() != '/') out += '/';
    return out;
}

std::string ExecutablePath() {
    std::string buf(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= buf.size()) return {};
    buf.resize(static_cast<std::size_t>(n));
    return buf;
}

std::FILE* OpenForReading(const std::string& path) { return RealPort().OpenStream(path); }

} // namespace lmx
