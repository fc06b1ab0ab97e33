#include "core/LineReader.h"
#include "core/OutputSink.h"
#include "support/FaultyPort.h"
#include "support/TestSupport.h"

#include <algorithm>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

using namespace lmx;
using namespace lmx::test;

namespace {

std::vector<std::string> ReadAll(const std::string& bytes, std::size_t bufSize) {
    TempDir dir;
    WriteFile(dir.file("f.txt"), bytes);
    LineReader reader(bufSize);
    EXPECT_TRUE(reader.Open(dir.file("f.txt")));
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.Next(line)) lines.emplace_back(line);
    EXPECT_FALSE(reader.Error());
    return lines;
}

struct ReadCase {
    std::string bytes;
    std::vector<std::string> lines;
};

class LineEnds : public ::testing::TestWithParam<ReadCase> {};

TEST_P(LineEnds, AnyBufferSize) {
    // Small buffers put CRs and LFs on every possible boundary.
    for (const std::size_t size : {16u, 17u, 18u, 19u, 23u, 256u * 1024u})
        EXPECT_EQ(ReadAll(GetParam().bytes, size), GetParam().lines) << "buffer " << size;
}

INSTANTIATE_TEST_SUITE_P(
    Files, LineEnds,
    ::testing::Values(ReadCase{"", {}}, ReadCase{"\r\n", {""}}, ReadCase{"a", {"a"}},
                      ReadCase{"one\r\ntwo\r\n", {"one", "two"}}, ReadCase{"one\ntwo\n", {"one", "two"}},
                      ReadCase{"one\rtwo\r", {"one", "two"}}, ReadCase{"one\r\ntwo", {"one", "two"}},
                      ReadCase{"a\r\rb\n\nc\r\n\r\n", {"a", "", "b", "", "c", ""}},
                      ReadCase{"a\n\r\nb", {"a", "", "b"}},
                      ReadCase{"0123456789abcde\r\n0123456789abcd\r\n0123456789abcdef\r",
                               {"0123456789abcde", "0123456789abcd", "0123456789abcdef"}},
                      ReadCase{"\xE9t\xE9;\x80\xFF\n", {"\xE9t\xE9;\x80\xFF"}},
                      // A byte-order mark is dropped at the very start only, once.
                      ReadCase{"\xEF\xBB\xBF", {}}, ReadCase{"\xEF\xBB\xBF\r\n", {""}},
                      ReadCase{"\xEF\xBB\xBF\xEF\xBB\xBF" "a\n\xEF\xBB\xBF", {"\xEF\xBB\xBF" "a", "\xEF\xBB\xBF"}},
                      ReadCase{"\xEF\xBB", {"\xEF\xBB"}}, ReadCase{"\xEF\xBB\xBE;1", {"\xEF\xBB\xBE;1"}}));

TEST(LineReader, LineMuchLongerThanTheBuffer) {
    const std::string big(100000, 'x');
    EXPECT_EQ(ReadAll("a\r\n" + big + "\r\nb", 16), (std::vector<std::string>{"a", big, "b"}));
}

// A line beyond the bound gives its first bytes, marked cut, and the reader goes on with the next
// line, wherever the bound, the line end and the buffer's edges fall; the watched byte is still
// told right after a cut.
TEST(LineReader, LinesBeyondTheBoundAreCutAndReadPast) {
    const std::string ten = "0123456789";
    const std::string bytes = "a x\r\n" + ten + "\r\n" + ten + "x\r\n" + ten + ten + ten + "\rx b\n" +
                              std::string(50, 'y') + "\r\r\n" + ten + "x" + ten;
    const std::vector<std::pair<std::string, bool>> expected{
        {"a x", false}, {ten, false}, {ten, true}, {ten, true}, {"x b", false}, {std::string(10, 'y'), true},
        {"", false},    {ten, true}};
    TempDir dir;
    WriteFile(dir.file("f.txt"), bytes);
    for (const std::size_t size : {16u, 17u, 19u, 23u, 64u}) {
        LineReader reader(size, 10);
        ASSERT_TRUE(reader.Open(dir.file("f.txt")));
        reader.Watch('x');
        std::vector<std::pair<std::string, bool>> lines;
        std::string_view line;
        while (reader.Next(line)) {
            lines.emplace_back(line, reader.Cut());
            if (!reader.Cut()) {
                EXPECT_EQ(reader.Holds(line), line.find('x') != std::string_view::npos) << line;
            }
        }
        EXPECT_EQ(lines, expected) << "buffer " << size;
        EXPECT_EQ(reader.Consumed(), static_cast<long long>(bytes.size()));
    }
}

// The rule, one byte at a time: CR LF, LF or a lone CR ends a line; the last needs no end.
std::vector<std::string> PlainSplit(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            line += c;
            open = true;
            continue;
        }
        lines.push_back(line);
        line.clear();
        open = false;
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    }
    if (open) lines.push_back(line);
    return lines;
}

// Lines of every length up to a few steps of the scan, ended at random: the scan that looks at
// many bytes a step must end each line as the plain rule does, wherever the end falls in a step
// or in the buffer.
TEST(LineReader, RandomEndsAgreeWithThePlainRule) {
    std::mt19937 rng(42);
    std::string bytes;
    for (int i = 0; i < 3000; ++i) {
        for (std::size_t n = rng() % 70; n > 0; --n) bytes += "ab;,\xE9\t9 "[rng() % 8];
        bytes += std::string("\r\n\n\r\r\n").substr(rng() % 3 * 2, 2).substr(0, rng() % 2 + 1);
    }
    bytes += "tail";
    const std::vector<std::string> expected = PlainSplit(bytes);
    ASSERT_GT(expected.size(), 3000u);
    for (const std::size_t size : {16u, 33u, 100u, 4096u})
        EXPECT_EQ(ReadAll(bytes, size), expected) << "buffer " << size;
}

