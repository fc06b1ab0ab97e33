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

// Each shipped download to a plain tab-separated format with ISO dates and back: every value is
// kept, numbers written plain there and as the download writes them back here.
TEST(Examples, DownloadsToAPlainFormatAndBackKeepEveryValue) {
    TempDir dir;
    const std::string plain = CrLf({"NOM=PLAIN", "CMT=", "CLC=8", "SEP=\t", "DEC=.", "IFL=1", "HDR=h",
                                    "COL=DATE|-YYYY/MM/DD|0|0|0|", "COL=TIME|AN|0|0|0|", "COL=OPEN|N|0|0|0|",
                                    "COL=HIGH|N|0|0|0|", "COL=LOW|N|0|0|0|", "COL=CLOSE|N|0|0|0|",
                                    "COL=VOLUME|N|0|0|0|", "COL=CHANGE PCT|N|0|0|0|"});
    WriteFile(dir.file("Lumivex.fmt"), ReadFile(kExamples + "Lumivex.fmt") + plain);
    const struct {
        const char* name;
        std::string header, line, plain, back;
    } cases[] = {
        {"QUOTED_EN", R"("Date","Price","Open","High","Low","Vol.","Change %")",
         R"("06/14/2024","1,948.00","1,950.10","1,955.30","1,940.20","51.34M","-0.52%")",
         "2024-06-14\t\t1950.10\t1955.30\t1940.20\t1948.00\t51340000\t-0.52",
         R"("06/14/2024","1,948.00","1,950.10","1,955.30","1,940.20","51,340,000","-0.52")"},
        {"QUOTED_FR", R"("Date","Dernier","Ouv."," Plus Haut","Plus Bas","Vol.","Variation %")",
         R"("14/06/2024","4.913,94","4.950,10","4.962,35","4.901,27","812,40K","12,03%")",
         "2024-06-14\t\t4950.10\t4962.35\t4901.27\t4913.94\t812400\t12.03",
         R"("14/06/2024","4.913,94","4.950,10","4.962,35","4.901,27","812.400","12,03")"},
        {"INTRADAY", "<DATE>;<TIME>;<OPEN>;<HIGH>;<LOW>;<CLOSE>;<VOL>", "20240614;153000;42.10;42.16;41.53;41.80;8797",
         "2024-06-14\t153000\t42.10\t42.16\t41.53\t41.80\t8797\t", "20240614;153000;42.10;42.16;41.53;41.80;8797"},
    };
    for (const auto& c : cases) {
        WriteFile(dir.file("in.txt"), c.header + "\r\n" + c.line + "\r\n");
        CliResult r = RunCli({"--dir", dir.path(), "--in", c.name, "--out", "PLAIN", "-o", dir.file("plain.txt"),
                              "--force", "-q", dir.file("in.txt")});
        EXPECT_EQ(r.status, 0) << c.name << r.err;
        EXPECT_EQ(ReadFile(dir.file("plain.txt")), "h\r\n" + c.plain + "\r\n") << c.name;
        r = RunCli({"--dir", dir.path(), "--in", "PLAIN", "--out", c.name, "-o", dir.file("back.txt"), "--force", "-q",
                    dir.file("plain.txt")});
        EXPECT_EQ(r.status, 0) << c.name << r.err;
        EXPECT_EQ(ReadFile(dir.file("back.txt")), c.header + "\r\n" + c.back + "\r\n") << c.name;
    }
}

} // namespace
} // namespace lmx::test
