#include "env/Params.h"

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
    ParamsFile() {
        prm.ProgramDir = dir.path();
        prm.PrmFileName = dir.file("Lumivex.prm");
    }
    // Loads a file made of the given bytes.
    StatusCode LoadBytes(std::string_view bytes) {
        WriteFile(prm.PrmFileName, bytes);
        return prm.Load().code;
    }
    // The line of this key once the settings are written back.
    std::string SavedLine(std::string_view key) {
        if (!prm.Save().Ok()) return "not saved";
        const std::string bytes = ReadFile(prm.PrmFileName);
        const auto at = bytes.find("\r\n" + std::string(key) + "=");
        return at == std::string::npos ? "" : bytes.substr(at + 2, bytes.find("\r\n", at + 2) - at - 2);
    }

    TempDir dir;
    Params prm;
};

TEST_F(ParamsFile, FirstStartWritesTheTwentyNineLinesByteForByte) {
    ASSERT_TRUE(prm.Save().Ok());
    const auto lines = FirstStartLines();
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(ReadFile(prm.PrmFileName), CrLf(lines));
    EXPECT_FALSE(test::Exists(prm.PrmFileName + ".tmp"));
}

// The data files' encoding and line end follow LOG= only when chosen, and are read back.
TEST_F(ParamsFile, EncodingAndLineEndOnlyWhenNotDefault) {
    prm.settings.encoding = DataEncoding::Utf8;
    prm.settings.lfOnly = true;
    ASSERT_TRUE(prm.Save().Ok());
    auto lines = FirstStartLines();
    lines.insert(lines.end() - 1, {"ENC=UTF-8", "EOL=LF"});
    EXPECT_EQ(ReadFile(prm.PrmFileName), CrLf(lines));
    EXPECT_TRUE(DataIsUtf8(DataEncoding::Utf8));
    EXPECT_FALSE(DataIsUtf8(DataEncoding::Windows1252));
    // Lines are shown as the encoding says; the system's UTF-8 lets Windows-1252 lines read too.
    for (const char* charset : {"C.UTF-8", "C"}) {
        const test::ScopedCharset locale(charset);
        EXPECT_EQ(DataShownOf(DataEncoding::Utf8), DataShown::Utf8);
        EXPECT_EQ(DataShownOf(DataEncoding::Windows1252), DataShown::Cp1252);
        EXPECT_EQ(DataShownOf(DataEncoding::System), charset[1] == '.' ? DataShown::Utf8Else1252 : DataShown::Cp1252) << charset;
    }
}

TEST_F(ParamsFile, ReloadingTheFirstFileResolvesTheTwoFolders) {
    ASSERT_TRUE(prm.Save().Ok());
    ASSERT_TRUE(prm.Load().Ok());
    EXPECT_EQ(prm.settings.sourceFolder, dir.path());
    // "$Q" stays for every other key; for MRD it is the choice of results beside their source.
    EXPECT_EQ(prm.settings.resultFolder, std::nullopt);
    EXPECT_EQ(prm.settings.resultExtension, std::nullopt);
    ASSERT_TRUE(prm.Save().Ok());
    auto lines = FirstStartLines();
    lines[10] = "MRS=" + dir.path();
    lines[15] = "BIS=" + dir.path();
    EXPECT_EQ(ReadFile(prm.PrmFileName), CrLf(lines));
}

