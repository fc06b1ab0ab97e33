#include "CliRig.h"

#include <gtest/gtest.h>

namespace lmx::test {
namespace {

// What the README shows: GNU parallel runs the converter on every core, one file each, or on
// blocks of one large file read from standard input.
class Parallel : public ::testing::Test {
  protected:
    Parallel() {
        WriteFile(dir.file("Lumivex.fmt"),
                  FormatFile({{"NOM=IN", "CMT=", "CLC=3", "SEP=;", "DEC=,", "IFL=0",
                               "COL=D|/DD/MM/YYYY|0|0|0|", "COL=N|AN|0|0|0|", "COL=V|N|0|0|0|"},
                              {"NOM=INHEAD", "CMT=", "CLC=3", "SEP=;", "DEC=,", "IFL=1",
                               "COL=D|/DD/MM/YYYY|0|0|0|", "COL=N|AN|0|0|0|", "COL=V|N|0|0|0|"},
                              {"NOM=FLAT", "CMT=", "CLC=3", "SEP=\t", "DEC=.", "IFL=0",
                               "COL=D|-YYYY/MM/DD|0|0|0|", "COL=N|AN|0|0|0|", "COL=V|N|0|0|0|"}}));
    }
    void SetUp() override {
        if (!Exists("/usr/bin/parallel"))
            GTEST_SKIP() << "GNU parallel is not installed (Debian package parallel)";
    }
    // The converter's command, as parallel is given it.
    std::string Convert(const std::string& in) const {
        return std::string(LUMIVEX_CONVERT_EXE) + " --dir " + dir.path() + " --in " + in + " --out FLAT -q";
    }
    CliResult Shell(const std::string& line) const {
        return RunProgram({"/bin/bash", "-c", line}, {"HOME=" + dir.path()}, dir.path());
    }
    // Distinct lines, so that a block converted twice, lost or out of order shows.
    static std::string Quotes(int count) {
        std::string lines;
        for (int i = 0; i < count; ++i)
            lines += std::to_string(10 + i % 18) + "/0" + std::to_string(1 + i % 9) + "/2005;T" +
                     std::to_string(i) + ";" + std::to_string(i) + "," + std::to_string(i % 100) + "\r\n";
        return lines;
    }
    TempDir dir;
};

TEST_F(Parallel, ManyFilesOneResultEach) {
    for (int i = 0; i < 6; ++i)
        WriteFile(dir.file("q" + std::to_string(i) + ".txt"), Quotes(50 + i));
    const CliResult r = Shell("parallel --will-cite " + Convert("IN") + " -o {.}.tsv {} ::: q*.txt");
    ASSERT_EQ(r.status, 0) << r.err;
    for (int i = 0; i < 6; ++i) {
        const std::string q = "q" + std::to_string(i);
        EXPECT_EQ(RunCli({"--dir", dir.path(), "--in", "IN", "--out", "FLAT", "-q", "-o",
                          dir.file(q + ".one"), dir.file(q + ".txt")})
                      .status,
                  0);
        EXPECT_EQ(ReadFile(dir.file(q + ".tsv")), ReadFile(dir.file(q + ".one"))) << q;
    }
}

TEST_F(Parallel, BlocksOfOneFileGiveTheBytesOfASingleRun) {
    const std::string body = Quotes(10000); // about 240 kB: six blocks
    WriteFile(dir.file("big.txt"), body);
    WriteFile(dir.file("headed.txt"), "Date;Name;Value\r\n" + body);
    struct Case {
        const char* in;
        const char* source;
        const char* header; // parallel's option: the header line given to every block, which skips it
    };
    for (const Case& c : {Case{"IN", "big.txt", ""}, Case{"INHEAD", "headed.txt", "--header 1 "}}) {
        SCOPED_TRACE(c.source);
        ASSERT_EQ(RunCli({"--dir", dir.path(), "--in", c.in, "--out", "FLAT", "-q", "--force", "-o",
                          dir.file("one.tsv"), dir.file(c.source)})
                      .status,
                  0);
        const CliResult r =
            Shell("parallel --will-cite --pipe --keep-order --block 40k " + std::string(c.header) +
                  Convert(c.in) + " -o - - < " + c.source + " > blocks.tsv");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(ReadFile(dir.file("blocks.tsv")), ReadFile(dir.file("one.tsv")));
    }
}

} // namespace
} // namespace lmx::test
