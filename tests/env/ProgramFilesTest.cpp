#include "env/ProgramFiles.h"
#include "support/FaultyPort.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

using namespace lmx;
using namespace lmx::test;

namespace {

TEST(ProgramFiles, BesideTheProgramWhenItsFolderCanBeWritten) {
    TempDir program, config;
    const std::string xdg = config.file("xdg");
    const ProgramFilesDir r = ChooseProgramFilesDir(program.path(), xdg.c_str(), config.path().c_str());
    EXPECT_EQ(r.dir, program.path());
    EXPECT_FALSE(r.userFolder);
    EXPECT_FALSE(Exists(xdg)); // nothing made for nothing
    EXPECT_TRUE(std::filesystem::is_empty(program.path())); // the probe is gone
}

TEST(ProgramFiles, UserFolderIsMadeAndSeededWithoutOverwriting) {
    TempDir program, config;
    WriteFile(program.file("Lumivex.fmt"), "formats\r\n");
    WriteFile(program.file("Lumivex.prm"), "shipped\r\n");
    WriteFile(program.file("LumivexLog.txt"), "log\r\n");
    const std::string xdg = config.file("xdg");
    WriteFile(xdg + "/Lumivex/Lumivex.prm", "the user's own\r\n");

    const ProgramFilesDir r = UserFilesDir(program.path(), xdg.c_str(), "/nowhere");
    EXPECT_TRUE(r.status.Ok());
    EXPECT_TRUE(r.userFolder);
    EXPECT_EQ(r.dir, xdg + "/Lumivex/");
    EXPECT_EQ(ReadFile(r.dir + "Lumivex.fmt"), "formats\r\n");
    EXPECT_EQ(ReadFile(r.dir + "Lumivex.prm"), "the user's own\r\n");
    EXPECT_FALSE(Exists(r.dir + "LumivexLog.txt"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(r.dir), {}), 2); // no temporary file left
}

TEST(ProgramFiles, HomeConfigWithoutAnAbsoluteXdgFolderAndTheProgramsFolderWithoutHome) {
    TempDir program, home;
    ProgramFilesDir r = UserFilesDir(program.path(), "relative/xdg", home.path().c_str());
    EXPECT_EQ(r.dir, home.path() + ".config/Lumivex/");
    EXPECT_TRUE(std::filesystem::is_directory(r.dir));

    r = UserFilesDir(program.path(), nullptr, "");
    EXPECT_EQ(r.dir, program.path());
    EXPECT_FALSE(r.userFolder);
    EXPECT_EQ(r.status, StatusCode::FilesNoHome);
    EXPECT_NE(r.status.reason.find("HOME is not set"), std::string::npos);
}

TEST(ProgramFiles, ProgramFolderThatCannotBeWrittenGivesTheUserFolder) {
    TempDir program, config;
    FaultyPort port;
    port.FailAt("open", 1, EACCES); // the probe
    const std::string xdg = config.file("xdg");
    EXPECT_EQ(ChooseProgramFilesDir(program.path(), xdg.c_str(), nullptr, port).dir, xdg + "/Lumivex/");
}

TEST(ProgramFiles, ASeedCopyThatFailsLeavesNoFileAndSaysWhy) {
    for (const char* step : {"write", "fsync", "link"}) {
        TempDir program, config;
        WriteFile(program.file("Lumivex.prm"), "shipped\r\n");
        FaultyPort port;
        port.FailAt(step, 1, EIO);
        const std::string user = config.file("xdg") + "/Lumivex/";
        const ProgramFilesDir r = UserFilesDir(program.path(), config.file("xdg").c_str(), nullptr, port);
        EXPECT_EQ(r.status.reason, user + "Lumivex.prm : " + std::strerror(EIO)) << step;
        EXPECT_EQ(r.dir, program.path()) << step;
        EXPECT_TRUE(std::filesystem::is_empty(user)) << step;
    }
}

TEST(ProgramFiles, LanguageFileOfTheFilesFolderFirst) {
    TempDir files, program;
    EXPECT_EQ(LanguageFilePath(files.path(), program.path()), program.file("Lumivex.lng"));
    WriteFile(files.file("Lumivex.lng"), "[English]\r\n");
    EXPECT_EQ(LanguageFilePath(files.path(), program.path()), files.file("Lumivex.lng"));
}

} // namespace

namespace {

TEST(ProgramFiles, LanguageFileIsNamedAfterTheProgramFile) {
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/lumivex/Lumivex", "Lumivex.lng"}, {"/home/me/Quotes", "Quotes.lng"},
        {"/x/Quotes.exe", "Quotes.lng"},         {"/x.d/Lumivex", "Lumivex.lng"}, // a dot in a folder is no extension
    };
    for (const auto& [program, name] : cases) EXPECT_EQ(LanguageFileName(program), name) << program;
    TempDir files, program;
    WriteFile(files.file("Quotes.lng"), "[English]\r\n");
    EXPECT_EQ(LanguageFilePath(files.path(), program.path(), "Quotes.lng"), files.file("Quotes.lng"));
    EXPECT_EQ(LanguageFilePath(files.path(), program.path(), "Other.lng"), program.file("Other.lng"));
}

} // namespace
