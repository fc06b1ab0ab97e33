// Desktop entries written into a home folder of the test's own, checked by the desktop's validator
// and started the way a launcher reads their Exec line.
#include "platform/UShortcut.h"

#include "common/UCommuns.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace lmx {
namespace {

using test::Exists;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// HOME and the XDG folders point into a temporary folder for the test's life.
class FakeHome {
public:
    FakeHome() {
        for (const char* name : kNames) {
            const char* v = std::getenv(name);
            saved_.push_back(v ? std::optional<std::string>(v) : std::nullopt);
        }
        setenv("HOME", dir.path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", dir.file(".config").c_str(), 1);
        setenv("XDG_DATA_HOME", dir.file(".local/share").c_str(), 1);
    }
    ~FakeHome() {
        for (std::size_t i = 0; i < saved_.size(); ++i) {
            if (saved_[i])
                setenv(kNames[i], saved_[i]->c_str(), 1);
            else
                unsetenv(kNames[i]);
        }
    }
    TempDir dir;

private:
    static constexpr const char* kNames[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
    std::vector<std::optional<std::string>> saved_;
};

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The value of a key of the entry ("" when missing).
std::string Value(const std::string& entry, const std::string& key) {
    const std::string head = "\n" + key + "=";
    const auto at = entry.find(head);
    if (at == std::string::npos) return {};
    const auto from = at + head.size();
    return entry.substr(from, entry.find('\n', from) - from);
}

// Exec as a launcher reads it: the string value's escapes, then the quoted arguments, then the
// field codes of each argument (%F the files, %% a percent sign).
QStringList ExecArguments(const std::string& exec, const QStringList& files) {
    std::string s;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const bool escape = exec[i] == '\\' && i + 1 < exec.size();
        s += escape && exec[i + 1] == 's' ? ' ' : escape ? exec[i + 1] : exec[i];
        i += escape;
    }
    std::vector<std::string> raw;
    std::string arg;
    bool quoted = false, any = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (quoted && s[i] == '\\' && i + 1 < s.size()) {
            arg += s[++i];
        } else if (s[i] == '"') {
            quoted = !quoted;
            any = true;
        } else if (s[i] == ' ' && !quoted) {
            if (any) raw.push_back(arg);
            arg.clear();
            any = false;
        } else {
            arg += s[i];
            any = true;
        }
    }
    if (any) raw.push_back(arg);
    QStringList args;
    for (const std::string& a : raw) {
        if (a == "%F") {
            args << files;
            continue;
        }
        std::string out;
        for (std::size_t i = 0; i < a.size(); ++i) {
            out += a[i];
            if (a[i] == '%' && i + 1 < a.size() && a[i + 1] == '%') ++i;
        }
        args << Q(out);
    }
    return args;
}

class Shortcut : public ::testing::Test {
protected:
    Shortcut() {
        // A stand-in for the program, in a folder whose name needs quoting in Exec.
        folder = home.dir.file("Program Files $1 \"x\" 100%/");
        program = folder + "Lumivex";
        WriteFile(program, "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"$a\"; done; } > '" +
                               home.dir.file("ran.txt") + "'\n");
        ::chmod(program.c_str(), 0755);
        WriteFile(folder + "Lumivex.png", "png");
    }

    // Runs the validator; its complaints, or "" when it has none.
    static std::string Validate(const std::string& path) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral("desktop-file-validate"), {Q(path)});
        if (!p.waitForFinished(20000)) return "validator did not run";
        const std::string out = p.readAll().toStdString();
        return p.exitCode() == 0 && out.find("error") == std::string::npos ? std::string() : out;
    }

    // Starts the entry's Exec line from its Path with two files, as a file manager would.
    std::string Launch(const std::string& entry) {
        const QStringList files{Q(home.dir.file("a quote.txt")), Q(home.dir.file("b.csv"))};
        QStringList args = ExecArguments(Value(entry, "Exec"), files);
        QProcess p;
        p.setWorkingDirectory(Q(Value(entry, "Path")));
        p.start(args.takeFirst(), args);
        p.waitForFinished(20000);
        return ReadFile(home.dir.file("ran.txt"));
    }

    FakeHome home;
    std::string folder, program;
};

