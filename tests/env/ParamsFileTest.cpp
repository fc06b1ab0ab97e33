#include "env/Params.h"

#include "env/LangTexts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace lmx {
namespace {

using test::CrLf;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::string Stars() { return std::string(69, '*'); }

// The first-start file, built line by line from the published table rather than by the writer.
std::vector<std::string> FirstStartLines() {
    return {
        Stars(),
        "****     Parvolin : Fichier de parametres -- Parameters file     ****",
        "****     ---------------------------------------------------     ****",
        "****     NE PAS EDITER !  Fichier maintenu par le programme.     ****",
        "****       DO NOT EDIT !    File produced by the software.       ****",
        "****" + std::string(61, ' ') + "****",
        Stars(),
        "[P]",
        "CTB=CTB",
        "LNG=Fran\xE7" "ais",
        "MRS=$Q",
        "F_S=$L",
        "MRD=$Q",
        "DDO=_conv",
        "EXT=$Q",
        "BIS=$Q",
        "SCM=0",
        "SDL=0",
        "SRN=0",
        "ERL=1",
        "MRI=",
        "MRO=",
        "CPD=20",
        "CPE=19",
        "DTY=$Q",
        "LGT=$00B7C9A7",
        "LGF=$00494248",
        "LOG=1",
        "[/]",
    };
}

class ParamsFile : public ::testing::Test {
protected:
    ParamsFile() : prm(lang) {
        prm.ProgramDir = dir.path();
        prm.PrmFileName = dir.file("Lumivex.prm");
        prm.PrmFile(pmDefaults);
    }
    // Loads a file made of the given bytes.
    int LoadBytes(std::string_view bytes) {
        WriteFile(prm.PrmFileName, bytes);
        return prm.PrmFile(pmLoad);
    }

