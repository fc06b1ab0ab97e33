#include "support/TestSupport.h"

#include "common/Basics.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace lmx::test {

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path p = fs::temp_directory_path() /
                           ("lumivex-test-" + std::to_string(::getpid()) + "-" +
                            std::to_string(counter++) + "-" + std::to_string(rd() % 100000));
        std::error_code ec;
        if (fs::create_directory(p, ec)) {
            path_ = p.string() + "/";
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests may leave read-only files or folders behind; make them removable first.
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

namespace {
const char* const kHomeVariables[3] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
}

FakeHome::FakeHome() {
    const std::string values[3] = {dir.path(), dir.file(".config"), dir.file(".local/share")};
    for (int i = 0; i < 3; ++i) {
        if (const char* v = std::getenv(kHomeVariables[i])) saved_[i] = v;
        ::setenv(kHomeVariables[i], values[i].c_str(), 1);
    }
}

FakeHome::~FakeHome() {
    for (int i = 0; i < 3; ++i) {
        if (saved_[i])
            ::setenv(kHomeVariables[i], saved_[i]->c_str(), 1);
        else
            ::unsetenv(kHomeVariables[i]);
    }
}

ScopedCharset::ScopedCharset(const char* lcAll) {
    if (const char* v = std::getenv("LC_ALL")) saved_ = v;
    ::setenv("LC_ALL", lcAll, 1);
}

ScopedCharset::~ScopedCharset() {
    if (saved_)
        ::setenv("LC_ALL", saved_->c_str(), 1);
    else
        ::unsetenv("LC_ALL");
}

void WriteFile(const std::string& path, std::string_view bytes) {
    const fs::path p(path);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

std::string CrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

std::string FmtFileText(const std::vector<std::string>& lines) {
    return FileBanner(bkFormats) + "\r\n" + CrLf(lines);
}

} // namespace lmx::test
