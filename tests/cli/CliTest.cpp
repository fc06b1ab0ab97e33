#include "CliRig.h"

#include "common/Cp1252.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace lmx::test {
namespace {

// Input: date;name;value with comma decimals. Output: ISO dates, tab, dot decimals, one header line.
std::string Formats() {
    return FormatFile({
        {"NOM=IN", "CMT=in", "CLC=3", "SEP=;", "DEC=,", "IFL=0", "COL=D|/DD/MM/YYYY|0|0|0|", "COL=N|AN|0|0|0|",
         "COL=V|N|0|0|0|"},
        {"NOM=OUT", "CMT=out", "CLC=3", "SEP=\t", "DEC=.", "IFL=0", "HDR=Date\tName\tValue",
         "COL=D|-YYYY/MM/DD|0|0|0|", "COL=N|AN|0|0|0|", "COL=V|N|0|0|0|"},
    });
}

class Cli : public ::testing::Test {
protected:
    Cli() { WriteFile(dir.file("Lumivex.fmt"), Formats()); }
    std::string Src(const std::string& name, const std::string& content) {
        WriteFile(dir.file(name), content);
        return dir.file(name);
    }
    CliResult Convert(std::vector<std::string> args) {
        std::vector<std::string> all{"--dir", dir.path(), "--in", "IN", "--out", "OUT"};
        all.insert(all.end(), args.begin(), args.end());
        return RunCli(all);
    }
    TempDir dir;
};

TEST_F(Cli, ConvertsSourcesInByteOrderWithHeadersBeforeEach) {
    const std::string b = Src("b.txt", "31/12/2005;B;1,5\r\n");
    const std::string a = Src("A.txt", "01/02/1999;A;2\n");
    const CliResult r = Convert({"-o", dir.file("res.txt"), b, a});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir.file("res.txt")),
              "Date\tName\tValue\r\n1999-02-01\tA\t2\r\nDate\tName\tValue\r\n2005-12-31\tB\t1.5\r\n");
    EXPECT_NE(r.out.find("files: 2, lines read: 2, rejected: 0, written: 2"), std::string::npos) << r.out;
    // Sources are never touched without an after-processing option.
    EXPECT_TRUE(Exists(a));
    EXPECT_TRUE(Exists(b));
}

TEST_F(Cli, DefaultResultIsTheProposalBesideTheSource) {
    const std::string src = Src("cours.txt", "31/12/2005;B;1,5\r\n");
    EXPECT_EQ(Convert({"-q", src}).status, 0);
    EXPECT_TRUE(Exists(dir.file("cours_conv.txt")));
    // The parameters file is read, never written.
    EXPECT_FALSE(Exists(dir.file("Lumivex.prm")));
}

TEST_F(Cli, RejectedLinesGiveStatusOneAndTheRejectsFile) {
    const std::string src = Src("q.txt", "31/12/2005;B;1,5\r\nbad line\r\n31/02/05;C;1\r\n");
    const CliResult r = Convert({"-q", "-o", dir.file("r.txt"), "--rejects", dir.file("rej.txt"), src});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(ReadFile(dir.file("rej.txt")),
              src + "\t2\t#Unstring\tbad line\r\n" + src + "\t3\t#Date\t31/02/05;C;1\r\n");
    EXPECT_EQ(ReadFile(dir.file("r.txt")), "Date\tName\tValue\r\n2005-12-31\tB\t1.5\r\n");
}

TEST_F(Cli, StopOnErrorStopsAtTheFirstBadLine) {
    const std::string a = Src("a.txt", "bad\r\n31/12/2005;B;1,5\r\n");
    const std::string b = Src("b.txt", "31/12/2005;B;1,5\r\n");
    const CliResult r = Convert({"-q", "--stop-on-error", "-o", dir.file("r.txt"), "--delete", a, b});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(Cp1252ToUtf8(Utf8ToCp1252(r.err)).find("1ère Ligne incorrecte"), std::string::npos) << r.err;
    // Neither the stopped source nor the unread one is deleted.
    EXPECT_TRUE(Exists(a));
    EXPECT_TRUE(Exists(b));
}

TEST_F(Cli, ParametersGiveTheDefaults) {
    WriteFile(dir.file("Lumivex.prm"), "MRI=IN\r\nMRO=OUT\r\nERL=2\r\nDDO=_x\r\n");
    const std::string before = ReadFile(dir.file("Lumivex.prm"));
    const std::string src = Src("q.txt", "bad\r\n");
    const CliResult r = RunCli({"--dir", dir.path(), "-q", src});
    EXPECT_EQ(r.status, 2) << r.err; // ERL=2 stops
    EXPECT_TRUE(Exists(dir.file("q_x.txt")));
    EXPECT_EQ(ReadFile(dir.file("Lumivex.prm")), before);
}