    TempDir dir;
    LangTexts lang;
    Params prm;
};

TEST_F(ParamsFile, FirstStartWritesTheTwentyNineLinesByteForByte) {
    ASSERT_EQ(prm.PrmFile(pmSave), prmOk);
    const auto lines = FirstStartLines();
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(ReadFile(prm.PrmFileName), CrLf(lines));
    EXPECT_FALSE(test::Exists(prm.PrmFileName + ".tmp"));
}

// The data files' encoding and line end follow LOG= only when chosen, and are read back.
TEST_F(ParamsFile, EncodingAndLineEndOnlyWhenNotDefault) {
    prm.PrmSet(prmENC, "UTF-8", false);
    prm.PrmSet(prmEOL, "LF", false);
    ASSERT_EQ(prm.PrmFile(pmSave), prmOk);
    auto lines = FirstStartLines();
    lines.insert(lines.end() - 1, {"ENC=UTF-8", "EOL=LF"});
    EXPECT_EQ(ReadFile(prm.PrmFileName), CrLf(lines));
    prm.PrmFile(pmDefaults);
    EXPECT_EQ(prm.PrmGet(prmENC), "$Q");
    EXPECT_EQ(prm.PrmGet(prmEOL), "CRLF");
    ASSERT_EQ(prm.PrmFile(pmLoad), prmOk);
    EXPECT_EQ(prm.PrmGet(prmENC), "UTF-8");
    EXPECT_EQ(prm.PrmGet(prmEOL), "LF");
    EXPECT_TRUE(DataIsUtf8("UTF-8"));
    EXPECT_FALSE(DataIsUtf8("Windows-1252"));
    // Lines are shown as the encoding says; the system's UTF-8 lets Windows-1252 lines read too.
    for (const char* charset : {"C.UTF-8", "C"}) {
        const test::ScopedCharset locale(charset);
        EXPECT_EQ(DataShownOf("UTF-8"), DataShown::Utf8);
        EXPECT_EQ(DataShownOf("Windows-1252"), DataShown::Cp1252);
        EXPECT_EQ(DataShownOf("$Q"), charset[1] == '.' ? DataShown::Utf8Else1252 : DataShown::Cp1252) << charset;
    }
}

TEST_F(ParamsFile, DefaultsAsRead) {
    const std::pair<int, std::string> expected[] = {
        {prmCTB, "CTB"}, {prmLNG, "Fran\xE7" "ais"}, {prmMRS, "$Q"}, {prmF_S, "$L"}, {prmMRD, "$Q"},
        {prmDDO, "_conv"}, {prmEXT, "$Q"}, {prmBIS, "$Q"}, {prmSCM, "0"}, {prmSDL, "0"}, {prmSRN, "0"},
        {prmERL, "1"}, {prmMRI, ""}, {prmMRO, ""}, {prmCPD, "20"}, {prmCPE, "19"}, {prmDTY, ""},
        {prm17, ""}, {prmLGT, "$00B7C9A7"}, {prmLGF, "$00494248"}, {prmLOG, "1"},
    };
    for (const auto& [index, value] : expected) EXPECT_EQ(prm.PrmGet(index), value) << index;
}

TEST_F(ParamsFile, ReloadingTheFirstFileResolvesTheTwoFolders) {
    ASSERT_EQ(prm.PrmFile(pmSave), prmOk);
    ASSERT_EQ(prm.PrmFile(pmLoad), prmOk);
    EXPECT_EQ(prm.PrmGet(prmMRS), dir.path());
    EXPECT_EQ(prm.PrmGet(prmBIS), dir.path());
    // "$Q" stays for every other key; for MRD it is the choice of results beside their source.
    EXPECT_EQ(prm.PrmGet(prmMRD), "$Q");
    EXPECT_EQ(prm.PrmGet(prmEXT), "$Q");
    ASSERT_EQ(prm.PrmFile(pmSave), prmOk);
    auto lines = FirstStartLines();
    lines[10] = "MRS=" + dir.path();
    lines[15] = "BIS=" + dir.path();
    EXPECT_EQ(ReadFile(prm.PrmFileName), CrLf(lines));
}

TEST_F(ParamsFile, ModeTwoLoadsLikeModeOneAndOtherModesDoNothing) {
    WriteFile(prm.PrmFileName, CrLf({"DDO=_x"}));
    EXPECT_EQ(prm.PrmFile(pmLoadToo), prmOk);
    EXPECT_EQ(prm.PrmGet(prmDDO), "_x");
    for (int mode : {0, 5, -1, 99}) {
        EXPECT_EQ(prm.PrmFile(mode), prmOk);
        EXPECT_EQ(prm.PrmGet(prmDDO), "_x");
    }
    EXPECT_EQ(prm.PrmFile(pmDefaults), prmOk);
    EXPECT_EQ(prm.PrmGet(prmDDO), "_conv");
}

struct LineCase {
    const char* name;
    std::string line;
    int index;
    std::string expected;
};

TEST_F(ParamsFile, LoadingOneLine) {
    const LineCase cases[] = {
        {"CTB forced", "CTB=anything", prmCTB, "CTB"},
        {"CTB empty forced", "CTB=", prmCTB, "CTB"},
        {"lower-case key skipped", "erl=2", prmERL, "1"},
        {"colon instead of =", "ERL:2", prmERL, "2"},
        {"nothing after =", "ERL=", prmERL, ""},
        {"key only", "ERL", prmERL, ""},
        {"no test of values", "ERL=7", prmERL, "7"},
        {"trailing blanks kept", "DDO=_a  ", prmDDO, "_a  "},
        {"leading blanks kept", "SRN=  b", prmSRN, "  b"},
        {"blank before key", " ERL=2", prmERL, "1"},
        {"value with =", "MRI=A=B", prmMRI, "A=B"},
        {"cp1252 value", "LNG=\xC9t\xE9", prmLNG, "\xC9t\xE9"},
        {"DTY never loaded", "DTY=zz", prmDTY, ""},
        {"missing MRS folder", "MRS=/no/such/folder/", prmMRS, "<dir>"},
        {"MRS is a file", "MRS=<dir>Lumivex.prm", prmMRS, "<dir>"},
        {"BIS $Q", "BIS=$Q", prmBIS, "<dir>"},
        {"MRD $Q kept", "MRD=$Q", prmMRD, "$Q"},
        {"MRD missing folder", "MRD=/no/such/", prmMRD, "<dir>"},
        {"colour kept verbatim", "LGT=clRed", prmLGT, "clRed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prm.PrmFile(pmDefaults);
        auto expand = [&](std::string s) {
            const auto p = s.find("<dir>");
            if (p != std::string::npos) s.replace(p, 5, dir.path());
            return s;
        };
        EXPECT_EQ(LoadBytes(CrLf({"[P]", expand(c.line), "[/]"})), prmOk);
        EXPECT_EQ(prm.PrmGet(c.index), expand(c.expected));
    }
}

TEST_F(ParamsFile, ExistingFoldersAreKept) {
    const std::string sub = dir.file("src/");
    std::filesystem::create_directory(sub);
    ASSERT_EQ(LoadBytes(CrLf({"MRS=" + sub, "BIS=" + sub, "MRD=" + sub})), prmOk);
    EXPECT_EQ(prm.PrmGet(prmMRS), sub);
    EXPECT_EQ(prm.PrmGet(prmBIS), sub);
    EXPECT_EQ(prm.PrmGet(prmMRD), sub);
}

// Results beside their source survive a restart, wherever MRS stands.
TEST_F(ParamsFile, MrdQuestionMarkStaysWhateverMrsHolds) {
    const std::string sub = dir.file("src/");
    std::filesystem::create_directory(sub);
    ASSERT_EQ(LoadBytes(CrLf({"MRS=" + sub, "MRD=$Q"})), prmOk);
    EXPECT_EQ(prm.PrmGet(prmMRD), "$Q");
    prm.PrmFile(pmDefaults);
    ASSERT_EQ(LoadBytes(CrLf({"MRD=$Q", "MRS=" + sub})), prmOk);
    EXPECT_EQ(prm.PrmGet(prmMRD), "$Q");
    EXPECT_EQ(prm.PrmGet(prmMRS), sub);
}

TEST_F(ParamsFile, LastOccurrenceWins) {
    ASSERT_EQ(LoadBytes(CrLf({"DDO=_a", "ERL=2", "DDO=_b", "DDO=_c"})), prmOk);
    EXPECT_EQ(prm.PrmGet(prmDDO), "_c");
    EXPECT_EQ(prm.PrmGet(prmERL), "2");
}

TEST_F(ParamsFile, BannerOnlyFileLeavesEveryDefault) {
    const auto lines = FirstStartLines();
    ASSERT_EQ(LoadBytes(CrLf({lines.begin(), lines.begin() + 7})), prmOk);
    EXPECT_EQ(prm.PrmGet(prmMRS), "$Q");
    EXPECT_EQ(prm.PrmGet(prmDDO), "_conv");
    EXPECT_EQ(prm.PrmGet(prmLGF), "$00494248");
}

TEST_F(ParamsFile, LineEndsOfEveryKind) {
    const std::pair<const char*, std::string> cases[] = {
        {"LF", "DDO=_a\nERL=2\nMRI=X"},
        {"CR", "DDO=_a\rERL=2\rMRI=X"},
        {"CRLF", "DDO=_a\r\nERL=2\r\nMRI=X\r\n"},
        {"mixed", "DDO=_a\r\rERL=2\n\r\nMRI=X\r"},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        prm.PrmFile(pmDefaults);
        ASSERT_EQ(LoadBytes(bytes), prmOk);
        EXPECT_EQ(prm.PrmGet(prmDDO), "_a");
        EXPECT_EQ(prm.PrmGet(prmERL), "2");
        EXPECT_EQ(prm.PrmGet(prmMRI), "X");
    }
}

TEST_F(ParamsFile, MissingFileGives109AndKeepsSlots) {
    prm.PrmSet(prmDDO, "_kept", false);
    EXPECT_EQ(prm.PrmFile(pmLoad), prmCannotOpen);
    EXPECT_EQ(prm.PrmGet(prmDDO), "_kept");
    EXPECT_FALSE(prm.LastIoError().empty());
}

TEST_F(ParamsFile, FolderInPlaceOfTheFileCannotBeOpened) {
    std::filesystem::create_directory(prm.PrmFileName);
    EXPECT_EQ(prm.PrmFile(pmLoad), prmCannotOpen);
    EXPECT_FALSE(prm.LastIoError().empty());
}

TEST_F(ParamsFile, ReadErrorGives111) {
    // Reading this file at offset 0 fails with an input/output error once it is open.
    const std::string unreadable = "/proc/self/mem";
    if (!test::Exists(unreadable)) GTEST_SKIP() << "no file that fails on reading";
    prm.PrmFileName = unreadable;
    EXPECT_EQ(prm.PrmFile(pmLoad), prmReadFailed);
    EXPECT_FALSE(prm.LastIoError().empty());
    EXPECT_EQ(prm.PrmGet(prmDDO), "_conv");
}

TEST_F(ParamsFile, HostileFileLoadsQuicklyWithoutHarm) {
    std::string bytes;
    const char* keys[] = {"CTB", "LNG", "MRS", "F_S", "MRD", "DDO", "EXT", "BIS", "SCM", "SDL",
                          "SRN", "ERL", "MRI", "MRO", "CPD", "CPE", "DTY", "LGT", "LGF", "LOG"};
    for (int rep = 0; rep < 10000; ++rep)
        for (const char* k : keys) {
            bytes += k;
            bytes += "=v";
            bytes += std::to_string(rep);
            bytes += "\r\n";
        }
    bytes += std::string("SRN=a\0b\x80\xFF", 9) + "\n";
    bytes += "MRI=" + std::string(5'000'000, '\xE9') + "\n";
    bytes += std::string(3'000'000, '\0') + "\n";
    bytes += std::string("MRS=") + dir.path() + std::string("\0x", 2) + "\n"; // NUL hides the rest
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(LoadBytes(bytes), prmOk);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(5));
    EXPECT_EQ(prm.PrmGet(prmDDO), "v9999");
    EXPECT_EQ(prm.PrmGet(prmSRN), std::string("a\0b\x80\xFF", 5));
    EXPECT_EQ(prm.PrmGet(prmMRI), "v9999"); // longer than any value: the slot keeps what it had
    EXPECT_EQ(prm.PrmGet(prmCTB), "CTB");
    EXPECT_EQ(prm.PrmGet(prmMRS), dir.path()); // a path holding NUL is no folder
    EXPECT_EQ(prm.PrmGet(prmMRD), dir.path());
}

TEST_F(ParamsFile, ValueOver64KiBIsABadValueAndIsNotWrittenBack) {
    const std::string longest(kMaxPrmValue, 'a');
    const std::string over(kMaxPrmValue + 1, 'b');
    ASSERT_EQ(LoadBytes(CrLf({"MRI=" + over, "MRO=" + longest, "MRS=" + over, "DDO=" + over + over})), prmOk);
    EXPECT_EQ(prm.PrmGet(prmMRI), "");        // the default
    EXPECT_EQ(prm.PrmGet(prmMRO), longest);   // exactly 64 KiB is still a value
    EXPECT_EQ(prm.PrmGet(prmMRS), dir.path()); // a bad folder: the program's
    EXPECT_EQ(prm.PrmGet(prmDDO), "_conv");
    ASSERT_EQ(prm.PrmFile(pmSave), prmOk);
    EXPECT_EQ(ReadFile(prm.PrmFileName).find("bbbb"), std::string::npos);
}

} // namespace
} // namespace lmx
