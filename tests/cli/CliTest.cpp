#include "CliRig.h"

#include "common/Cp1252.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

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
        std::vector<std::string> all{"--dir", dir.path(), "--in=IN", "--out=OUT"};
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
    // The summary goes to standard error: standard output may carry a result.
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "résultat : " + dir.file("res.txt") + "\nfichiers : 2, lignes lues : 2, rejetées : 0, écrites : 2\n");
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

// A download's trailing line end alone is no record: the file converts with status 0. The summary
// counts the empty lines apart, and the rejected lines per code, saying where they can be had.
TEST_F(Cli, SummaryCountsEmptyLinesAndRejectionsByCode) {
    const std::string good = Src("g.txt", "31/12/2005;B;1,5\r\n\r\n");
    CliResult r = Convert({"-o", dir.file("r.txt"), good});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "résultat : " + dir.file("r.txt") +
                         "\nfichiers : 1, lignes lues : 1, rejetées : 0, écrites : 1\nlignes vides ignorées : 1\n");
    const std::string bad = Src("b.txt", "bad\r\n31/02/05;C;1\r\nworse\r\n");
    r = Convert({"--force", "-o", dir.file("r.txt"), bad});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("\nrejetées par code : #Unstring 2, #Date 1 ; les lignes, avec leur numéro : --rejects FICHIER\n"),
              std::string::npos) << r.err;
    r = Convert({"--force", "-o", dir.file("r.txt"), "--rejects", dir.file("rej.txt"), bad});
    EXPECT_NE(r.err.find("#Date 1 ; les lignes, avec leur numéro : " + dir.file("rej.txt") + "\n"), std::string::npos) << r.err;
}

// The options override the parameters for the run: LF line ends in the result and the rejects
// file, the header in UTF-8; a value not offered is refused.
TEST_F(Cli, EncodingAndLineEndOptions) {
    std::string formats = Formats();
    formats.replace(formats.find("HDR=Date"), 8, "HDR=D\xE9" "but");
    WriteFile(dir.file("Lumivex.fmt"), formats);
    const std::string src = Src("q.txt", "31/12/2005;\xC3\xA9;1,5\r\nbad\r\n");
    const CliResult r = Convert({"-q", "--encoding", "utf-8", "--eol=lf", "-o", dir.file("r.txt"), "--rejects",
                                 dir.file("rej.txt"), src});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(ReadFile(dir.file("r.txt")), "D\xC3\xA9" "but\tName\tValue\n2005-12-31\t\xC3\xA9\t1.5\n");
    EXPECT_EQ(ReadFile(dir.file("rej.txt")), src + "\t2\t#Unstring\tbad\n");
    EXPECT_EQ(Convert({"--eol", "cr", src}).status, 3);
    EXPECT_EQ(Convert({"--encoding", "UTF-8", src}).err.rfind("lumivex-convert: --encoding takes utf-8 or windows-1252\n", 0), 0u);
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
        {{"--dir", dir.path(), "--in", "NOPE", "--out", "OUT", src},
         "lumivex-convert: --in : le format \"NOPE\" ne se charge pas : code -795, "
         "aucun format de ce nom dans le fichier (les noms distinguent majuscules et minuscules)\nlumivex-convert: formats de " + dir.file("Lumivex.fmt") +
         " : IN, OUT\n"},
        {{"--dir", dir.path(), "--in", "IN", "--out", "out", src}, "lumivex-convert: vouliez-vous dire OUT ?"},
        {{"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-"}, "nommez le résultat avec -o FICHIER, ou -o - pour la sortie standard"},
        {{"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-o", "-", "-", "-"}, "standard input (-) can be read once only"},
        {{"--dir", dir.path(), "--in", "IN", "--out", "OUT"}, "Il faut commencer par choisir un fichier"},
        {{"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-o", dir.file("exists.txt"), src}, "--force"},
        {{"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-o", dir.path() + "./q.txt", src},
         "Le fichier en entrée ne peut pas servir comme fichier de résultat"},
        {{"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-o", dir.file("no/such/dir/r.txt"), src},
         "n'a pas pu créer le fichier de résultats"},
        {{"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-o", dir.file("r.txt"), "--log", dir.path() + "./r.txt",
          "--delete", src},
         "--log désigne une source, le résultat ou l'autre fichier"},
        {{"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-o", dir.file("r.txt"), "--rejects", src, src},
         "--rejects désigne une source, le résultat ou l'autre fichier"},
        {{"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-o", dir.file("r.txt"), "--rejects", dir.file("x.txt"),
          "--log", dir.file("x.txt"), src},
         "--log désigne une source, le résultat ou l'autre fichier"},
        {{"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-o", dir.file("r.txt"), "--log", dir.file("exists.txt"), src},
         "le fichier de --log existe (--force le remplace)"},
        {{"--bogus"}, "unknown option --bogus"},
        {{"--o", "x"}, "ambiguous option --o (--out, --output)"},
        {{"--force=yes"}, "option --force takes no value"},
        {{"--dir", dir.file("none"), "--in", "IN", src}, "not a folder"},
    };
    for (const auto& c : cases) {
        const CliResult r = RunCli(c.args);
        EXPECT_EQ(r.status, 3) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadFile(dir.file("exists.txt")), "keep");
    EXPECT_EQ(ReadFile(src), "31/12/2005;B;1,5\r\n");
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.fmt", "exists.txt", "q.txt"}));
}

