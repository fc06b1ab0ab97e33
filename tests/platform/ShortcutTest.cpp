// Desktop entries written into a home of the test's own, checked by the desktop's validator and
// started by a desktop launcher.
#include "platform/Shortcut.h"
#include "platform/OpenWith.h"

#include "common/Basics.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

namespace lmx {
namespace {

using test::Exists;
using test::ReadFile;
using test::WriteFile;

// The value of a key of the entry ("" when missing).
std::string Value(const std::string& entry, const std::string& key) {
    const auto at = entry.find("\n" + key + "=");
    if (at == std::string::npos) return {};
    const auto from = at + key.size() + 2;
    return entry.substr(from, entry.find('\n', from) - from);
}

// The tool's complaints, or "" when it has none.
std::string RunTool(const QString& tool, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(tool, args);
    if (!p.waitForFinished(20000)) return "did not run";
    const std::string out = p.readAll().toStdString();
    return p.exitCode() == 0 && out.find("error") == std::string::npos ? std::string() : out;
}

// A variable of the environment set for the test's time.
struct ScopedEnv {
    ScopedEnv(const char* n, const std::string& v) : name(n), saved(std::getenv(n) ? std::getenv(n) : "") {
        ::setenv(n, v.c_str(), 1);
    }
    ~ScopedEnv() { ::setenv(name, saved.c_str(), 1); }
    const char* name;
    std::string saved;
};

class Shortcut : public ::testing::Test {
protected:
    Shortcut() {
        // A stand-in for the program, in a folder whose name needs quoting in Exec.
        WriteFile(program, "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"$a\"; done; } > '" + ran + ".tmp' && mv '" +
                               ran + ".tmp' '" + ran + "'\n");
        ::chmod(program.c_str(), 0755);
        WriteFile(folder + "Lumivex.png", "png");
    }
    // What the program saw when a launcher started the entry with two files.
    std::string Launch(const std::string& entry) {
        std::filesystem::remove(ran);
        const std::string error = RunTool("gio", {"launch", QString::fromStdString(entry), "/q/a quote.txt", "/q/b.csv"});
        for (int i = 0; i < 200 && !Exists(ran); ++i) QThread::msleep(50);
        return error + ReadFile(ran);
    }

