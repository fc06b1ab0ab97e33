#include "model/Session.h"

#include "common/Basics.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace lmx::test {
namespace {

class NoTrash final : public ITrash {
public:
    bool MoveToTrash(const std::string&) override { return false; }
};

class Page : public ::testing::Test {
protected:
    Page() : s(messages, trash) {
        s.SetProgramDir(dir.path());
        s.params.Defaults();
        s.params.Save();
    }
    std::string Src(const std::string& name, const std::string& content) {
        WriteFile(dir.file(name), content);
        return dir.file(name);
    }
    TempDir dir;
    RecordingMessages messages;
    NoTrash trash;
    Session s;
};

TEST_F(Page, FilesAreSortedByteWiseAndEmptyOnesRefused) {
    const std::string b = Src("b.txt", "x"), A = Src("A.txt", "x"), a = Src("a.txt", "x"), e = Src("e.txt", "");
    EXPECT_TRUE(s.convPage.TakeFiles({b, A, e, a, dir.path()}, "FilesToConvert : "));
    EXPECT_EQ(s.page.InFiles, (std::vector<std::string>{A, a, b}));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0], s.lang.Format(LK::msg_fileIsEmpty, {"e.txt"}));
    const auto& log = s.log.Lines();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0], "FilesToConvert : 3");
    EXPECT_EQ(log[1], " " + A);
    // The first file is the source; its folder is remembered and written at once.
    EXPECT_EQ(s.page.SourceDir, dir.path());
    EXPECT_NE(ReadFile(dir.file("Lumivex.prm")).find("MRS=" + dir.path() + "\r\n"), std::string::npos);
    EXPECT_EQ(s.page.OutPath, dir.file("A_conv.txt"));
    EXPECT_TRUE(s.page.OutValid);
    EXPECT_EQ(s.convPage.OutNameCaption(), "A_conv.txt");

    messages.shown.clear();
    EXPECT_FALSE(s.convPage.TakeFiles({e}, "FilesToConvert : "));
    EXPECT_FALSE(s.page.InChosen);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(Page, StandardInputIsKeptFirstAndProposesNoResult) {
    const std::string b = Src("b.txt", "x");
    EXPECT_TRUE(s.convPage.TakeFiles({b, "-"}, "Param(FilesToConv.) : ", true));
    EXPECT_EQ(s.page.InFiles, (std::vector<std::string>{"-", b}));
    EXPECT_TRUE(s.page.InChosen);
    EXPECT_FALSE(s.page.OutValid);
    EXPECT_TRUE(messages.shown.empty());
    // Without the converter's leave, "-" is a file of the current folder.
    EXPECT_FALSE(s.convPage.TakeFiles({"-"}, "FilesToConvert : "));
}

TEST(SourceError, TellsWhyAPathIsNoSourceWithoutOpeningFifos) {
    TempDir dir;
    WriteFile(dir.file("f.txt"), "x");
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0); // opening it would wait for a writer
    const std::pair<std::string, int> cases[] = {{dir.file("f.txt"), 0},     {dir.file("none.txt"), ENOENT},
                                                 {dir.path(), EISDIR},       {dir.file("fifo"), EINVAL},
                                                 {"/dev/null", EINVAL},      {dir.file("f.txt/x"), ENOTDIR}};
    for (const auto& [path, err] : cases) EXPECT_EQ(SourceError(RealPort(), path), err) << path;
}

TEST_F(Page, RelativeNamesBecomeFullPathsAndOddNamesAreLoggedEscaped) {
    const std::string odd = Src("a\tb\nc.txt", "x");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const bool taken = s.convPage.TakeFiles({"a\tb\nc.txt"}, "Param(FilesToConv.) : ");
    std::filesystem::current_path(before);
    ASSERT_TRUE(taken);
    EXPECT_EQ(s.page.InFiles, std::vector<std::string>{odd});
    EXPECT_EQ(s.page.SourceDir, dir.path());
    EXPECT_EQ(s.page.OutPath, dir.file("a\tb\nc_conv.txt"));
    EXPECT_EQ(s.log.Lines().back(), " " + dir.path() + "a\\tb\\nc.txt");
}

TEST_F(Page, ProposalRules) {
    const std::string src = Src("cours.txt", "x");
    struct Case {
        std::string ddo;
        std::optional<std::string> ext;
        std::string expected;
    };
    for (const Case& c : {Case{"_conv", std::nullopt, "cours_conv.txt"}, Case{"", ".csv", "cours.csv"},
                          Case{"-2", ".", "cours-2."}}) {
        s.params.settings.addedText = c.ddo;
        s.params.settings.resultExtension = c.ext;
        s.convPage.SetSource(src);
        EXPECT_EQ(s.page.OutPath, dir.file(c.expected)) << c.ddo << c.ext.value_or("");
    }
    // With nothing added and the source's extension kept, the proposal is the source itself:
    // it exists, so nothing is proposed and the result shows a blank on red.
    s.params.settings.addedText = "";
    s.params.settings.resultExtension = std::nullopt;
    s.convPage.SetSource(src);
    EXPECT_EQ(s.page.OutPath, "");
    EXPECT_FALSE(s.page.OutValid);
    EXPECT_EQ(s.convPage.OutNameCaption(), " ");
}

