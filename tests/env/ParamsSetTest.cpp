#include "env/Params.h"

#include "env/LangTexts.h"
#include "env/ParamsChoices.h"
#include "support/FaultyPort.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <algorithm>

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
    ParamsSet() : prm(lang, port) {
        prm.ProgramDir = dir.path();
        prm.PrmFileName = dir.file("Lumivex.prm");
        prm.PrmFile(pmDefaults);
    }
    TempDir dir;
    LangTexts lang;
    FaultyPort port; // the real system unless told to fail
    Params prm;
};

TEST_F(ParamsSet, CodedSlotsReadAsTheirMeaningAndAnyOtherTextAsNone) {
    prm.PrmSet(prmSDL, "3", false);
    prm.PrmSet(prmERL, "x", false);
    EXPECT_EQ(SourceDisposalOf(prm), sdKeep);
    EXPECT_EQ(BadLineRuleOf(prm), BadLineRule::Unset);
    prm.PrmSet(prmSDL, SourceDisposalCode(sdDelete), false);
    prm.PrmSet(prmERL, BadLineCode(BadLineRule::Stop), false);
    EXPECT_EQ(SourceDisposalOf(prm), sdDelete);
    EXPECT_EQ(BadLineRuleOf(prm), BadLineRule::Stop);
    prm.PrmSet(prmEXT, kPrmElsewhere, false);
    EXPECT_EQ(ResultExtension(prm, "d.x/quotes.csv"), ".csv");
    prm.PrmSet(prmMRS, kPrmElsewhere, false);
    EXPECT_EQ(DialogFolder(prm, prmMRS), prm.ProgramDir);
}

TEST_F(ParamsSet, TenChangesWriteNothingTheEleventhWrites) {
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(prm.PrmSet(prmDDO, "_" + std::to_string(i), false), prmOk);
        EXPECT_EQ(prm.PrmChangeCount(), i);
    }
    EXPECT_FALSE(Exists(prm.PrmFileName));
    EXPECT_EQ(prm.PrmSet(prmDDO, "_11", false), prmOk);
    EXPECT_EQ(prm.PrmChangeCount(), 0);
    ASSERT_TRUE(Exists(prm.PrmFileName));
    EXPECT_NE(ReadFile(prm.PrmFileName).find("\r\nDDO=_11\r\n"), std::string::npos);
}

TEST_F(ParamsSet, ReadOnlyNeverWritesTheFile) {
    prm.ReadOnly = true;
    for (int i = 0; i < 12; ++i) EXPECT_EQ(prm.PrmSet(prmMRD, "/tmp/", i == 0), prmOk);
    EXPECT_EQ(prm.PrmGet(prmMRD), "/tmp/");
    EXPECT_FALSE(Exists(prm.PrmFileName));
}

TEST_F(ParamsSet, SameValueStillCounts) {
    for (int i = 0; i < 11; ++i) prm.PrmSet(prmSDL, "0", false);
    EXPECT_TRUE(Exists(prm.PrmFileName));
}

TEST_F(ParamsSet, SaveNowAlwaysWrites) {
    EXPECT_EQ(prm.PrmSet(prmCTB, "CTB", true), prmOk);
    EXPECT_EQ(prm.PrmChangeCount(), 0);
    ASSERT_TRUE(Exists(prm.PrmFileName));
    prm.PrmSet(prmMRI, "DAILY", false);
    EXPECT_EQ(ReadFile(prm.PrmFileName).find("MRI=DAILY"), std::string::npos);
    prm.PrmSet(prmMRO, "WEEKLY", true);
    const std::string bytes = ReadFile(prm.PrmFileName);
    EXPECT_NE(bytes.find("\r\nMRI=DAILY\r\nMRO=WEEKLY\r\n"), std::string::npos);
}