// Watched from the third line on, whatever the buffer: each line holds the byte or not, as the line
// itself says, across buffer moves and growths and a watched byte at a line end.
TEST(LineReader, WatchTellsTheLinesThatHoldTheByte) {
    std::mt19937 rng(7);
    std::string bytes;
    for (int i = 0; i < 2000; ++i) {
        const std::size_t n = rng() % 9 == 0 ? rng() % 90 : rng() % 12;
        for (std::size_t k = 0; k < n; ++k) bytes += rng() % 40 == 0 ? 'x' : "ab;,9 "[rng() % 6];
        bytes += "\r\n\n\r"[rng() % 4];
    }
    TempDir dir;
    WriteFile(dir.file("f.txt"), bytes + "tail x");
    for (const std::size_t size : {16u, 17u, 33u, 4096u}) {
        LineReader reader(size);
        ASSERT_TRUE(reader.Open(dir.file("f.txt")));
        EXPECT_EQ(reader.Skip(2), 2);
        reader.Watch('x');
        std::string_view line;
        int holding = 0, lines = 0;
        while (reader.Next(line)) {
            const bool holds = line.find('x') != std::string_view::npos;
            ASSERT_EQ(reader.Holds(line), holds) << "buffer " << size << " line " << lines;
            holding += holds;
            ++lines;
        }
        EXPECT_GT(holding, 100);
        EXPECT_GT(lines - holding, 1000);
    }
}

TEST(LineReader, SkipDropsLeadingLines) {
    TempDir dir;
    WriteFile(dir.file("f.txt"), "\xEF\xBB\xBFh1\nh2\nd1\n"); // the mark is no line of its own
    LineReader reader(16);
    ASSERT_TRUE(reader.Open(dir.file("f.txt")));
    EXPECT_EQ(reader.Skip(2), 2);
    EXPECT_EQ(reader.Consumed(), 9); // the mark and two lines with their ends, whatever was read ahead
    std::string_view line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "d1");
    EXPECT_EQ(reader.Skip(5), 0);
    EXPECT_EQ(reader.Consumed(), 12);
}

TEST(LineReader, MissingFileAndReadError) {
    TempDir dir;
    LineReader reader;
    EXPECT_FALSE(reader.Open(dir.file("none.txt")));
    ASSERT_TRUE(reader.Open(dir.path())); // a folder opens but cannot be read
    std::string_view line;
    EXPECT_FALSE(reader.Next(line));
    EXPECT_TRUE(reader.Error());
}

TEST(FileWriter, BuffersAndWritesEverything) {
    TempDir dir;
    FileWriter w(64);
    ASSERT_TRUE(w.Create(dir.file("o.txt")));
    std::string expected;
    for (int i = 0; i < 100; ++i) {
        const std::string line = "line " + std::to_string(i);
        EXPECT_TRUE(w.WriteLine(line));
        expected += line + "\r\n";
    }
    EXPECT_TRUE(w.Write(std::string(200, 'z')));
    expected += std::string(200, 'z');
    EXPECT_TRUE(w.Close());
    EXPECT_EQ(ReadFile(dir.file("o.txt")), expected);
}

TEST(FileWriter, FullDiskIsNeverSuccess) {
    const int fd = ::open("/dev/full", O_WRONLY);
    if (fd < 0) GTEST_SKIP() << "no /dev/full";
    FileWriter w;
    w.Attach(fd, true);
    EXPECT_TRUE(w.WriteLine("fits in the buffer")); // not yet written
    EXPECT_FALSE(w.Close());
    EXPECT_TRUE(w.Failed());
    EXPECT_NE(w.ErrorNo(), 0);
}

TEST(FileWriter, ErrorIsSticky) {
    const int fd = ::open("/dev/full", O_WRONLY);
    if (fd < 0) GTEST_SKIP() << "no /dev/full";
    FileWriter w(64);
    w.Attach(fd, true);
    EXPECT_FALSE(w.Write(std::string(100, 'a'))); // bigger than the buffer: written at once
    EXPECT_FALSE(w.WriteLine("b"));
    EXPECT_EQ(w.Reserve(4), nullptr);
    EXPECT_FALSE(w.Flush());
    EXPECT_FALSE(w.Close());
}

// The disk is asked to write what is behind while the rest is converted; the hint failing changes
// nothing, and a file that is not flushed at its end is never asked.
TEST(FileWriter, StartsTheWritebackBehindItsBufferOnlyWhenAsked) {
    TempDir dir;
    const std::string block(1 << 20, 'x');
    for (const bool early : {true, false}) {
        FaultyPort port;
        port.FailAt("writeback");
        FileWriter w(block.size());
        ASSERT_TRUE(w.Create(dir.file("o.txt"), port));
        w.StartWritebackEarly(early);
        for (int i = 0; i < 5; ++i) EXPECT_TRUE(w.Write(block));
        EXPECT_TRUE(w.Close());
        EXPECT_EQ(std::count(port.calls.begin(), port.calls.end(), "writeback"), early ? 2 : 0);
        EXPECT_EQ(ReadFile(dir.file("o.txt")).size(), 5 * block.size());
    }
}

TEST(FileWriter, CannotCreate) {
    TempDir dir;
    FileWriter w;
    EXPECT_FALSE(w.Create(dir.file("no/such/folder/o.txt")));
    EXPECT_FALSE(w.Write("x"));
}

} // namespace
