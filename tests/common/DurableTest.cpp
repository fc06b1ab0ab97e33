#include "common/DurableFile.h"
#include "common/BlockLineReader.h"
#include "common/Basics.h"

#include "support/FaultyPort.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace lmx::test {
namespace {

// Both ways to a name: a file without one (O_TMPFILE) and, where the file system refuses it, a
// temporary file named beside it.
TEST(Durable, AFailedStepKeepsTheOldContentAndLeavesNothingBehind) {
    for (const bool named : {false, true}) {
        for (const char* step : {"open", "write", "fsync", "link", "close", "rename"}) {
            if (named && std::string(step) == "link") continue; // a named file is renamed, not linked
            SCOPED_TRACE(std::string(step) + (named ? ", named" : ", unnamed"));
            TempDir dir;
            WriteFile(dir.file("r.txt"), "old");
            FaultyPort sys;
            sys.noUnnamedFiles = named;
            sys.FailAt(step);
            std::string error;
            EXPECT_FALSE(WriteFileDurably(dir.file("r.txt"), "new content", error, sys));
            EXPECT_FALSE(error.empty());
            EXPECT_EQ(ReadFile(dir.file("r.txt")), "old");
            EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"r.txt"});
        }
    }
}

// Another writer gives the name a file just before this one does: without leave to replace, that
// file stays and this write fails as EEXIST, leaving nothing; with it, the last one wins, whole.
TEST(Durable, ANameTakenMeanwhileIsReplacedOnlyWithLeave) {
    for (const bool named : {false, true}) {
        for (const bool mayReplace : {false, true}) {
            SCOPED_TRACE(std::string(named ? "named" : "unnamed") + (mayReplace ? ", may replace" : ""));
            TempDir dir;
            FaultyPort sys;
            sys.noUnnamedFiles = named;
            sys.beforeNaming = [&](const std::string&) {
                if (!Exists(dir.file("r.txt"))) WriteFile(dir.file("r.txt"), "theirs");
            };
            std::string error;
            EXPECT_EQ(WriteFileDurably(dir.file("r.txt"), "ours", error, sys, mayReplace), mayReplace);
            EXPECT_EQ(error, mayReplace ? "" : SysErrorText(EEXIST));
            EXPECT_EQ(ReadFile(dir.file("r.txt")), mayReplace ? "ours" : "theirs");
            EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"r.txt"});
        }
    }
}

// A temporary file with a name says whose it is; a durable write into a folder removes those
// whose process is gone from this machine, and only those.
TEST(Durable, TemporaryNamesSayWhoseAndThoseOfGoneProcessesAreRemoved) {
    TempDir dir;
    FaultyPort sys;
    const std::string mine = sys.OwnTempName(dir.file("r.txt"));
    const std::string head = dir.file("r.txt.lumivex-" + std::to_string(::getpid()) + "-");
    ASSERT_EQ(mine.rfind(head, 0), 0u) << mine;
    const std::string host = mine.substr(mine.rfind('@')); // "@HOST.tmp"
    EXPECT_EQ(ExtractFileName(sys.OwnTempName(dir.file(std::string(300, 'n')))).size(), 255u);

    const std::string gone = "r.txt.lumivex-2147483646-Ab12Cd" + host; // beyond any pid the system gives
    const std::vector<std::string> kept{"notes.tmp", "r.txt.lumivex-1-Ab12Cd" + host,
                                        "r.txt.lumivex-2147483646-Ab12Cd@elsewhere.tmp",
                                        "r.txt.lumivex-2147483646-Ab1" + host};
    for (const std::string& n : kept) WriteFile(dir.file(n), "x");
    WriteFile(dir.file(gone), "x");
    sys.noUnnamedFiles = true;
    std::string error;
    ASSERT_TRUE(WriteFileDurably(dir.file("r.txt"), "new", error, sys)) << error;
    std::vector<std::string> expected = kept;
    expected.push_back("r.txt");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(dir.path()), expected);
    EXPECT_EQ(ReadFile(dir.file("r.txt")), "new");
}