TEST_F(Cli, RelativeNamesAreTakenInTheCurrentFolder) {
    Src("q.txt", "31/12/2005;B;1,5\r\n");
    const CliResult r = RunCli({"--dir", ".", "--in", "IN", "--out", "OUT", "-q", "--log", "log.txt", "q.txt"}, {},
                               dir.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir.file("q_conv.txt")), "Date\tName\tValue\r\n2005-12-31\tB\t1.5\r\n");
    EXPECT_NE(ReadFile(dir.file("log.txt")).find("\r\n " + dir.file("q.txt") + "\r\n"), std::string::npos);
}

TEST_F(Cli, ResultIsOnDiskUnderItsNameBeforeAnySourceIsDeleted) {
    if (!Exists("/usr/bin/strace")) GTEST_SKIP() << "no strace";
    const std::string src = Src("q.txt", "31/12/2005;B;1,5\r\n");
    const std::string trace = dir.file("trace");
    const CliResult r = RunProgram({"/usr/bin/strace", "-f", "-o", trace, "-e",
                                    "trace=openat,fsync,linkat,rename,renameat,renameat2,unlink,unlinkat", LUMIVEX_CONVERT_EXE,
                                    "--dir", dir.path(), "--in", "IN", "--out", "OUT", "-q", "-o", dir.file("r.txt"),
                                    "--delete", src},
                                   {"ASAN_OPTIONS=detect_leaks=0"}); // the leak checker cannot run traced
    if (r.status != 0 && !Exists(dir.file("r.txt"))) GTEST_SKIP() << "strace cannot trace here: " << r.err;
    ASSERT_EQ(r.status, 0) << r.err;
    // The steps in order: a file without a name made in the folder, flushed, given the name (which
    // never replaces a file), the folder flushed; only then the source goes. A file system that
    // cannot make such a file gets a temporary file instead, made exclusively and linked.
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(trace));
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    std::size_t at = 0;
    auto find = [&](const std::vector<std::string>& parts) {
        for (; at < lines.size(); ++at) {
            bool all = true;
            for (const auto& p : parts) all = all && lines[at].find(p) != std::string::npos;
            if (all) return true;
        }
        return false;
    };
    if (find({"openat(", "\"" + dir.path() + "\"", "O_TMPFILE"})) {
        EXPECT_TRUE(find({"fsync("}));
        EXPECT_TRUE(find({"linkat(", "\"/proc/self/fd/", "\"" + dir.file("r.txt") + "\"", "AT_SYMLINK_FOLLOW"}));
    } else {
        at = 0;
        EXPECT_TRUE(find({"openat(", dir.file("r.txt.lumivex-"), ".tmp\"", "O_EXCL", "O_NOFOLLOW"}));
        EXPECT_TRUE(find({"fsync("}));
        EXPECT_TRUE(find({"link", ".tmp\", \"" + dir.file("r.txt") + "\""}));
    }
    EXPECT_TRUE(find({"openat(", "\"" + dir.path() + "\"", "O_DIRECTORY"}));
    EXPECT_TRUE(find({"fsync("}));
    EXPECT_TRUE(find({"unlink", "\"" + src + "\""}));
    EXPECT_FALSE(Exists(src));
}

