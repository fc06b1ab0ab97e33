#include "env/Params.h"

#include "support/FaultyPort.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

#include <fcntl.h>
#include <filesystem>

namespace lmx {
namespace {

using test::CrLf;
using test::Exists;
using test::FaultyPort;
using test::Names;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

class ParamsSet : public ::testing::Test {
protected:
    ParamsSet() : prm(port) {
        prm.ProgramDir = dir.path();
        prm.PrmFileName = dir.file("Lumivex.prm");
    }
    TempDir dir;
    FaultyPort port; // the real system unless told to fail
    Params prm;
};

// Each setting as the file writes it, and read back as the same value.
TEST_F(ParamsSet, EachSettingRoundTripsThroughItsLine) {
    struct Case {
        std::function<void(Settings&)> set;
        std::string line;
    };
    const Case cases[] = {
        {[](Settings& s) { s.language = "English"; }, "LNG=English"},
        {[&](Settings& s) { s.sourceFolder = dir.path(); }, "MRS=" + dir.path()}, // folders are checked on loading
        {[&](Settings& s) { s.resultFolder = dir.path(); }, "MRD=" + dir.path()},
        {[](Settings& s) { s.addedText = ""; }, "DDO="},
        {[](Settings& s) { s.resultExtension = ""; }, "EXT="},
        {[](Settings& s) { s.disposal = sdTrash; }, "SDL=1"},
        {[](Settings& s) { s.disposal = sdDelete; }, "SDL=2"},
        {[](Settings& s) { s.renameText = "_done"; }, "SRN=_done"},
        {[](Settings& s) { s.badLine = BadLineRule::Stop; }, "ERL=2"},
        {[](Settings& s) { s.inputFormat = "DAILY"; }, "MRI=DAILY"},
        {[](Settings& s) { s.outputFormat = "ISO"; }, "MRO=ISO"},
        {[](Settings& s) { s.logTextColor = 0x123456; }, "LGT=$00123456"},
        {[](Settings& s) { s.logBackColor = 0xFF; }, "LGF=clRed"},
        {[](Settings& s) { s.log = LogDetail::Simple; }, "LOG=0"},
        {[](Settings& s) { s.encoding = DataEncoding::Utf8; }, "ENC=UTF-8"},
        {[](Settings& s) { s.encoding = DataEncoding::Windows1252; }, "ENC=Windows-1252"},
        {[](Settings& s) { s.lfOnly = true; }, "EOL=LF"},
    };
    for (const Case& c : cases) {
        prm.Defaults();
        prm.settings.sourceFolder = dir.path(); // "$Q" loads as the program's folder
        c.set(prm.settings);
        const Settings wanted = prm.settings;
        ASSERT_TRUE(prm.Save().Ok());
        EXPECT_NE(ReadFile(prm.PrmFileName).find("\r\n" + c.line + "\r\n"), std::string::npos) << c.line;
        Params again(port);
        again.ProgramDir = dir.path();
        again.PrmFileName = prm.PrmFileName;
        ASSERT_TRUE(again.Load().Ok());
        EXPECT_EQ(again.settings, wanted) << c.line;
        std::filesystem::remove(prm.PrmFileName);
    }
    EXPECT_EQ(Settings(), (prm.Defaults(), prm.settings)) << "the type's defaults are the file's";
}

TEST_F(ParamsSet, TenChangesWriteNothingTheEleventhWrites) {
    for (int i = 1; i <= 10; ++i) {
        prm.settings.addedText = "_" + std::to_string(i);
        EXPECT_TRUE(prm.SaveOnEleventhChange().Ok());
        EXPECT_EQ(prm.ChangesSinceSave(), i);
    }
    EXPECT_FALSE(Exists(prm.PrmFileName));
    prm.settings.addedText = "_11";
    EXPECT_TRUE(prm.SaveOnEleventhChange().Ok());
    EXPECT_EQ(prm.ChangesSinceSave(), 0);
    ASSERT_TRUE(Exists(prm.PrmFileName));
    EXPECT_NE(ReadFile(prm.PrmFileName).find("\r\nDDO=_11\r\n"), std::string::npos);
}

TEST_F(ParamsSet, ReadOnlyNeverWritesTheFile) {
    prm.ReadOnly = true;
    prm.settings.resultFolder = "/tmp/";
    EXPECT_TRUE(prm.Save().Ok());
    for (int i = 0; i < 12; ++i) EXPECT_TRUE(prm.SaveOnEleventhChange().Ok());
    EXPECT_EQ(prm.settings.resultFolder, "/tmp/");
    EXPECT_FALSE(Exists(prm.PrmFileName));
}

TEST_F(ParamsSet, DtyIsAlwaysWrittenAsTheFileHasItAndSeventeenNever) {
    ASSERT_TRUE(prm.Save().Ok());
    EXPECT_NE(ReadFile(prm.PrmFileName).find("\r\nCPE=19\r\nDTY=$Q\r\nLGT="), std::string::npos);
}

TEST_F(ParamsSet, ValuesGoOutAsTheyAre) {
    prm.settings.addedText = " _a b ";
    prm.settings.language = "\xC9t\xE9";
    ASSERT_TRUE(prm.Save().Ok());
    const std::string bytes = ReadFile(prm.PrmFileName);
    EXPECT_NE(bytes.find("\r\nDDO= _a b \r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nLNG=\xC9t\xE9\r\n"), std::string::npos);
    Params again(port);
    again.ProgramDir = dir.path();
    again.PrmFileName = prm.PrmFileName;
    ASSERT_TRUE(again.Load().Ok());
    EXPECT_EQ(again.settings.addedText, " _a b ");
    EXPECT_EQ(again.settings.language, "\xC9t\xE9");
}

TEST_F(ParamsSet, FailedSaveKeepsTheOldFileAndSaysWhy) {
    // A parent that is a plain file refuses any new entry, whoever runs the tests.
    WriteFile(dir.file("notafolder"), "x");
    prm.PrmFileName = dir.file("notafolder/Lumivex.prm");
    prm.SaveOnEleventhChange();
    const Status r = prm.Save();
    EXPECT_EQ(r.code, StatusCode::SettingsCannotWrite);
    EXPECT_FALSE(r.reason.empty());
    EXPECT_EQ(prm.ChangesSinceSave(), 0);
}

TEST_F(ParamsSet, NoFileNameNoWrite) {
    prm.PrmFileName.clear();
    EXPECT_EQ(prm.Save().code, StatusCode::SettingsCannotWrite);
    const Status r = prm.Load();
    EXPECT_EQ(r.code, StatusCode::SettingsCannotOpen);
    EXPECT_FALSE(r.reason.empty());
}

TEST_F(ParamsSet, FailedWriteLeavesTheOldFileByteForByte) {
    const std::string old = CrLf({"[P]", "DDO=_old", "[/]"});
    WriteFile(prm.PrmFileName, old);
    // The disk gives up before the new content is safe.
    port.FailAt("fsync");
    prm.settings.addedText = "_new";
    const Status r = prm.Save();
    EXPECT_EQ(r.code, StatusCode::SettingsCannotWrite);
    EXPECT_FALSE(r.reason.empty());
    EXPECT_EQ(ReadFile(prm.PrmFileName), old);
    EXPECT_EQ(prm.settings.addedText, "_new"); // memory keeps the change for a later save
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.prm"}));
}

TEST_F(ParamsSet, FailedRenameLeavesTheOldContentAndNoTemporaryFile) {
    // A folder standing where the file should go: the content is written, the swap fails.
    std::filesystem::create_directory(prm.PrmFileName);
    WriteFile(prm.PrmFileName + "/keep.txt", "old");
    EXPECT_FALSE(prm.Save().reason.empty());
    EXPECT_EQ(ReadFile(prm.PrmFileName + "/keep.txt"), "old");
    EXPECT_FALSE(Exists(prm.PrmFileName + ".tmp"));
}

TEST_F(ParamsSet, SaveReplacesAWholeOldFile) {
    WriteFile(prm.PrmFileName, std::string(100000, 'x')); // longer than the new content
    prm.settings.badLine = BadLineRule::Stop;
    prm.Save();
    const std::string bytes = ReadFile(prm.PrmFileName);
    EXPECT_EQ(bytes.find('x'), std::string::npos);
    ASSERT_GE(bytes.size(), 12u);
    EXPECT_EQ(bytes.substr(bytes.size() - 12), "LOG=1\r\n[/]\r\n");
    EXPECT_NE(bytes.find("\r\nERL=2\r\n"), std::string::npos);
    EXPECT_FALSE(Exists(prm.PrmFileName + ".tmp"));
}

TEST_F(ParamsSet, SaveReachesTheDiskBeforeItsNameAndNeverFollowsALink) {
    WriteFile(dir.file("victim.txt"), "precious");
    std::filesystem::create_symlink(dir.file("victim.txt"), prm.PrmFileName + ".tmp");
    // A file without a name, named once flushed; where the file system refuses, a named one.
    const std::vector<std::string> unnamed{"open FOLDER", "write", "fsync", "link FD TEMP", "close",
                                           "rename TEMP Lumivex.prm", "open FOLDER", "fsync", "close"};
    const std::vector<std::string> named{"open FOLDER", "open TEMP", "write", "fsync", "close",
                                         "rename TEMP Lumivex.prm", "open FOLDER", "fsync", "close"};
    // The calls of the write itself, from the first of the folder's (the lock and the reading of the
    // file as it stands come before, the lock's release after).
    const auto written = [&] {
        const auto from = std::find(port.calls.begin(), port.calls.end(), "open FOLDER");
        const auto n = std::min<std::ptrdiff_t>(port.calls.end() - from, std::ptrdiff_t(unnamed.size()));
        return std::vector<std::string>(from, from + n);
    };
    for (const bool refuse : {false, true}) {
        port.noUnnamedFiles = refuse;
        port.calls.clear();
        port.openFlags.clear();
        ASSERT_TRUE(prm.Save().Ok());
        const auto temp = std::find(port.calls.begin(), port.calls.end(), "open TEMP");
        if (refuse) {
            EXPECT_EQ(written(), named);
            ASSERT_NE(temp, port.calls.end());
            const auto opens = std::count_if(port.calls.begin(), temp, [](const std::string& c) {
                return c.rfind("open ", 0) == 0;
            });
            ASSERT_GT(port.openFlags.size(), std::size_t(opens));
            EXPECT_EQ(port.openFlags[opens] & (O_EXCL | O_NOFOLLOW), O_EXCL | O_NOFOLLOW);
        } else if (temp == port.calls.end()) { // unless this file system refused
            EXPECT_EQ(written(), unnamed);
        }
        EXPECT_EQ(ReadFile(dir.file("victim.txt")), "precious");
        EXPECT_NE(ReadFile(prm.PrmFileName).find("\r\nLOG=1\r\n"), std::string::npos);
        EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.prm", "Lumivex.prm.tmp", "victim.txt"}));
    }
}

// A second window on the same folder, started from the same file as the first.
struct SecondWindow {
    explicit SecondWindow(const Params& first) : prm(port) {
        prm.ProgramDir = first.ProgramDir;
        prm.PrmFileName = first.PrmFileName;
        prm.Load();
    }
    FaultyPort port;
    Params prm;
};

std::string WithLine(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find("\r\n" + from + "\r\n");
    if (at != std::string::npos) text.replace(at + 2, from.size(), to);
    return text;
}

TEST_F(ParamsSet, TwoWindowsKeepEachOthersChanges) {
    ASSERT_TRUE(prm.Save().Ok());
    ASSERT_TRUE(prm.Load().Ok());
    SecondWindow b(prm);
    // The parameters page stores every option, changed or not.
    prm.settings.badLine = BadLineRule::Stop;
    prm.settings.disposal = sdKeep;
    ASSERT_TRUE(prm.Save().Ok());
    const std::string first = ReadFile(prm.PrmFileName);
    b.prm.settings.badLine = BadLineRule::Reject;
    b.prm.settings.disposal = sdDelete;
    ASSERT_TRUE(b.prm.Save().Ok());
    EXPECT_EQ(ReadFile(prm.PrmFileName), WithLine(first, "SDL=0", "SDL=2")) << "one line changed, the rest as it was";
    // Each window keeps its own view; a later save of either still writes only its own changes.
    EXPECT_EQ(prm.settings.disposal, sdKeep);
    prm.settings.addedText = "_a";
    prm.Save();
    EXPECT_EQ(ReadFile(prm.PrmFileName), WithLine(WithLine(first, "SDL=0", "SDL=2"), "DDO=_conv", "DDO=_a"));
}

TEST_F(ParamsSet, ASaveAtTheSameInstantWaitsForTheOneUnderWay) {
    ASSERT_TRUE(prm.Save().Ok());
    SecondWindow b(prm);
    b.prm.settings.disposal = sdDelete;
    {
        // B saves while A writes its new file.
        test::Meanwhile meanwhile(port, "write", b.port, [&] { b.prm.Save(); });
        prm.settings.badLine = BadLineRule::Stop;
        prm.Save();
        ASSERT_TRUE(meanwhile.Started());
    }
    const std::string bytes = ReadFile(prm.PrmFileName);
    EXPECT_NE(bytes.find("\r\nERL=2\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nSDL=2\r\n"), std::string::npos);
}

} // namespace
} // namespace lmx