    test::FakeHome home;
    std::string folder = home.dir.file("Program Files $1 \"x\"/");
    std::string program = folder + "Lumivex";
    std::string ran = home.dir.file("ran.txt");
    std::string apps = home.dir.file(".local/share/applications/");
};

TEST_F(Shortcut, EachPlaceGetsAValidEntryThatStartsTheProgram) {
    QCoreApplication::setApplicationName(QStringLiteral("Quendrafil (stocks datas)")); // as the window names it
    WriteFile(home.dir.file(".config/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
    std::filesystem::create_directories(home.dir.file("Bureau"));
    const struct {
        ShortcutTarget place;
        std::string path;
        mode_t mode;
    } cases[] = {
        {ShortcutTarget::Desktop, home.dir.file("Bureau/Lumivex.desktop"), 0755},
        {ShortcutTarget::StartMenu, apps + "Corvandale/Lumivex.desktop", 0644},
        {ShortcutTarget::SendTo, apps + "Lumivex.desktop", 0644},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.place));
        std::string error;
        ASSERT_TRUE(CreateShortcut(c.place, program, &error)) << error;
        EXPECT_EQ(RunTool("desktop-file-validate", {QString::fromStdString(c.path)}), "");
        struct stat st {};
        ::stat(c.path.c_str(), &st);
        EXPECT_EQ(st.st_mode & 0777, c.mode);
        const std::string entry = ReadFile(c.path);
        EXPECT_EQ(Value(entry, "Icon"), folder + "Lumivex.png");
        const bool openWith = c.place == ShortcutTarget::SendTo;
        EXPECT_EQ(Value(entry, "MimeType"), openWith ? "text/plain;text/csv;text/tab-separated-values;" : "");
        EXPECT_EQ(Value(entry, "NoDisplay"), openWith ? "true" : "");
        EXPECT_EQ(Value(entry, "StartupWMClass"), "Quendrafil (stocks datas)");
        EXPECT_EQ(Launch(c.path), folder.substr(0, folder.size() - 1) + "\n/q/a quote.txt\n/q/b.csv\n");
    }
    EXPECT_NE(ReadFile(apps + "mimeinfo.cache").find("text/csv=Lumivex.desktop;"), std::string::npos);
}

TEST_F(Shortcut, PressedTwiceReplacesTheEntryAndLeavesNothingElse) {
    const std::string path = apps + "Corvandale/Lumivex.desktop";
    WriteFile(path, "[Desktop Entry]\nName=old\n");
    ASSERT_TRUE(CreateShortcut(ShortcutTarget::StartMenu, program));
    const std::string first = ReadFile(path);
    ASSERT_TRUE(CreateShortcut(ShortcutTarget::StartMenu, program));
    EXPECT_EQ(ReadFile(path), first);
    EXPECT_EQ(Value(first, "Name"), "Lumivex");
    const auto entries = std::distance(std::filesystem::directory_iterator(apps + "Corvandale"), {});
    EXPECT_EQ(entries, 1);
    std::string error;
    EXPECT_EQ(ShortcutPath(ShortcutTarget::SendTo, folder + "quotes.bin", error), apps + "quotes.desktop");
}

TEST_F(Shortcut, FailuresAnswerFalseWithTheReason) {
    std::string error;
    EXPECT_FALSE(CreateShortcut(ShortcutTarget::Desktop, program, &error)) << "no desktop folder";
    EXPECT_EQ(error, "No such file or directory");
    WriteFile(home.dir.file(".local/share/applications"), "a file in the folder's place");
    EXPECT_FALSE(CreateShortcut(ShortcutTarget::StartMenu, program, &error));
    EXPECT_FALSE(CreateShortcut(ShortcutTarget::SendTo, program, &error));
    std::filesystem::remove(home.dir.file(".local/share/applications"));
    for (const std::string& bad : {folder + "Lumi\nvex", folder + "Lumi\xE9vex", folder + "50%/Lumivex", std::string()})
        EXPECT_FALSE(CreateShortcut(ShortcutTarget::StartMenu, bad, &error)) << "a path no entry can name";
}

TEST_F(Shortcut, OpenWithLeavesDoubleClickToTheApplicationThatHadIt) {
    // A desktop of the test's own: a spreadsheet opens CSV files, nobody chose it explicitly.
    const ScopedEnv dataDirs("XDG_DATA_DIRS", home.dir.file("system"));
    const ScopedEnv configDirs("XDG_CONFIG_DIRS", home.dir.file("system"));
    WriteFile(apps + "sheet.desktop",
              "[Desktop Entry]\nType=Application\nName=Sheet\nExec=true %F\nMimeType=text/csv;\n");
    ASSERT_EQ(RunTool("update-desktop-database", {QString::fromStdString(apps)}), "");
    std::string app, error;
    ASSERT_TRUE(CurrentDefault("text/csv", app, error) && app == "sheet.desktop") << error << app;
    WriteFile(home.dir.file(".config/mimeapps.list"), "# kept\n");
    ASSERT_TRUE(CreateShortcut(ShortcutTarget::SendTo, program, &error)) << error;
    EXPECT_TRUE(CurrentDefault("text/csv", app, error) && app == "sheet.desktop") << error << app;
    EXPECT_NE(ReadFile(apps + "mimeinfo.cache").find("text/csv=Lumivex.desktop;"), std::string::npos) << "offered";
    EXPECT_EQ(ReadFile(home.dir.file(".config/mimeapps.list")),
              "# kept\n[Default Applications]\ntext/csv=sheet.desktop;\n");

    // The user's own choices and the rest of the file stay as they are.
    const std::string list = "# mine\n[Default Applications]\ntext/plain=ed.desktop\n\n[Removed Associations]\nx=y;";
    EXPECT_EQ(PinDefaults(list, {{"text/plain", "sheet.desktop"}, {"text/csv", "sheet.desktop"}}),
              "# mine\n[Default Applications]\ntext/plain=ed.desktop\ntext/csv=sheet.desktop;\n\n"
              "[Removed Associations]\nx=y;");
}

TEST_F(Shortcut, WithoutTheDesktopsToolsNothingIsClaimed) {
    // Only a gio that records what it is asked: no cache tool.
    const std::string bin = home.dir.file("bin/");
    WriteFile(bin + "gio", "#!/bin/sh\necho \"$@\" >> '" + bin + "asked'\n");
    ::chmod((bin + "gio").c_str(), 0755);
    const ScopedEnv path("PATH", bin);
    std::string error;
    EXPECT_FALSE(CreateShortcut(ShortcutTarget::SendTo, program, &error));
    EXPECT_EQ(error, "update-desktop-database is not installed: the file manager would not offer the program");
    EXPECT_FALSE(Exists(apps + "Lumivex.desktop"));

    WriteFile(home.dir.file(".config/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n");
    std::filesystem::create_directories(home.dir.file("Desktop"));
    ASSERT_TRUE(CreateShortcut(ShortcutTarget::Desktop, program, &error)) << error;
    EXPECT_EQ(ReadFile(bin + "asked"), "set " + home.dir.file("Desktop/Lumivex.desktop") + " metadata::trusted true\n");
}

} // namespace
} // namespace lmx