TEST_F(Cli, SignalsRemoveTheTemporaryFilesAndTouchNoSource) {
    // Many rejected lines into a FIFO nobody reads: the converter blocks in the middle of its run,
    // its result still without a name. Even SIGKILL, which leaves no time to clean up, leaves
    // nothing behind.
    std::string bad;
    for (int i = 0; i < 60000; ++i) bad += "a bad line of some length " + std::to_string(i) + "\r\n";
    const std::string src = Src("q.txt", bad);
    const std::string fifo = dir.file("rejects.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const std::pair<int, int> cases[] = {{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}, {SIGKILL, -1}};
    for (const auto& [sig, status] : cases) {
        CliProcess p({"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-q", "--delete", "-o", dir.file("r.txt"),
                      "--rejects", fifo, src});
        pollfd rejects{reader, POLLIN, 0};
        ASSERT_EQ(::poll(&rejects, 1, 10000), 1); // the first rejected lines: inside the run
        ::usleep(100000); // well inside the run, blocked on the FIFO
        EXPECT_EQ(p.Stop(sig), status) << sig;
        EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"Lumivex.fmt", "q.txt", "rejects.fifo"})) << sig;
        EXPECT_EQ(ReadFile(src), bad);
        char drain[65536];
        while (::read(reader, drain, sizeof drain) > 0) {
        }
    }
    ::close(reader);
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

TEST_F(Cli, UnreadableSourcesAreToldAndTheOthersConverted) {
    // Paths reach the terminal as their bytes, beside the texts converted from Windows-1252.
    const std::string folder = dir.file("donn\xC3\xA9" "es/");
    WriteFile(folder + "q.txt", "31/12/2005;B;1,5\r\n");
    WriteFile(folder + "vide \xC3\xA9.txt", "");
    const CliResult r = Convert({"-q", "-o", dir.file("r.txt"), folder + "absent.txt", folder + "q.txt", folder + "vide \xC3\xA9.txt"});
    EXPECT_EQ(r.status, 2); // a source could not be read
    EXPECT_EQ(r.err, "lumivex-convert: lecture impossible : " + folder + "absent.txt : No such file or directory\n"
                     "Le fichier vide \xC3\xA9.txt est vide et ne sera donc pas converti.\n");
    EXPECT_EQ(ReadFile(dir.file("r.txt")), "Date\tName\tValue\r\n2005-12-31\tB\t1.5\r\n");
}

TEST_F(Cli, FullDiskIsAFailureAndSourcesStay) {
    const std::string src = Src("q.txt", "31/12/2005;B;1,5\r\n");
    const CliResult r = Convert({"-o", "/dev/full", "--delete", src});
    EXPECT_EQ(r.status, 2);
    // The language's text, then the system's reason on a line of its own; nothing is counted as
    // written that is not in the file.
    EXPECT_NE(r.err.find("Echec de la conversion du \xC3\xA0 un probl\xC3\xA8me interne.\nlumivex-convert: /dev/full: No space left on device\n"
                         "résultat : /dev/full (non écrit)\nfichiers : 1, lignes lues : 1, rejetées : 0, écrites : 0\n"),
              std::string::npos) << r.err;
    EXPECT_TRUE(Exists(src));
}