// Results beside their source ("$Q"): every proposal lies beside its own source, also one made
// without taking the source (the converter's), and the choice outlives the proposals.
TEST_F(Page, ResultsBesideTheSourceStayBesideEachSource) {
    std::filesystem::create_directories(dir.file("a"));
    std::filesystem::create_directories(dir.file("b"));
    const std::string a = Src("a/x.txt", "x"), b = Src("b/y.txt", "y");
    ASSERT_EQ(s.params.settings.resultFolder, std::nullopt);
    s.convPage.TakeFiles({a}, "FilesToConvert : ");
    EXPECT_EQ(s.page.OutPath, dir.file("a/x_conv.txt"));
    s.convPage.TakeFiles({b}, "FilesToConvert : ");
    EXPECT_EQ(s.page.OutPath, dir.file("b/y_conv.txt"));
    EXPECT_EQ(s.params.settings.resultFolder, std::nullopt);
    std::string folder;
    EXPECT_EQ(ResultPathFor(s.params, a, folder), dir.file("a/x_conv.txt"));
    // A proposal that exists is dropped: the folder shown is still the source's.
    Src("b/y_conv.txt", "old");
    s.convPage.TakeFiles({b}, "FilesToConvert : ");
    EXPECT_FALSE(s.page.OutValid);
    EXPECT_EQ(s.convPage.OutDirCaption(), ConversionPageModel::WrapPath(dir.file("b/")));
}

TEST_F(Page, ChosenResultFile) {
    const std::string src = Src("q.txt", "x");
    s.convPage.TakeFiles({src}, "FilesToConvert : ");
    s.convPage.ChooseOutPath(src);
    EXPECT_EQ(messages.shown.back(), s.lang.Text(LK::msg_filesShouldDif));
    EXPECT_FALSE(s.page.OutValid);
    EXPECT_EQ(s.page.OutPath, "");

    const std::string other = Src("sub/exists.txt", "x");
    messages.answers = {false, true};
    s.convPage.ChooseOutPath(other);
    EXPECT_FALSE(s.page.OutValid);
    s.convPage.ChooseOutPath(other);
    EXPECT_TRUE(s.page.OutValid);
    EXPECT_EQ(s.page.OutPath, other);
    // The folder of an accepted result is remembered in MRD.
    EXPECT_EQ(s.params.settings.resultFolder, dir.path() + "sub/");
    EXPECT_EQ(s.convPage.OutDirCaption(), ConversionPageModel::WrapPath(dir.path() + "sub/"));
}

TEST(WrapPath, AnInvisibleBreakAfterEverySlash) {
    EXPECT_EQ(ConversionPageModel::WrapPath("/a/b/"), "/\u200Ba/\u200Bb/\u200B");
    EXPECT_EQ(ConversionPageModel::WrapPath("x"), "x");
}

TEST_F(Page, InputPreviewReadsAnyLineEnd) {
    WriteFile(dir.file("Lumivex.fmt"), FileBanner(bkFormats) +
                                           "\r\nNOM=IN\r\nCMT=\r\nCLC=3\r\nSEP=;\r\nDEC=,\r\nIFL=0\r\n"
                                           "COL=A|N|0|0|0|\r\nCOL=B|N|0|0|0|\r\nCOL=C|N|0|0|0|\r\n");
    ASSERT_EQ(s.SelectFormat(1, "IN"), StatusCode::Ok);
    std::vector<std::vector<std::string>> rows;
    for (const std::string& content :
         {std::string("1;2;3"), std::string("\xEF\xBB\xBF" "1;2;3\n4;5;6\r7;8;9\r\n10;11;12\n")}) {
        s.convPage.TakeFiles({Src("p.txt", content)}, "FilesToConvert : ");
        ASSERT_EQ(s.convPage.FeedInPreview(s.formats, rows), 0);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "2", "3"}));
        EXPECT_EQ(s.page.AvgLineLen, 5);
    }
    ASSERT_EQ(rows.size(), 3u); // three lines at most
    EXPECT_EQ(rows[1], (std::vector<std::string>{"4", "5", "6"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"7", "8", "9"}));
}

TEST_F(Page, OutputPreviewConvertsDecimalsAndDates) {
    WriteFile(dir.file("Lumivex.fmt"),
              FileBanner(bkFormats) +
                  "\r\nNOM=IN\r\nCMT=\r\nCLC=2\r\nSEP=;\r\nDEC=,\r\nIFL=0\r\nCOL=D|/DD/MM/YY|0|0|0|\r\nCOL=V|N|0|0|0|\r\n"
                  "NOM=OUT\r\nCMT=\r\nCLC=3\r\nSEP=;\r\nDEC=.\r\nIFL=0\r\nCOL=V|N|1|0|0|\r\nCOL=X|AN|0|0|0|\r\n"
                  "COL=D|-YYYY/MM/DD|0|0|0|\r\n");
    ASSERT_EQ(s.SelectFormat(1, "IN"), StatusCode::Ok);
    ASSERT_EQ(s.SelectFormat(2, "OUT"), StatusCode::Ok);
    s.conv.SetCurrentYear(2026);
    const auto out = FeedOutPreview(s.conv, s.formats, s.log, {{"31/12/99", "1,5"}, {"31/02/99", "2"}, {"x"}});
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], (std::vector<std::string>{"1.5", "", "1999-12-31"}));
    EXPECT_EQ(out[1], (std::vector<std::string>{"2", "", "0"})); // shown as the failure value
    EXPECT_EQ(out[2], (std::vector<std::string>{"", "", "x"})); // one field: placed, not converted
}