TEST_F(Shortcut, EachPlaceGetsAValidEntryThatStartsTheProgram) {
    WriteFile(home.dir.file(".config/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
    std::filesystem::create_directories(home.dir.file("Bureau"));
    const std::string apps = home.dir.file(".local/share/applications/");
    struct Case {
        int place;
        std::string path;
        bool openWith;
        mode_t mode;
    } cases[] = {
        {spDesktop, home.dir.file("Bureau/Lumivex.desktop"), false, 0755},
        {spStartMenu, apps + "Corvandale/Lumivex.desktop", false, 0644},
        {spSendTo, apps + "Lumivex.desktop", true, 0644},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.place);
        std::string error;
        ASSERT_TRUE(CreateShortcut(c.place, program, &error)) << error;
        ASSERT_TRUE(Exists(c.path));
        EXPECT_EQ(Validate(c.path), "");
        struct stat st {};
        ::stat(c.path.c_str(), &st);
        EXPECT_EQ(st.st_mode & 0777, c.mode);
        const std::string entry = ReadFile(c.path);
        EXPECT_EQ(Value(entry, "Icon"), folder + "Lumivex.png");
        EXPECT_EQ(Value(entry, "MimeType"), c.openWith ? "text/plain;text/csv;text/tab-separated-values;" : "");
        EXPECT_EQ(Value(entry, "NoDisplay"), c.openWith ? "true" : "");
        std::filesystem::remove(home.dir.file("ran.txt"));
        EXPECT_EQ(Launch(entry), folder.substr(0, folder.size() - 1) + "\n" + home.dir.file("a quote.txt") + "\n" +
                                     home.dir.file("b.csv") + "\n");
    }
    // The same package brings the validator and the MIME cache tool.
    EXPECT_NE(ReadFile(apps + "mimeinfo.cache").find("text/csv=Lumivex.desktop;"), std::string::npos);
}

TEST_F(Shortcut, PressedTwiceReplacesTheEntryAndLeavesNothingElse) {
    const std::string path = home.dir.file(".local/share/applications/Corvandale/Lumivex.desktop");
    WriteFile(path, "[Desktop Entry]\nName=old\n");
    ASSERT_TRUE(CreateShortcut(spStartMenu, program));
    const std::string first = ReadFile(path);
    ASSERT_TRUE(CreateShortcut(spStartMenu, program));
    EXPECT_EQ(ReadFile(path), first);
    EXPECT_EQ(Value(first, "Name"), "Lumivex");
    std::size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(ExtractFilePath(path))) files += e.is_regular_file();
    EXPECT_EQ(files, 1u);
}

TEST_F(Shortcut, NamedAfterTheProgramFile) {
    std::string error;
    EXPECT_EQ(ShortcutPath(spSendTo, folder + "quotes.bin", error),
              home.dir.file(".local/share/applications/quotes.desktop"));
}

TEST_F(Shortcut, FailuresAnswerFalseWithTheReason) {
    std::string error;
    EXPECT_FALSE(CreateShortcut(spDesktop, program, &error)) << "no desktop folder";
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_FALSE(Exists(home.dir.file("Desktop/Lumivex.desktop")));

    WriteFile(home.dir.file(".local/share/applications"), "a file in the folder's place");
    error.clear();
    EXPECT_FALSE(CreateShortcut(spStartMenu, program, &error));
    EXPECT_NE(error, "");
    EXPECT_FALSE(CreateShortcut(spSendTo, program, &error));

    EXPECT_FALSE(CreateShortcut(spStartMenu, folder + "Lumi\nvex", &error)) << "a line break cannot be named";
    EXPECT_FALSE(CreateShortcut(spStartMenu, folder + "Lumi\xE9vex", &error)) << "nor a name that is not UTF-8";
    EXPECT_FALSE(CreateShortcut(spDesktop, "", &error));
}

} // namespace
} // namespace lmx