TEST_F(Cli, RejectsRowsEscapeOddNamesAndTheirSourcesAreKept) {
    const std::string odd = Src("a\tb\nc.txt", "bad\r\n31/12/2005;B;1,5\r\n");
    const std::string plain = Src("p.txt", "31/12/2005;B;1,5\r\n");
    const CliResult r = Convert({"-o", dir.file("r.txt"), "--rejects", dir.file("rej.txt"), "--delete", odd, plain});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(ReadFile(dir.file("rej.txt")), dir.path() + "a\\tb\\nc.txt\t1\t#Unstring\tbad\r\n");
    EXPECT_TRUE(Exists(odd)); // its rejected line exists nowhere else
    EXPECT_FALSE(Exists(plain));
    EXPECT_NE(r.err.find("conservés : 1 fichier(s) source avec des lignes rejetées"), std::string::npos) << r.err;
}

TEST_F(Cli, AfterProcessingRenamesWithoutOverwriting) {
    const std::string a = Src("a.txt", "31/12/2005;B;1,5\r\n");
    const std::string b = Src("b.txt", "31/12/2005;B;1,5\r\n");
    Src("b_done.txt", "precious");
    const CliResult r = Convert({"-q", "-o", dir.file("r.txt"), "--rename", "_done", "--log", dir.file("log.txt"), a, b});
    // A failed rename has its own status and its line on standard error.
    EXPECT_EQ(r.status, 4) << r.err;
    EXPECT_EQ(r.err, "lumivex-convert: renommage impossible : " + b + " : File exists\n");
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

TEST_F(Cli, TrashIsTheHomeTrashCreatedWhenMissing) {
    if (!LUMIVEX_CLI_HAS_TRASH) GTEST_SKIP() << "built without the desktop trash (no Qt)";
    const std::string b = Src("b.txt", "31/12/2005;B;1,5\r\n");
    TempDir home, cwd; // an account without ~/.local/share
    const CliResult r = RunCli({"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-q", "-o", dir.file("r2.txt"),
                                "--trash", b},
                               {"HOME=" + home.path(), "XDG_DATA_HOME="}, cwd.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(Exists(b));
    EXPECT_TRUE(Exists(home.file(".local/share/Trash/files/b.txt")));
    EXPECT_NE(ReadFile(home.file(".local/share/Trash/info/b.txt.trashinfo")).find("\nPath=" + b + "\n"),
              std::string::npos);
    EXPECT_TRUE(Names(cwd.path()).empty());
}

TEST_F(Cli, TrashOnAnotherFileSystemIsAFailureAndTheSourceStays) {
    if (!LUMIVEX_CLI_HAS_TRASH) GTEST_SKIP() << "built without the desktop trash (no Qt)";
    struct stat here {}, shm {};
    if (::stat("/dev/shm", &shm) != 0 || ::stat(dir.path().c_str(), &here) != 0 || shm.st_dev == here.st_dev)
        GTEST_SKIP() << "no second file system at hand";
    const std::string b = Src("b.txt", "31/12/2005;B;1,5\r\n");
    const std::string data = "/dev/shm/lumivex-test-" + std::to_string(::getpid());
    const CliResult r = RunCli({"--dir", dir.path(), "--in", "IN", "--out", "OUT", "-q", "-o", dir.file("r.txt"),
                                "--trash", b},
                               {"XDG_DATA_HOME=" + data});
    EXPECT_EQ(r.status, 4);
    EXPECT_EQ(r.err, "lumivex-convert: mise à la corbeille impossible : " + b + "\n");
    EXPECT_TRUE(Exists(b));
    EXPECT_FALSE(Exists(data)); // nothing made there for nothing
    fs::remove_all(data);
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
