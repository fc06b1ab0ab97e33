#include "core/FormatFile.h"
#include "env/LangTexts.h"
#include "FmtTestFiles.h"
#include "support/FaultyPort.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace lmx;
using namespace lmx::test;
namespace fs = std::filesystem;

namespace {

class FmtSave : public ::testing::Test, protected FmtFileRig {
protected:
    void Write(const std::vector<std::string>& lines) { WriteFile(file.FmtFileName, FmtFileText(lines)); }
    std::string Updt(LK tail) const { return lang.Text(LK::err_fmtFileUpdt) + lang.Text(tail); }

    // The format B the editor would save: two columns, one header line.
    void PrepareWork() {
        work = FormatOf("B", "\t", ".", {"DATE|/DD/MM/YYYY|0|1|0|", "CLOSE|N|0|0|2|EUR"}, "new b", "1", {"Date\tClose"});
    }

    const std::string oldPath = dir.file("Lumivex.old");
    Format work;

    const std::vector<std::string> a = Block("A", "1", {"COL=A1|N|0|0|0|"});
    const std::vector<std::string> b = Block("B", "1", {"HDR=old", "COL=B1|AN|0|0|0|"});
    const std::vector<std::string> c = Block("C", "1", {"COL=C1|AN|1|0|0|"});
    const std::vector<std::string> newB{"NOM=B",     "CMT=new b", "CLC=2", "SEP=\t", "DEC=.", "IFL=1", "HDR=Date\tClose",
                                        "COL=DATE|/DD/MM/YYYY|0|1|0|", "COL=CLOSE|N|0|0|2|EUR"};
};

TEST_F(FmtSave, SavedFormatMovesToTheEndUnderAFreshBanner) {
    // A damaged banner line and an LF line end: neither survives the rewrite.
    const std::string before = "garbage banner\n" + CrLf(Join({a, b, c}));
    WriteFile(file.FmtFileName, before);
    PrepareWork();
    ASSERT_TRUE(file.FmtSaveFile(fsmSave, "B", work).Ok());
    EXPECT_EQ(ReadFile(file.FmtFileName), FmtFileText(Join({a, c, newB})));
    EXPECT_EQ(ReadFile(oldPath), before);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.fmt", "Lumivex.old"}));

    EXPECT_EQ(file.Load("B").format.BlockText(), work.BlockText()); // read back as written
}

TEST_F(FmtSave, DeleteRemovesTheBlock) {
    Write(Join({a, b, c}));
    ASSERT_TRUE(file.FmtSaveFile(fsmDelete, "B", {}).Ok());
    EXPECT_EQ(ReadFile(file.FmtFileName), FmtFileText(Join({a, c})));
    EXPECT_EQ(ReadFile(oldPath), FmtFileText(Join({a, b, c})));
}

TEST_F(FmtSave, SaveOfADuplicatedNameKeepsOneBlock) {
    Write(Join({b, a, b}));
    PrepareWork();
    ASSERT_TRUE(file.FmtSaveFile(fsmSave, "B", work).Ok());
    EXPECT_EQ(ReadFile(file.FmtFileName), FmtFileText(Join({a, newB})));
}

TEST_F(FmtSave, NewNameIsAppended) {
    Write(Join({a}));
    PrepareWork();
    work.name = "NEW";
    ASSERT_TRUE(file.FmtSaveFile(fsmSave, "NEW", work).Ok());
    std::vector<std::string> expected = newB;
    expected[0] = "NOM=NEW";
    EXPECT_EQ(ReadFile(file.FmtFileName), FmtFileText(Join({a, expected})));
}

TEST_F(FmtSave, OnlyTheFirstColCountColumnLinesAreWritten) {
    Write(Join({a}));
    PrepareWork();
    work.columns.push_back(FormatOf("E", ";", ",", {"EXTRA|N|0|0|0|"}).columns[0]);
    ASSERT_TRUE(file.FmtSaveFile(fsmSave, "B", work).Ok());
    EXPECT_EQ(ReadFile(file.FmtFileName), FmtFileText(Join({a, newB})));
}

TEST_F(FmtSave, PreviousBackupIsReplaced) {
    Write(Join({a, b}));
    WriteFile(oldPath, "stale");
    ASSERT_TRUE(file.FmtSaveFile(fsmDelete, "A", {}).Ok());
    EXPECT_EQ(ReadFile(oldPath), FmtFileText(Join({a, b})));
    EXPECT_EQ(ReadFile(file.FmtFileName), FmtFileText(b));
}

TEST_F(FmtSave, UndeletableBackupStopsTheSave) {
    Write(Join({a, b}));
    WriteFile(oldPath + "/inside", "x"); // a non-empty folder cannot be deleted as a file
    PrepareWork();
    EXPECT_FALSE(file.FmtSaveFile(fsmSave, "B", work).Ok());
    EXPECT_EQ(messages.shown, (std::vector<std::string>{lang.Text(LK::err_fmtDelOld)}));
    EXPECT_EQ(ReadFile(file.FmtFileName), FmtFileText(Join({a, b})));
    EXPECT_TRUE(Exists(oldPath + "/inside"));
}

TEST_F(FmtSave, NoFormatFileCannotBeSavedAndKeepsTheBackup) {
    WriteFile(oldPath, FmtFileText(a));
    PrepareWork();
    EXPECT_FALSE(file.FmtSaveFile(fsmSave, "B", work).Ok());
    EXPECT_EQ(messages.shown, (std::vector<std::string>{lang.Text(LK::err_fmtChgOld)}));
    EXPECT_FALSE(Exists(file.FmtFileName));
    EXPECT_EQ(ReadFile(oldPath), FmtFileText(a));

    // The recovery then brings the backup back.
    messages.shown.clear();
    file.RecoverAfterFailedSave();
    EXPECT_EQ(messages.shown, (std::vector<std::string>{Updt(LK::err_fmtFilePres)}));
    EXPECT_EQ(ReadFile(file.FmtFileName), FmtFileText(a));
}

TEST_F(FmtSave, UnreadableFormatFileIsAnAccessFailure) {
    fs::create_directory(file.FmtFileName);
    PrepareWork();
    EXPECT_FALSE(file.FmtSaveFile(fsmSave, "B", work).Ok());
    EXPECT_EQ(messages.shown, (std::vector<std::string>{lang.Text(LK::err_fmtFileAccess)}));
    EXPECT_FALSE(Exists(oldPath));
}

TEST_F(FmtSave, FailingWriteLeavesTheFormatFileIntact) {
    const std::string before = FmtFileText(Join({a, b, c}));
    WriteFile(file.FmtFileName, before);
    PrepareWork();
    FaultyPort sys;
    sys.FailAt("fsync"); // the disk gives up before the new content is safe
    file.SetContentWriter([&](const std::string& path, std::string_view content, std::string& reason) {
        return WriteFileDurably(path, content, reason, sys);
    });
    const Status saved = file.FmtSaveFile(fsmSave, "B", work);
    EXPECT_EQ(saved, StatusCode::FmtSaveCannotWrite);
    EXPECT_FALSE(saved.reason.empty()); // the system's reason travels with the code
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(ReadFile(file.FmtFileName), before);
    EXPECT_EQ(ReadFile(oldPath), before);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.fmt", "Lumivex.old"}));

    file.RecoverAfterFailedSave();
    EXPECT_EQ(messages.shown, (std::vector<std::string>{Updt(LK::err_fmtFilePres)}));
    EXPECT_EQ(state.Catalogue.FormatNames, (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(FmtSave, ALinkAtTheOldScratchNameIsNeverFollowed) {
    const std::string before = FmtFileText(Join({a, b}));
    WriteFile(file.FmtFileName, before);
    WriteFile(dir.file("victim.txt"), "precious");
    fs::create_symlink(dir.file("victim.txt"), file.FmtFileName + ".tmp");
    ASSERT_TRUE(file.FmtSaveFile(fsmDelete, "A", {}).Ok());
    EXPECT_EQ(ReadFile(dir.file("victim.txt")), "precious");
    EXPECT_EQ(ReadFile(file.FmtFileName), FmtFileText(b));
}

TEST_F(FmtSave, IncompleteWorkIsRefusedBeforeAnythingIsTouched) {
    const std::string before = FmtFileText(Join({a, b}));
    struct Case {
        const char* what;
        std::string colCount;
        std::size_t columns;
    };
    const Case cases[] = {
        {"fewer columns than CLC", "2", 1},
        {"CLC not a number", "x", 2},
    };
    for (const Case& k : cases) {
        WriteFile(file.FmtFileName, before);
        PrepareWork();
        work.countText = k.colCount;
        work.columns.resize(k.columns);
        EXPECT_FALSE(file.FmtSaveFile(fsmSave, "B", work).Ok()) << k.what;
        EXPECT_EQ(ReadFile(file.FmtFileName), before) << k.what;
        EXPECT_FALSE(Exists(oldPath)) << k.what;
    }
    EXPECT_FALSE(file.FmtSaveFile(12, "B", work).Ok());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FmtSave, RecoveryMessages) {
    // Format file fine: nothing to bring back.
    Write(a);
    file.RecoverAfterFailedSave();
    // No format file and no backup: lost.
    fs::remove(file.FmtFileName);
    file.RecoverAfterFailedSave();
    // A format file without format is not overwritten by the backup.
    Write({});
    WriteFile(oldPath, FmtFileText(a));
    file.RecoverAfterFailedSave();
    EXPECT_EQ(messages.shown, (std::vector<std::string>{Updt(LK::err_fmtFilePres), Updt(LK::err_fmtFileLoosed),
                                                        Updt(LK::err_fmtFileLoosed)}));
    EXPECT_EQ(ReadFile(file.FmtFileName), FmtFileText({}));
}

TEST_F(FmtSave, AFormatAddedChangedOrDeletedElsewhereIsLeftAsItIs) {
    PrepareWork();
    const std::vector<std::string> otherB = Block("B", "1", {"COL=B2|AN|0|0|0|"});
    struct Case {
        std::vector<std::string> loaded; // the file when the editor read B
        std::vector<std::string> now;    // the file at the save
        FmtConflict conflict;
    };
    const Case cases[] = {
        {Join({a, c}), Join({a, c, b}), FmtConflict::Added},
        {Join({a, b, c}), Join({a, otherB, c}), FmtConflict::Changed},
        {Join({a, b, c}), Join({a, c}), FmtConflict::Deleted},
        {Join({a, b, c}), Join({c, b, a}), FmtConflict::None}, // moved, not changed
    };
    for (const Case& k : cases) {
        Write(k.loaded);
        const FmtBlockSeen seen = file.BlockSeen("B");
        Write(k.now);
        EXPECT_EQ(file.FmtSaveFile(fsmSave, "B", work, &seen).Ok(), k.conflict == FmtConflict::None);
        EXPECT_EQ(file.LastConflict(), k.conflict);
        if (k.conflict != FmtConflict::None) {
            EXPECT_EQ(ReadFile(file.FmtFileName), FmtFileText(k.now));
        }
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FmtSave, TwoSavesAtTheSameInstantKeepBothFormats) {
    Write(a);
    PrepareWork();
    FaultyPort portA, portB;
    ChosenFormats stateB;
    RecordingMessages messagesB;
    FmtFile fileA{state, lang, messages, portA}, fileB{stateB, lang, messagesB, portB};
    fileA.FmtFileName = fileB.FmtFileName = file.FmtFileName;
    {
        // B saves C just as A has made its backup.
        Meanwhile meanwhile(portA, "link", portB, [&] {
            EXPECT_TRUE(fileB.FmtSaveFile(fsmSave, "C", FormatOf("C", ";", ",", {"C1|AN|1|0|0|"})).Ok());
        });
        EXPECT_TRUE(fileA.FmtSaveFile(fsmSave, "B", work).Ok());
        ASSERT_TRUE(meanwhile.Started());
    }
    ASSERT_EQ(file.FmtLoadList(), StatusCode::Ok);
    EXPECT_EQ(state.Catalogue.FormatNames, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(messages.shown.empty() && messagesB.shown.empty());
}

TEST_F(FmtSave, BackupPathFollowsTheFormatFile) {
    file.FmtFileName = dir.file("sub/Lumivex.fmt");
    EXPECT_EQ(file.BackupFileName(), dir.file("sub/Lumivex.old"));
}

} // namespace
