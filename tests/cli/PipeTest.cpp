#include "CliRig.h"

#include <gtest/gtest.h>

#include <csignal>

namespace lmx::test {
namespace {

// For a shell command line.
std::string Quoted(const std::string& s) {
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

class Pipes : public ::testing::Test {
  protected:
    Pipes() {
        WriteFile(
            dir.file("Lumivex.fmt"),
            FormatFile({{"NOM=IN", "CMT=", "CLC=3", "SEP=;", "DEC=,", "IFL=0", "COL=D|/DD/MM/YYYY|0|0|0|",
                         "COL=N|AN|0|0|0|", "COL=V|N|0|0|0|"},
                        {"NOM=OUT", "CMT=", "CLC=3", "SEP=\t", "DEC=.", "IFL=0", "HDR=Date\tName\tValue",
                         "COL=D|-YYYY/MM/DD|0|0|0|", "COL=N|AN|0|0|0|", "COL=V|N|0|0|0|"}}));
    }
    std::string Convert(const std::string& args) const {
        return Quoted(LUMIVEX_CONVERT_EXE) + " --dir " + Quoted(dir.path()) + " --in IN --out OUT " + args;
    }
    // Runs a bash command line in the folder; a pipeline's status is its first failure.
    CliResult Shell(const std::string& line) const {
        return RunProgram({"/bin/bash", "-c", "set -o pipefail; " + line}, {}, dir.path());
    }
    TempDir dir;
};

TEST_F(Pipes, StandardInputToStandardOutputWithMessagesApart) {
    const std::string lines = "31/12/2005;B;1,5\r\n01/02/1999;A;2\n";
    WriteFile(dir.file("q.txt"), lines);
    CliResult r = Shell("cat q.txt | " + Convert("--delete -o - -"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Date\tName\tValue\r\n2005-12-31\tB\t1.5\r\n1999-02-01\tA\t2\r\n");
    EXPECT_EQ(r.err, "résultat : sortie standard\nfichiers : 1, lignes lues : 2, rejetées : 0, écrites : 2\n");
    // Appending to the file being read would chase its own lines for ever: refused.
    r = Shell(Convert("-o - - < q.txt >> q.txt"));
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("ne peut pas servir comme fichier de r\xC3\xA9sultat: sortie standard"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(ReadFile(dir.file("q.txt")), lines);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.fmt", "q.txt"}));
}

TEST_F(Pipes, AReaderThatGoesAwayEndsTheRunQuietlyAsSigpipeDoes) {
    std::string lines;
    for (int i = 0; i < 100000; ++i)
        lines += i % 10 ? "31/12/2005;B;1,5\r\n" : "bad\r\n";
    WriteFile(dir.file("q.txt"), lines);
    const CliResult r = Shell(Convert("--rejects rej.txt --delete -o - q.txt") + " | head -c 10 >/dev/null");
    EXPECT_EQ(r.status, 128 + SIGPIPE);
    EXPECT_EQ(r.err, "");
    // Neither a rejects file nor a temporary file is left, and the source stays.
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.fmt", "q.txt"}));
}

TEST_F(Pipes, ProgressLineOnATerminal) {
    std::string lines;
    for (int i = 0; i < 200000; ++i)
        lines += "31/12/2005;B;1,5\r\n";
    WriteFile(dir.file("q.txt"), lines);
    // Standard error on script's terminal; standard output a pipe left unread for a while, so that
    // the run lasts long enough to draw its line.
    const CliResult r = Shell(
        "script -qec " + Quoted(Convert("-o - q.txt") + " | { sleep 0.8; cat >/dev/null; }") + " /dev/null");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\r"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" % de 3.6 MB, "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(", reste 0:0"), std::string::npos) << r.out;
    // The line is cleared before the summary.
    EXPECT_NE(r.out.find("\x1b[K\r\x1b[Krésultat : sortie standard"), std::string::npos) << r.out;
}

TEST_F(Pipes, RejectsAndLogGoToStandardOutputOneAtATime) {
    WriteFile(dir.file("q.txt"), "31/12/2005;B;1,5\r\nbad\r\n");
    CliResult r = Shell(Convert("-o r.txt --rejects - q.txt"));
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(r.out, dir.file("q.txt") + "\t2\t#Unstring\tbad\r\n");
    r = Shell(Convert("-o r2.txt --log - q.txt"));
    EXPECT_NE(r.out.find("BEGIN"), std::string::npos) << r.out;
    // Two of them on standard output, or on the file it is sent to, would mix: refused.
    for (const char* args : {"-o - --rejects - q.txt", "-o r3.txt --rejects - --log - q.txt",
                             "-o r4.txt --rejects - q.txt > r4.txt"}) {
        r = Shell(Convert(args));
        EXPECT_EQ(r.status, 3) << args;
    }
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.fmt", "q.txt", "r.txt", "r2.txt", "r4.txt"}));
}

} // namespace
} // namespace lmx::test
