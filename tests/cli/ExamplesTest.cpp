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

} // namespace
} // namespace lmx::test
