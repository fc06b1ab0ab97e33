#include "CliRig.h"

#include <gtest/gtest.h>

namespace lmx::test {
namespace {

const std::string kExamples = std::string(LUMIVEX_SOURCE_DIR) + "/examples/";

// The options' wiring; what the report says of each rule is tested in the core.
class CliFormats : public ::testing::Test {
protected:
    CliFormats() { WriteFile(dir.file("Lumivex.lng"), ReadFile(kExamples + "Lumivex.lng")); }
    void Formats(const std::vector<std::vector<std::string>>& blocks) { WriteFile(dir.file("Lumivex.fmt"), FormatFile(blocks)); }
    TempDir dir;
};

const std::vector<std::string> kGood = {"NOM=GOOD", "CMT=", "CLC=1", "SEP=;", "DEC=,", "IFL=0", "COL=V|N|0|0|0|"};

TEST_F(CliFormats, CheckExitsZeroOnlyWhenEveryFormatPasses) {
    Formats({kGood});
    CliResult r = RunCli({"--dir", dir.path(), "--check"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "GOOD : ok\n1 formats sur 1 passent (" + dir.file("Lumivex.fmt") + ")\n");
    Formats({kGood, {"NOM=BROKEN", "CMT=", "CLC=1", "SEP=;", "DEC=,", "IFL=0", "COL=D|N|0|0|3|"}});
    r = RunCli({"--dir", dir.path(), "--check"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.out.find("BROKEN : ne se charge pas : code -790"), std::string::npos) << r.out;
}

TEST_F(CliFormats, ShowPrintsTheDescriptionOrSaysWhyNot) {
    Formats({kGood});
    CliResult r = RunCli({"--dir", dir.path(), "--show", "GOOD"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 22), " Name     >GOOD< ()\n C");
    r = RunCli({"--dir", dir.path(), "--show", "good"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("formats du fichier : GOOD"), std::string::npos) << r.err;
}

TEST_F(CliFormats, LangGivesTheMessagesOrExitsThree) {
    CliResult r = RunCli({"--dir", dir.path(), "--lang", "English", "--check"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("The format definition file could not be opened"), std::string::npos) << r.err;
    r = RunCli({"--dir", dir.path(), "--lang", "Klingon", "--check"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("pas de langue \"Klingon\" dans " + dir.file("Lumivex.lng") + " (langues : English)"),
              std::string::npos) << r.err;
}

} // namespace
} // namespace lmx::test