TEST_F(Cli, RefusalsConvertNothing) {
    const std::string src = Src("q.txt", "31/12/2005;B;1,5\r\n");
    Src("exists.txt", "keep");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"--dir", dir.path(), "--in", "NOPE", "--out", "OUT", src}, "Format entrée incorrect, problème = -795."},
        {{"--dir", dir.path(), "--in", "IN", "--out", "OUT"}, "Il faut commencer par choisir un fichier"},
        {{"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-o", dir.file("exists.txt"), src}, "--force"},
        {{"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-o", dir.path() + "./q.txt", src},
         "Le fichier en entrée ne peut pas servir comme fichier de résultat"},
        {{"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-o", dir.file("no/such/dir/r.txt"), src},
         "n'a pas pu créer le fichier de résultats"},
        {{"--bogus"}, "unknown option --bogus"},
        {{"--dir", dir.file("none"), "--in", "IN", src}, "not a folder"},
    };
    for (const auto& c : cases) {
        const CliResult r = RunCli(c.args);
        EXPECT_EQ(r.status, 3) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadFile(dir.file("exists.txt")), "keep");
    EXPECT_EQ(ReadFile(src), "31/12/2005;B;1,5\r\n");
}

TEST_F(Cli, ResultThroughALinkToTheSourceIsRefused) {
    const std::string src = Src("q.txt", "31/12/2005;B;1,5\r\n");
    fs::create_symlink(src, dir.file("link.txt"));
    const CliResult r = Convert({"--force", "-o", dir.file("link.txt"), src});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(ReadFile(src), "31/12/2005;B;1,5\r\n");
}

TEST_F(Cli, ForceReplacesAnExistingResult) {
    const std::string src = Src("q.txt", "31/12/2005;B;1,5\r\n");
    Src("r.txt", "old");
    EXPECT_EQ(Convert({"-q", "--force", "-o", dir.file("r.txt"), src}).status, 0);
    EXPECT_EQ(ReadFile(dir.file("r.txt")), "Date\tName\tValue\r\n2005-12-31\tB\t1.5\r\n");
}

TEST_F(Cli, EmptyFilesAreRefusedOneByOne) {
    const std::string empty = Src("empty.txt", "");
    const std::string src = Src("q.txt", "31/12/2005;B;1,5\r\n");
    const CliResult r = Convert({"-q", "-o", dir.file("r.txt"), empty, src});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("Le fichier empty.txt est vide et ne sera donc pas converti."), std::string::npos);
    const CliResult none = Convert({"-q", "-o", dir.file("r2.txt"), empty});
    EXPECT_EQ(none.status, 3);
    EXPECT_FALSE(Exists(dir.file("r2.txt")));
}

TEST_F(Cli, FullDiskIsAFailureAndSourcesStay) {
    const std::string src = Src("q.txt", "31/12/2005;B;1,5\r\n");
    const CliResult r = Convert({"-q", "--force", "-o", "/dev/full", "--delete", src});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Echec de la conversion"), std::string::npos) << r.err;
    EXPECT_TRUE(Exists(src));
}

TEST_F(Cli, AfterProcessingRenamesWithoutOverwriting) {
    const std::string a = Src("a.txt", "31/12/2005;B;1,5\r\n");
    const std::string b = Src("b.txt", "31/12/2005;B;1,5\r\n");
    Src("b_done.txt", "precious");
    const CliResult r = Convert({"-q", "-o", dir.file("r.txt"), "--rename", "_done", "--log", dir.file("log.txt"), a, b});
    // A failed rename has its own status and its line on standard error.
    EXPECT_EQ(r.status, 4) << r.err;
    EXPECT_EQ(r.err, "lumivex-convert: could not rename " + b + ": File exists\n");
    EXPECT_TRUE(Exists(dir.file("a_done.txt")));
    EXPECT_FALSE(Exists(a));
    EXPECT_TRUE(Exists(b));
    EXPECT_EQ(ReadFile(dir.file("b_done.txt")), "precious");
    const std::string log = ReadFile(dir.file("log.txt"));
    EXPECT_NE(log.find("RenameFile(1)--> (True)\r\nRenameFile(2)--> (False)\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.rfind("************  Lumivex : BEGIN LOG  ************\r\nSTART    ", 0), 0u) << log;
    EXPECT_NE(log.find("************  Lumivex :  END  LOG  ************"), std::string::npos);
}

TEST_F(Cli, DeleteRemovesConvertedSources) {
    const std::string a = Src("a.txt", "31/12/2005;B;1,5\r\n");
    EXPECT_EQ(Convert({"-q", "-o", dir.file("r.txt"), "--delete", a}).status, 0);
    EXPECT_FALSE(Exists(a));
}

TEST_F(Cli, TrashMovesConvertedSourcesToTheDesktopTrash) {
    if (!LUMIVEX_CLI_HAS_TRASH) GTEST_SKIP() << "built without the desktop trash (no Qt)";
    const std::string b = Src("b.txt", "31/12/2005;B;1,5\r\n");
    // The trash lives under the data folder of the user: give the process one of its own.
    fs::create_directories(dir.file("data"));
    const CliResult r = RunCli({"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-q", "-o", dir.file("r2.txt"),
                                "--trash", b},
                               {"HOME=" + dir.path(), "XDG_DATA_HOME=" + dir.file("data")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(Exists(b));
    EXPECT_TRUE(Exists(dir.file("data/Trash/files/b.txt")));
}

TEST_F(Cli, ListHelpVersion) {
    CliResult r = RunCli({"--dir", dir.path(), "--list"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "IN\nOUT\n");
    r = RunCli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Usage: lumivex-convert"), std::string::npos);
    r = RunCli({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("lumivex-convert 1.", 0), 0u);
    TempDir empty;
    r = RunCli({"--dir", empty.path(), "--list"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("n'a pas pu être ouvert"), std::string::npos);
}

} // namespace
} // namespace lmx::test
