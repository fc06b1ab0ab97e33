#include "CliRig.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lmx::test {
namespace {

const std::string kExamples = std::string(LUMIVEX_SOURCE_DIR) + "/examples/";

// The shipped format file is exactly what the program's writer makes of the example formats.
// LUMIVEX_WRITE_EXAMPLES=1 rewrites it after a change of the formats.
TEST(Examples, FormatFileIsTheWritersOwn) {
    const std::string made = ExampleFormatFile();
    ASSERT_FALSE(made.empty());
    if (std::getenv("LUMIVEX_WRITE_EXAMPLES")) WriteFile(kExamples + "Lumivex.fmt", made);
    EXPECT_EQ(ReadFile(kExamples + "Lumivex.fmt"), made);
}

TEST(Examples, SampleFilesConvert) {
    TempDir dir;
    WriteFile(dir.file("Lumivex.fmt"), ReadFile(kExamples + "Lumivex.fmt"));
    WriteFile(dir.file("quotes_fr.txt"), ReadFile(kExamples + "quotes_fr.txt"));
    WriteFile(dir.file("quotes_court.txt"), ReadFile(kExamples + "quotes_court.txt"));

    CliResult r = RunCli({"--dir", dir.path(), "--in", "FRJOUR", "--out", "ISOTAB", "-q", dir.file("quotes_fr.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string iso = ReadFile(dir.file("quotes_fr_conv.txt"));
    EXPECT_EQ(iso.substr(0, 47), "Date\tTicker\tOpen\tHigh\tLow\tClose\tVolume\r\n2024-12");

    r = RunCli({"--dir", dir.path(), "--in", "FRJOUR", "--out", "COMPACT", "-o", dir.file("c.csv"), "-q",
                dir.file("quotes_fr.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir.file("c.csv")).substr(0, 25), "ACME,20241202,42.10,42.16");

    r = RunCli({"--dir", dir.path(), "--in", "FRCOURT", "--out", "ISOTAB", "-o", dir.file("court.txt"), "-q",
                dir.file("quotes_court.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    // Two-digit years take their century; columns the input lacks stay empty.
    EXPECT_EQ(ReadFile(dir.file("court.txt")).substr(40, 25), "2024-12-02\tACME\t\t\t\t41.80\t");
}

// A sample of each download to the French daily format and back: a ticker keeps its dot, the
// columns the French format lacks come back empty.
TEST(Examples, DownloadsToTheFrenchDailyFormatAndBack) {
    TempDir dir;
    WriteFile(dir.file("Lumivex.fmt"), ReadFile(kExamples + "Lumivex.fmt"));
    const struct {
        const char* name;
        std::string sample, french, back;
    } cases[] = {
        {"TICKER10",
         "<TICKER>,<PER>,<DATE>,<TIME>,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOL>,<OPENINT>\nMC.PA,D,20241202,000000,640.5,648.2,"
         "636.1,645.3,412345,0\n",
         "02/12/2024;MC.PA;640,5;648,2;636,1;645,3;412345\r\n",
         "MC.PA,,20241202,,640.5,648.2,636.1,645.3,412345,\r\n"},
        {"ADJCLOSE",
         "Date,Open,High,Low,Close,Adj Close,Volume\n2024-12-02,237.27,240.79,237.16,239.59,238.8,48137100\n",
         "02/12/2024;;237,27;240,79;237,16;239,59;48137100\r\n", "2024-12-02,237.27,240.79,237.16,239.59,,48137100\r\n"},
    };
    // Data files in UTF-8, as on a Linux desktop: the French header too.
    const std::string frenchHeader = "Date;Valeur;Ouverture;Haut;Bas;Cl\xC3\xB4ture;Volume\r\n";
    for (const auto& c : cases) {
        WriteFile(dir.file("in.txt"), c.sample);
        CliResult r = RunCli({"--dir", dir.path(), "--in", c.name, "--out", "FRJOUR", "-o", dir.file("fr.txt"),
                              "--force", "-q", "--encoding", "utf-8", dir.file("in.txt")});
        EXPECT_EQ(r.status, 0) << c.name << r.err;
        EXPECT_EQ(ReadFile(dir.file("fr.txt")), frenchHeader + c.french) << c.name;
        r = RunCli({"--dir", dir.path(), "--in", "FRJOUR", "--out", c.name, "-o", dir.file("back.txt"), "--force", "-q",
                    "--encoding", "utf-8", dir.file("fr.txt")});
        EXPECT_EQ(r.status, 0) << c.name << r.err;
        EXPECT_EQ(ReadFile(dir.file("back.txt")), c.sample.substr(0, c.sample.find('\n')) + "\r\n" + c.back) << c.name;
    }
}

} // namespace
} // namespace lmx::test