// One line loaded, then written back: what the program cannot read keeps its text.
TEST_F(ParamsFile, LoadingOneLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"CTB=anything", "CTB=CTB"},
        {"CTB=", "CTB=CTB"},
        {"erl=2", "ERL=1"},         // lower-case key skipped
        {"ERL:2", "ERL=2"},         // the fourth character is not examined
        {"ERL=", "ERL="},
        {"ERL", "ERL="},
        {"ERL=7", "ERL=7"},         // no test of values
        {"LOG=v1", "LOG=v1"},
        {"DDO=_a  ", "DDO=_a  "},
        {"SRN=  b", "SRN=  b"},
        {" ERL=2", "ERL=1"},        // blank before the key
        {"MRI=A=B", "MRI=A=B"},
        {"LNG=\xC9t\xE9", "LNG=\xC9t\xE9"},
        {"DTY=zz", "DTY=$Q"},       // never loaded
        {"MRS=/no/such/folder/", "MRS=<dir>"},
        {"MRS=<dir>Lumivex.prm", "MRS=<dir>"},
        {"BIS=$Q", "BIS=<dir>"},
        {"MRD=$Q", "MRD=$Q"},
        {"MRD=/no/such/", "MRD=<dir>"},
        {"LGT=clred", "LGT=clred"}, // a colour's own spelling
        {"LGT=nocolour", "LGT=nocolour"},
    };
    auto expand = [&](std::string s) {
        const auto p = s.find("<dir>");
        if (p != std::string::npos) s.replace(p, 5, dir.path());
        return s;
    };
    for (const auto& [line, saved] : cases) {
        SCOPED_TRACE(line);
        prm.Defaults();
        EXPECT_EQ(LoadBytes(CrLf({"[P]", expand(line), "[/]"})), StatusCode::Ok);
        EXPECT_EQ(SavedLine(saved.substr(0, 3)), expand(saved));
    }
}

TEST_F(ParamsFile, UnreadableTextsReadAsNoChoice) {
    ASSERT_EQ(LoadBytes(CrLf({"ERL=7", "SDL=3", "LOG=x", "LGT=nocolour", "ENC=latin"})), StatusCode::Ok);
    EXPECT_EQ(prm.settings.badLine, BadLineRule::Unset);
    EXPECT_EQ(prm.settings.disposal, sdKeep);
    EXPECT_EQ(prm.settings.log, LogDetail::Unreadable);
    EXPECT_EQ(prm.settings.logTextColor, std::nullopt);
    EXPECT_EQ(prm.settings.encoding, DataEncoding::System);
    ASSERT_EQ(LoadBytes(CrLf({"LOG=3", "SRN=0", "EXT=$Q"})), StatusCode::Ok);
    EXPECT_EQ(prm.settings.log, LogDetail::ExtendedOther);
    EXPECT_EQ(prm.settings.renameText, std::nullopt);
    EXPECT_EQ(ResultExtension(prm.settings, "d.x/quotes.csv"), ".csv");
}

TEST_F(ParamsFile, ExistingFoldersAreKept) {
    const std::string sub = dir.file("src/");
    std::filesystem::create_directory(sub);
    ASSERT_EQ(LoadBytes(CrLf({"MRS=" + sub, "BIS=" + sub, "MRD=" + sub})), StatusCode::Ok);
    EXPECT_EQ(prm.settings.sourceFolder, sub);
    EXPECT_EQ(SavedLine("BIS"), "BIS=" + sub);
    EXPECT_EQ(prm.settings.resultFolder, sub);
}

// Results beside their source survive a restart, wherever MRS stands.
TEST_F(ParamsFile, MrdQuestionMarkStaysWhateverMrsHolds) {
    const std::string sub = dir.file("src/");
    std::filesystem::create_directory(sub);
    ASSERT_EQ(LoadBytes(CrLf({"MRS=" + sub, "MRD=$Q"})), StatusCode::Ok);
    EXPECT_EQ(prm.settings.resultFolder, std::nullopt);
    prm.Defaults();
    ASSERT_EQ(LoadBytes(CrLf({"MRD=$Q", "MRS=" + sub})), StatusCode::Ok);
    EXPECT_EQ(prm.settings.resultFolder, std::nullopt);
    EXPECT_EQ(prm.settings.sourceFolder, sub);
}