TEST_F(ParamsSet, SlotsSixteenAndSeventeenAreOutOfReach) {
    for (int index : {prmDTY, prm17}) {
        EXPECT_EQ(prm.PrmSet(index, "zz", true), prmOk);
        EXPECT_EQ(prm.PrmChangeCount(), 0);
        EXPECT_EQ(prm.PrmGet(index), "");
        EXPECT_EQ(prm.PrmGet(index, true), "");
    }
    EXPECT_FALSE(Exists(prm.PrmFileName)); // not even saveNow writes
    prm.PrmSet(prmCTB, "CTB", true);
    const std::string bytes = ReadFile(prm.PrmFileName);
    EXPECT_NE(bytes.find("\r\nCPE=19\r\nDTY=$Q\r\nLGT="), std::string::npos);
    EXPECT_EQ(bytes.find("zz"), std::string::npos);
}

TEST_F(ParamsSet, IndexesOutOfRangeAreHarmless) {
    for (int index : {-1, kPrmSlotCount, 1000}) {
        EXPECT_EQ(prm.PrmSet(index, "x", true), prmOk);
        EXPECT_EQ(prm.PrmGet(index), "");
    }
    EXPECT_EQ(prm.PrmChangeCount(), 0);
}

TEST_F(ParamsSet, YesNoFollowsTheLoadedLanguage) {
    const std::pair<std::string, std::string> cases[] = {{"1", "Oui"}, {"0", "Non"}, {"2", "Non"},
                                                         {"", "Non"}, {"1 ", "Non"}, {"01", "Non"}};
    for (const auto& [value, yesNo] : cases) {
        prm.PrmSet(prmLOG, value, false);
        EXPECT_EQ(prm.PrmGet(prmLOG, true), yesNo) << value;
        EXPECT_EQ(prm.PrmGet(prmLOG, false), value);
    }
    WriteFile(dir.file("Lumivex.lng"), CrLf({"[English]", "msg_yes=Yes", "msg_no=No"}));
    ASSERT_EQ(lang.LangLoad("English", dir.file("Lumivex.lng")), 0);
    prm.PrmSet(prmLOG, "1", false);
    EXPECT_EQ(prm.PrmGet(prmLOG, true), "Yes");
    prm.PrmSet(prmLOG, "0", false);
    EXPECT_EQ(prm.PrmGet(prmLOG, true), "No");
}

TEST_F(ParamsSet, ValuesGoOutAsTheyAre) {
    prm.PrmSet(prmDDO, " _a b ", false);
    prm.PrmSet(prmLNG, "\xC9t\xE9", false);
    ASSERT_EQ(prm.PrmFile(pmSave), prmOk);
    const std::string bytes = ReadFile(prm.PrmFileName);
    EXPECT_NE(bytes.find("\r\nDDO= _a b \r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nLNG=\xC9t\xE9\r\n"), std::string::npos);
    Params again(lang);
    again.ProgramDir = dir.path();
    again.PrmFileName = prm.PrmFileName;
    ASSERT_EQ(again.PrmFile(pmLoad), prmOk);
    EXPECT_EQ(again.PrmGet(prmDDO), " _a b ");
    EXPECT_EQ(again.PrmGet(prmLNG), "\xC9t\xE9");
}

TEST_F(ParamsSet, FailedSaveKeepsTheOldFileAndSaysWhy) {
    // A parent that is a plain file refuses any new entry, whoever runs the tests.
    WriteFile(dir.file("notafolder"), "x");
    prm.PrmFileName = dir.file("notafolder/Lumivex.prm");
    EXPECT_EQ(prm.PrmFile(pmSave), prmCannotWrite);
    EXPECT_FALSE(prm.LastIoError().empty());
    EXPECT_EQ(prm.PrmSet(prmCTB, "CTB", true), prmCannotWrite);
    EXPECT_EQ(prm.PrmChangeCount(), 0);
}

TEST_F(ParamsSet, NoFileNameNoWrite) {
    prm.PrmFileName.clear();
    EXPECT_EQ(prm.PrmFile(pmSave), prmCannotWrite);
    EXPECT_EQ(prm.PrmFile(pmLoad), prmCannotOpen);
    EXPECT_FALSE(prm.LastIoError().empty());
}

