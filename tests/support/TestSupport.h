#pragma once
// Helpers shared by every test executable.
#include "core/Ports.h"

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lmx::test {

// A fresh folder under the system's temporary folder, removed with everything in it at destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, ending with "/".
    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const { return path_ + std::string(name); }

private:
    std::string path_;
};

// HOME and the XDG configuration and data folders point into a temporary folder for the object's
// life, so that files written for the desktop never reach the real home.
class FakeHome {
public:
    FakeHome();
    ~FakeHome();
    FakeHome(const FakeHome&) = delete;
    FakeHome& operator=(const FakeHome&) = delete;
    TempDir dir;

private:
    std::optional<std::string> saved_[3];
};

// The locale's character set for the object's life (LC_ALL), as a desktop gives it.
class ScopedCharset {
public:
    explicit ScopedCharset(const char* lcAll);
    ~ScopedCharset();
    ScopedCharset(const ScopedCharset&) = delete;
    ScopedCharset& operator=(const ScopedCharset&) = delete;

private:
    std::optional<std::string> saved_;
};

// Writes the bytes as they are (no line-end translation); creates the parent folders.
void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
// The names in a folder, sorted (a temporary file left behind shows here).
std::vector<std::string> Names(const std::string& folder);

// Lines joined by CR LF, with a CR LF after the last one.
std::string CrLf(const std::vector<std::string>& lines);

// A format file: its banner, then the lines, CR LF after each.
std::string FmtFileText(const std::vector<std::string>& lines);

// Records every message and answers confirmations from a queue given in advance (OK when empty).
class RecordingMessages : public IMessages {
public:
    void Show(const std::string& text) override { shown.push_back(text); }
    bool Confirm(const std::string& text) override {
        confirmed.push_back(text);
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<std::string> shown;
    std::vector<std::string> confirmed;
    std::deque<bool> answers;
};

} // namespace lmx::test