TEST_F(ParamsFile, LastOccurrenceWins) {
    ASSERT_EQ(LoadBytes(CrLf({"DDO=_a", "ERL=2", "DDO=_b", "DDO=_c"})), StatusCode::Ok);
    EXPECT_EQ(prm.settings.addedText, "_c");
    EXPECT_EQ(prm.settings.badLine, BadLineRule::Stop);
}

TEST_F(ParamsFile, BannerOnlyFileLeavesEveryDefault) {
    const auto lines = FirstStartLines();
    ASSERT_EQ(LoadBytes(CrLf({lines.begin(), lines.begin() + 7})), StatusCode::Ok);
    EXPECT_EQ(prm.settings, Settings());
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
        prm.Defaults();
        ASSERT_EQ(LoadBytes(bytes), StatusCode::Ok);
        EXPECT_EQ(prm.settings.addedText, "_a");
        EXPECT_EQ(prm.settings.badLine, BadLineRule::Stop);
        EXPECT_EQ(prm.settings.inputFormat, "X");
    }
}

TEST_F(ParamsFile, MissingFileGives109AndKeepsSlots) {
    prm.settings.addedText = "_kept";
    const Status r = prm.Load();
    EXPECT_EQ(r.code, StatusCode::SettingsCannotOpen);
    EXPECT_EQ(r.Number(), -109);
    EXPECT_EQ(prm.settings.addedText, "_kept");
    EXPECT_FALSE(r.reason.empty());
}

TEST_F(ParamsFile, FolderInPlaceOfTheFileCannotBeOpened) {
    std::filesystem::create_directory(prm.PrmFileName);
    const Status r = prm.Load();
    EXPECT_EQ(r.code, StatusCode::SettingsCannotOpen);
    EXPECT_FALSE(r.reason.empty());
}

TEST_F(ParamsFile, ReadErrorGives111) {
    // Reading this file at offset 0 fails with an input/output error once it is open.
    const std::string unreadable = "/proc/self/mem";
    if (!test::Exists(unreadable)) GTEST_SKIP() << "no file that fails on reading";
    prm.PrmFileName = unreadable;
    const Status r = prm.Load();
    EXPECT_EQ(r.code, StatusCode::SettingsReadFailed);
    EXPECT_FALSE(r.reason.empty());
    EXPECT_EQ(prm.settings.addedText, "_conv");
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
    ASSERT_EQ(LoadBytes(bytes), StatusCode::Ok);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(5));
    EXPECT_EQ(prm.settings.addedText, "v9999");
    EXPECT_EQ(prm.settings.renameText, std::string("a\0b\x80\xFF", 5));
    EXPECT_EQ(prm.settings.inputFormat, "v9999"); // longer than any value: the setting keeps what it had
    EXPECT_EQ(prm.settings.sourceFolder, dir.path()); // a path holding NUL is no folder
    EXPECT_EQ(prm.settings.resultFolder, dir.path());
    EXPECT_EQ(SavedLine("CTB"), "CTB=CTB");
}

TEST_F(ParamsFile, ValueOver64KiBIsABadValueAndIsNotWrittenBack) {
    const std::string longest(kMaxPrmValue, 'a');
    const std::string over(kMaxPrmValue + 1, 'b');
    ASSERT_EQ(LoadBytes(CrLf({"MRI=" + over, "MRO=" + longest, "MRS=" + over, "DDO=" + over + over})), StatusCode::Ok);
    EXPECT_EQ(prm.settings.inputFormat, "");        // the default
    EXPECT_EQ(prm.settings.outputFormat, longest);   // exactly 64 KiB is still a value
    EXPECT_EQ(prm.settings.sourceFolder, dir.path()); // a bad folder: the program's
    EXPECT_EQ(prm.settings.addedText, "_conv");
    ASSERT_TRUE(prm.Save().Ok());
    EXPECT_EQ(ReadFile(prm.PrmFileName).find("bbbb"), std::string::npos);
}

} // namespace
} // namespace lmx