TEST(Durable, ALinkKeepsPointingAtItsFileWhichKeepsItsPermissions) {
    TempDir dir;
    WriteFile(dir.file("target.txt"), "old");
    ::chmod(dir.file("target.txt").c_str(), 0640);
    fs::create_symlink(dir.file("target.txt"), dir.file("link.txt"));
    std::string error;
    ASSERT_TRUE(WriteFileDurably(dir.file("link.txt"), "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(ReadFile(dir.file("target.txt")), "new");
    struct stat st {};
    ASSERT_EQ(::stat(dir.file("target.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A link to a file not made yet (relative, through a second link) gets it made; a link into a
    // folder that is missing is refused. Neither is replaced by a plain file.
    fs::create_directory(dir.file("sub"));
    fs::create_symlink("sub/next.txt", dir.file("next.txt"));
    fs::create_symlink("next.txt", dir.file("first.txt"));
    ASSERT_TRUE(WriteFileDurably(dir.file("first.txt"), "made", error)) << error;
    EXPECT_EQ(ReadFile(dir.file("sub/next.txt")), "made");
    fs::create_symlink(dir.file("gone/x.txt"), dir.file("gone.txt"));
    EXPECT_FALSE(WriteFileDurably(dir.file("gone.txt"), "x", error));
    for (const char* link : {"first.txt", "next.txt", "gone.txt"}) EXPECT_TRUE(fs::is_symlink(dir.file(link))) << link;
}

TEST(Durable, WhatIsNoRegularFileIsWrittenDirectly) {
    TempDir dir;
    std::string error;
    EXPECT_TRUE(WriteFileDurably("/dev/null", "x", error)) << error;
    if (Exists("/dev/full")) {
        EXPECT_FALSE(WriteFileDurably("/dev/full", std::string(100, 'x'), error));
        EXPECT_EQ(error, SysErrorText(ENOSPC));
    }
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Nobody reads: refused at once instead of waiting in open().
    EXPECT_FALSE(WriteFileDurably(fifo, "x", error));
    EXPECT_EQ(error, "no process reads this FIFO");
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(WriteFileDurably(fifo, "abc", error)) << error;
    char buf[8] = {};
    EXPECT_EQ(::read(reader, buf, sizeof buf), 3);
    ::close(reader);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"fifo"});
}

TEST(Durable, PathsMadeAbsolute) {
    const std::string cwd = fs::current_path().string();
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"q.txt", cwd + "/q.txt"},
        {"./a//b/./q.txt", cwd + "/a/b/q.txt"},
        {"../q.txt", cwd + "/../q.txt"},
        {"/x/./y/", "/x/y/"},
        {".", cwd + "/"},
        {"/", "/"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(AbsolutePath(in), out) << in;
}

TEST(Durable, SameFileUnderAnySpelling) {
    TempDir dir;
    WriteFile(dir.file("a.txt"), "a");
    fs::create_symlink(dir.file("a.txt"), dir.file("l.txt"));
    EXPECT_TRUE(SameFile(dir.file("a.txt"), dir.file("l.txt")));
    EXPECT_TRUE(SameFile(dir.file("new.txt"), dir.path() + "./new.txt")); // not created yet
    EXPECT_TRUE(SameFile(dir.file("l.txt"), dir.path() + "/a.txt"));
    EXPECT_FALSE(SameFile(dir.file("new.txt"), dir.file("a.txt")));
}

TEST(BlockLineReader, LineEndsAcrossBlocksAndACapThatKeepsNothingBeyond) {
    TempDir dir;
    const std::string longLine(70000, 'x'); // longer than one block
    WriteFile(dir.file("f"), "a\r\nb\rc\n" + longLine + "\r\n\r\nlast");
    for (const std::size_t cap : {std::string::npos, std::size_t{10}}) {
        std::FILE* f = std::fopen(dir.file("f").c_str(), "rb");
        ASSERT_NE(f, nullptr);
        BlockLineReader r(f, cap);
        std::vector<std::string> lines;
        std::vector<bool> cut;
        std::string line;
        while (r.Next(line)) {
            lines.push_back(line);
            cut.push_back(r.Cut());
        }
        std::fclose(f);
        const std::string kept = cap == std::string::npos ? longLine : longLine.substr(0, cap);
        EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", kept, "", "last"}));
        EXPECT_EQ(cut, (std::vector<bool>{false, false, false, cap != std::string::npos, false, false}));
        EXPECT_FALSE(r.Failed());
    }
}

} // namespace
} // namespace lmx::test