// What the result will hold: the output's header lines, then the data lines converted, never a
// skipped leading line or an empty line shown as data.
TEST_F(Page, ResultPreviewShowsHeadersThenDataLines) {
    WriteFile(dir.file("Lumivex.fmt"),
              FileBanner(bkFormats) +
                  "\r\nNOM=IN\r\nCMT=\r\nCLC=2\r\nSEP=;\r\nDEC=,\r\nIFL=1\r\nCOL=D|/DD/MM/YY|0|0|0|\r\nCOL=V|N|0|0|0|\r\n"
                  "NOM=OUT\r\nCMT=\r\nCLC=2\r\nSEP=\t\r\nDEC=.\r\nIFL=0\r\nHDR=Cl\xF4ture\tDate\r\n"
                  "COL=V|N|0|0|0|\r\nCOL=D|-YYYY/MM/DD|0|0|0|\r\n");
    ASSERT_EQ(s.SelectFormat(1, "IN"), StatusCode::Ok);
    ASSERT_EQ(s.SelectFormat(2, "OUT"), StatusCode::Ok);
    s.conv.SetCurrentYear(2026);
    s.conv.TakeDataSettings("UTF-8", ""); // the header in the data files' encoding
    // A field that reads "#KO" is data like any other.
    const auto out =
        ResultPreview(s.conv, s.formats, s.log, {{"Date", "Ouv."}, {""}, {"31/12/99", "1,5"}, {"31/12/99", "#KO"}});
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], (std::vector<std::string>{"Cl\xC3\xB4ture", "Date"}));
    EXPECT_EQ(out[1], (std::vector<std::string>{"1.5", "1999-12-31"}));
    EXPECT_EQ(out[2], (std::vector<std::string>{"#KO", "1999-12-31"}));
}

// Quoted fields and grouping separators: the header without its quotes, the numbers grouped as
// the result writes them.
TEST_F(Page, ResultPreviewShowsQuotedFormatsAsTheResult) {
    WriteFile(dir.file("Lumivex.fmt"),
              FileBanner(bkFormats) +
                  "\r\nNOM=IN\r\nCMT=\r\nCLC=1\r\nSEP=,\r\nDEC=.\r\nIFL=0\r\nGUI=1\r\nMIL=,\r\nCOL=V|N|0|0|0|\r\n"
                  "NOM=OUT\r\nCMT=\r\nCLC=1\r\nSEP=,\r\nDEC=,\r\nIFL=0\r\nGUI=2\r\nMIL=.\r\n"
                  "HDR=\"Cl\xF4ture\"\r\nCOL=V|N|0|0|0|\r\n");
    ASSERT_EQ(s.SelectFormat(1, "IN"), StatusCode::Ok);
    ASSERT_EQ(s.SelectFormat(2, "OUT"), StatusCode::Ok);
    const auto out = ResultPreview(s.conv, s.formats, s.log, {{"1,948.50"}});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0], (std::vector<std::string>{"Cl\xF4ture"}));
    EXPECT_EQ(out[1], (std::vector<std::string>{"1.948,50"}));
}

TEST_F(Page, OutputPreviewConvertsEachDatePairWithItsLayouts) {
    WriteFile(dir.file("Lumivex.fmt"),
              FileBanner(bkFormats) +
                  "\r\nNOM=IN\r\nCMT=\r\nCLC=2\r\nSEP=;\r\nDEC=,\r\nIFL=0\r\nCOL=D1|/DD/MM/YYYY|0|0|0|\r\n"
                  "COL=D2|-YYYY/MM/DD|0|0|0|\r\n"
                  "NOM=OUT\r\nCMT=\r\nCLC=2\r\nSEP=;\r\nDEC=,\r\nIFL=0\r\nCOL=D2|/MM/DD/YYYY|0|0|0|\r\n"
                  "COL=D1|-YYYY/MM/DD|0|0|0|\r\n");
    ASSERT_EQ(s.SelectFormat(1, "IN"), StatusCode::Ok);
    ASSERT_EQ(s.SelectFormat(2, "OUT"), StatusCode::Ok);
    const auto out = FeedOutPreview(s.conv, s.formats, s.log, {{"31/12/2005", "2005-12-31"}});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], (std::vector<std::string>{"12/31/2005", "2005-12-31"}));
}

} // namespace
} // namespace lmx::test