TEST_F(ParamsSet, FailedWriteLeavesTheOldFileByteForByte) {
    const std::string old = CrLf({"[P]", "DDO=_old", "[/]"});
    WriteFile(prm.PrmFileName, old);
    // The disk gives up before the new content is safe.
    port.FailAt("fsync");
    prm.PrmSet(prmDDO, "_new", false);
    EXPECT_EQ(prm.PrmSet(prmCTB, "CTB", true), prmCannotWrite);
    EXPECT_FALSE(prm.LastIoError().empty());
    EXPECT_EQ(ReadFile(prm.PrmFileName), old);
    EXPECT_EQ(prm.PrmGet(prmDDO), "_new"); // memory keeps the change for a later save
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.prm"}));
}

TEST_F(ParamsSet, FailedRenameLeavesTheOldContentAndNoTemporaryFile) {
    // A folder standing where the file should go: the content is written, the swap fails.
    std::filesystem::create_directory(prm.PrmFileName);
    WriteFile(prm.PrmFileName + "/keep.txt", "old");
    EXPECT_EQ(prm.PrmFile(pmSave), prmCannotWrite);
    EXPECT_FALSE(prm.LastIoError().empty());
    EXPECT_EQ(ReadFile(prm.PrmFileName + "/keep.txt"), "old");
    EXPECT_FALSE(Exists(prm.PrmFileName + ".tmp"));
}

TEST_F(ParamsSet, SaveReplacesAWholeOldFile) {
    WriteFile(prm.PrmFileName, std::string(100000, 'x')); // longer than the new content
    prm.PrmSet(prmERL, "2", true);
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
        ASSERT_EQ(prm.PrmFile(pmSave), prmOk);
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
    explicit SecondWindow(const Params& first) : prm(lang, port) {
        prm.ProgramDir = first.ProgramDir;
        prm.PrmFileName = first.PrmFileName;
        prm.PrmFile(pmLoad);
    }
    LangTexts lang;
    FaultyPort port;
    Params prm;
};

std::string WithLine(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find("\r\n" + from + "\r\n");
    if (at != std::string::npos) text.replace(at + 2, from.size(), to);
    return text;
}

TEST_F(ParamsSet, TwoWindowsKeepEachOthersChanges) {
    ASSERT_EQ(prm.PrmFile(pmSave), prmOk);
    ASSERT_EQ(prm.PrmFile(pmLoad), prmOk);
    SecondWindow b(prm);
    // The parameters page stores every option, changed or not.
    prm.PrmSet(prmERL, "2", false);
    prm.PrmSet(prmSDL, "0", false);
    ASSERT_EQ(prm.PrmSet(prmCTB, "CTB", true), prmOk);
    const std::string first = ReadFile(prm.PrmFileName);
    b.prm.PrmSet(prmERL, "1", false);
    b.prm.PrmSet(prmSDL, "2", false);
    ASSERT_EQ(b.prm.PrmSet(prmCTB, "CTB", true), prmOk);
    EXPECT_EQ(ReadFile(prm.PrmFileName), WithLine(first, "SDL=0", "SDL=2")) << "one line changed, the rest as it was";
    // Each window keeps its own view; a later save of either still writes only its own changes.
    EXPECT_EQ(prm.PrmGet(prmSDL), "0");
    prm.PrmSet(prmDDO, "_a", true);
    EXPECT_EQ(ReadFile(prm.PrmFileName), WithLine(WithLine(first, "SDL=0", "SDL=2"), "DDO=_conv", "DDO=_a"));
}

TEST_F(ParamsSet, ASaveAtTheSameInstantWaitsForTheOneUnderWay) {
    ASSERT_EQ(prm.PrmFile(pmSave), prmOk);
    SecondWindow b(prm);
    b.prm.PrmSet(prmSDL, "2", false);
    {
        // B saves while A writes its new file.
        test::Meanwhile meanwhile(port, "write", b.port, [&] { b.prm.PrmSet(prmCTB, "CTB", true); });
        prm.PrmSet(prmERL, "2", true);
        ASSERT_TRUE(meanwhile.Started());
    }
    const std::string bytes = ReadFile(prm.PrmFileName);
    EXPECT_NE(bytes.find("\r\nERL=2\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nSDL=2\r\n"), std::string::npos);
}

} // namespace
} // namespace lmx
