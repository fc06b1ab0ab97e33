#include "common/Basics.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lmx {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(FileSize, PlainFiles) {
    TempDir dir;
    WriteFile(dir.file("empty.txt"), "");
    WriteFile(dir.file("ten.txt"), "0123456789");
    std::filesystem::create_directory(dir.file("sub"));
    EXPECT_EQ(FileSize(dir.file("empty.txt")), 0);
    EXPECT_EQ(FileSize(dir.file("ten.txt")), 10);
    EXPECT_EQ(FileSize(dir.file("missing.txt")), 0);
    EXPECT_EQ(FileSize(dir.file("sub")), 0);
    EXPECT_EQ(FileSize(""), 0);
    EXPECT_EQ(FileSize(dir.file("nodir/x.txt")), 0);
}

TEST(FileSize, WildcardsTakeTheFirstMatchInNameOrder) {
    TempDir dir;
    WriteFile(dir.file("b.csv"), "bb");
    WriteFile(dir.file("a.csv"), "a");
    WriteFile(dir.file("c.txt"), "ccc");
    WriteFile(dir.file("ab.csv"), "abab");
    const std::pair<std::string, int64_t> cases[] = {
        {"*.csv", 1},   {"?.csv", 1},  {"b*", 2},     {"*.txt", 3}, {"??.csv", 4},
        {"*", 1},       {"*b*", 4},    {"?", 0},      {"*.xls", 0}, {"c.t?t", 3},
        {"*.*", 1},
    };
    for (const auto& [pattern, size] : cases) EXPECT_EQ(FileSize(dir.file(pattern)), size) << pattern;
}

TEST(FileSize, NamesAreTakenLiterallyFirst) {
    TempDir dir;
    WriteFile(dir.file("q[1].csv"), "12345");
    WriteFile(dir.file("q1.csv"), "1");
    WriteFile(dir.file("a*.csv"), "literal");
    WriteFile(dir.file("a1.csv"), "x");
    EXPECT_EQ(FileSize(dir.file("q[1].csv")), 5); // "[" is no wildcard
    EXPECT_EQ(FileSize(dir.file("a*.csv")), 7);   // exists as written
    EXPECT_EQ(FileSize(dir.file("q[?].csv")), 5);
}

TEST(FileSize, HiddenEntriesAndDirectoriesMatchToo) {
    TempDir dir;
    WriteFile(dir.file(".hidden"), "hh");
    std::filesystem::create_directory(dir.file("a-dir"));
    WriteFile(dir.file("b-file"), "bbb");
    EXPECT_EQ(FileSize(dir.file(".h*")), 2);
    EXPECT_EQ(FileSize(dir.file("?-*")), 0); // the first match is the folder, which has no size
}

TEST(FileSize, SizesBeyondFourGigabytes) {
    TempDir dir;
    const std::string big = dir.file("big.bin");
    WriteFile(big, "");
    std::error_code ec;
    const std::uintmax_t size = (std::uintmax_t{1} << 32) + 7; // sparse: no real disk space used
    std::filesystem::resize_file(big, size, ec);
    if (ec) GTEST_SKIP() << "sparse files not supported here: " << ec.message();
    EXPECT_EQ(FileSize(big), static_cast<int64_t>(size));
    EXPECT_EQ(FileSize(dir.file("b?g.*")), static_cast<int64_t>(size));
}

TEST(CopyToExt, CopiesBesideWithTheNewExtension) {
    TempDir dir;
    WriteFile(dir.file("Lumivex.old"), "formats\r\n");
    EXPECT_TRUE(CopyToExt(dir.file("Lumivex.old"), ".fmt"));
    EXPECT_EQ(ReadFile(dir.file("Lumivex.fmt")), "formats\r\n");
    EXPECT_EQ(ReadFile(dir.file("Lumivex.old")), "formats\r\n");
}

TEST(CopyToExt, NeverOverwrites) {
    TempDir dir;
    WriteFile(dir.file("Lumivex.old"), "old");
    WriteFile(dir.file("Lumivex.fmt"), "current");
    EXPECT_FALSE(CopyToExt(dir.file("Lumivex.old"), ".fmt"));
    EXPECT_EQ(ReadFile(dir.file("Lumivex.fmt")), "current");
}

TEST(CopyToExt, FailuresAnswerFalse) {
    TempDir dir;
    EXPECT_FALSE(CopyToExt(dir.file("missing.old"), ".fmt"));
    EXPECT_FALSE(test::Exists(dir.file("missing.fmt")));
    std::filesystem::create_directory(dir.file("folder.old"));
    EXPECT_FALSE(CopyToExt(dir.file("folder.old"), ".fmt"));
    WriteFile(dir.file("noext"), "n");
    EXPECT_TRUE(CopyToExt(dir.file("noext"), ".fmt"));
    EXPECT_EQ(ReadFile(dir.file("noext.fmt")), "n");
}

TEST(PathHelpers, Table) {
    EXPECT_EQ(ExtractFilePath("/a/b/c.txt"), "/a/b/");
    EXPECT_EQ(ExtractFilePath("c.txt"), "");
    EXPECT_EQ(ExtractFileName("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(ExtractFileExt("/a/b.d/c"), "");
    EXPECT_EQ(ExtractFileExt("/a/b/c.tar.gz"), ".gz");
    EXPECT_EQ(ChangeFileExt("/a/b/c.old", ".fmt"), "/a/b/c.fmt");
    EXPECT_EQ(ChangeFileExt("/a.b/c", ".lng"), "/a.b/c.lng");
    EXPECT_EQ(IncludeTrailingSlash("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingSlash("/a/"), "/a/");
    EXPECT_EQ(IncludeTrailingSlash(""), ""); // never the root
}

} // namespace
} // namespace lmx
