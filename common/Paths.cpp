#include "common/Paths.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace lmx {

int DescriptorOf(const std::string& path) {
    if (path == "/dev/stdout") return 1;
    if (path == "/dev/stderr") return 2;
    for (const std::string_view prefix : {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/")}) {
        if (path.compare(0, prefix.size(), prefix) != 0 || path.size() == prefix.size()) continue;
        int n = 0;
        for (std::size_t i = prefix.size(); i < path.size(); ++i) {
            if (path[i] < '0' || path[i] > '9' || n > 100000) return -1;
            n = n * 10 + (path[i] - '0');
        }
        return n;
    }
    return -1;
}

std::string AbsolutePath(std::string_view path) {
    if (path.empty()) return {};
    std::string full;
    if (path.front() != '/') {
        std::error_code ec;
        const fs::path cwd = fs::current_path(ec);
        if (ec) return std::string(path);
        full = cwd.string() + "/";
    }
    full += path;
    std::string out;
    std::size_t i = 0;
    while (i < full.size()) {
        std::size_t end = full.find('/', i);
        if (end == std::string::npos) end = full.size();
        const std::string_view part(full.data() + i, end - i);
        if (!part.empty() && part != ".") {
            out += '/';
            out += part;
        }
        i = end + 1;
    }
    if (out.empty()) return "/";
    const bool folderLike = path.back() == '/' || path == "." || path.ends_with("/.");
    if (folderLike) out += '/';
    return out;
}

bool SameFile(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code ec;
    if (fs::equivalent(fs::path(a), fs::path(b), ec) && !ec) return true;
    ec.clear();
    const fs::path ca = fs::weakly_canonical(fs::path(a), ec);
    if (ec) return AbsolutePath(a) == AbsolutePath(b);
    const fs::path cb = fs::weakly_canonical(fs::path(b), ec);
    if (ec) return AbsolutePath(a) == AbsolutePath(b);
    return ca == cb;
}

} // namespace lmx
