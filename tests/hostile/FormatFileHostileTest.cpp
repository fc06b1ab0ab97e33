// The format file holding what no editor would write: huge counts, huge lines, a huge number of
// formats, NUL and high bytes everywhere. The readers answer their codes and touch nothing.
#include "HostileSupport.h"

#include <chrono>

namespace lmx::test {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct CountCase {
    const char* what;
    std::vector<std::string> block;
    StatusCode expected;
};

TEST(HostileFormatFile, HugeCountsGiveTheirCodesAndChangeNothing) {
    const CountCase cases[] = {
        {"CLC int32 max, two COL lines", {"NOM=IN", "CMT=c", "CLC=2147483647", "SEP=;", "DEC=,", "IFL=0",
                                          "COL=A|AN|0|0|0|", "COL=B|N|0|0|0|"}, StatusCode::FmtColCountDiffers},
        {"CLC int32 max, next block follows", {"NOM=IN", "CMT=c", "CLC=2147483647", "SEP=;", "DEC=,", "IFL=0",
                                               "COL=A|AN|0|0|0|", "NOM=OTHER"}, StatusCode::FmtColCountDiffers},
        {"CLC beyond int32", {"NOM=IN", "CMT=c", "CLC=99999999999", "SEP=;", "DEC=,", "IFL=0",
                              "COL=A|AN|0|0|0|"}, StatusCode::FmtBadDescr},
        {"IFL int32 max", {"NOM=IN", "CMT=c", "CLC=1", "SEP=;", "DEC=,", "IFL=2147483647", "COL=A|AN|0|0|0|"}, StatusCode::Ok},
        {"IFL beyond int32", {"NOM=IN", "CMT=c", "CLC=1", "SEP=;", "DEC=,", "IFL=99999999999",
                              "COL=A|AN|0|0|0|"}, StatusCode::FmtBadDescr},
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(c.what);
        SessionRig rig(FormatFile({c.block}));
        const auto before = Snapshot(rig.dir.path());
        EXPECT_EQ(rig.s.fmtFile.FmtLoadList(), StatusCode::Ok);
        EXPECT_EQ(rig.s.fmtFile.FmtLoadDescription(flmInput, "IN"), c.expected);
        EXPECT_EQ(rig.s.SelectFormat(flmInput, "IN"), c.expected);
        EXPECT_EQ(rig.s.formats.Input.has_value(), c.expected == StatusCode::Ok);
        EXPECT_EQ(Snapshot(rig.dir.path()), before);
    }
}

TEST(HostileFormatFile, LeadingLinesOfInt32MaxSkipTheWholeSource) {
    SessionRig rig(FormatFile({InBlock("2147483647"), OutBlock()}));
    ASSERT_TRUE(rig.Select());
    const std::string src = rig.dir.file("src/q.txt");
    WriteFile(src, CrLf({"a;1,5", "b;2"}));
    const auto before = Snapshot(rig.dir.path());
    EXPECT_EQ(rig.Run({src}, rig.dir.file("out.txt")), StatusCode::Ok);
    EXPECT_EQ(ReadFile(rig.dir.file("out.txt")), "a,b\r\n");
    EXPECT_EQ(rig.s.run.LinesRead, 0);
    auto after = Snapshot(rig.dir.path());
    EXPECT_EQ(after.erase("out.txt"), 1u);
    EXPECT_EQ(after, before);
}

TEST(HostileFormatFile, ColumnLineOfTenMegabytes) {
    const std::string name(10u << 20, 'N');
    SessionRig rig(FormatFile({{"NOM=IN", "CMT=c", "CLC=1", "SEP=;", "DEC=,", "IFL=0", "COL=" + name + "|AN|0|0|0|"}}));
    const auto before = Snapshot(rig.dir.path());
    ASSERT_EQ(rig.s.fmtFile.FmtLoadList(), StatusCode::Ok);
    ASSERT_EQ(rig.s.formats.Catalogue.ColumnNames.size(), 1u);
    EXPECT_EQ(rig.s.formats.Catalogue.ColumnNames[0].size(), name.size());
    ASSERT_EQ(rig.s.fmtFile.FmtLoadDescription(flmInput, "IN"), StatusCode::Ok);
    EXPECT_EQ(rig.s.formats.Input->columns.at(0).name, name);
    EXPECT_EQ(rig.s.formats.Input->columns.at(0).TypeText(), "AN");
    EXPECT_EQ(Snapshot(rig.dir.path()), before);
}

TEST(HostileFormatFile, HundredThousandFormatsListQuickly) {
    constexpr int kCount = 100000;
    std::string text = FileBanner(bkFormats) + "\r\n";
    text.reserve(kCount * 90);
    for (int i = kCount - 1; i >= 0; --i) {
        text += "NOM=F" + std::to_string(i) + "\r\nCMT=c\r\nCLC=1\r\nSEP=;\r\nDEC=,\r\nIFL=0\r\nCOL=C" +
                std::to_string(i) + "|N|0|0|0|\r\n";
    }
    SessionRig rig(text);
    const auto before = Snapshot(rig.dir.path());
    const auto start = Clock::now();
    EXPECT_EQ(rig.s.fmtFile.FmtLoadList(), StatusCode::Ok);
    const double listSeconds = SecondsSince(start);
    EXPECT_EQ(static_cast<int>(rig.s.formats.Catalogue.FormatNames.size()), kCount);
    EXPECT_EQ(static_cast<int>(rig.s.formats.Catalogue.ColumnNames.size()), kCount);
    EXPECT_EQ(rig.s.formats.Catalogue.FormatNames.front(), "F0");
    EXPECT_EQ(rig.s.formats.Catalogue.FormatNames.back(), "F99999");
    // Sanitizer builds are several times slower; still far from the seconds a user would notice.
    EXPECT_LT(listSeconds, 2.0);
    // The last block of the file is found by a load as well (F0 is written last).
    EXPECT_EQ(rig.s.fmtFile.FmtLoadDescription(flmInput, "F0"), StatusCode::Ok);
    EXPECT_EQ(rig.s.formats.Input->columns.at(0).name, "C0");
    EXPECT_EQ(Snapshot(rig.dir.path()), before);
}

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

TEST(HostileFormatFile, NulAndHighBytesInEveryFieldAreKeptAndConverted) {
    const std::string nul(1, '\0');
    const std::string inName = "I" + nul + Bytes({0x80, 0xFF});
    const std::string outName = "O" + nul + Bytes({0xE9});
    const std::string colA = "A" + nul + Bytes({0x81});
    const std::string colB = Bytes({0xFE}) + nul;
    const std::vector<std::string> in{"NOM=" + inName, "CMT=" + nul + Bytes({0x9F}), "CLC=1" , "SEP=" + nul,
                                      "DEC=" + Bytes({0x80}), "IFL=0"};
    std::vector<std::string> inBlock = in;
    inBlock[2] = "CLC=2";
    inBlock.push_back("COL=" + colA + "|AN|0|0|0|");
    inBlock.push_back("COL=" + colB + "|N|0|0|0|");
    const std::vector<std::string> outBlock{"NOM=" + outName, "CMT=" + Bytes({0xFF}), "CLC=2", "SEP=" + Bytes({0xFF}),
                                            "DEC=" + nul, "IFL=0", "HDR=" + nul + Bytes({0xFF}),
                                            "COL=" + colA + "|AN|0|0|0|", "COL=" + colB + "|N|0|0|0|"};
    SessionRig rig(FormatFile({inBlock, outBlock}));
    ASSERT_EQ(rig.s.fmtFile.FmtLoadList(), StatusCode::Ok);
    EXPECT_EQ(rig.s.formats.Catalogue.FormatNames, (std::vector<std::string>{inName, outName}));
    EXPECT_EQ(rig.s.formats.Catalogue.ColumnNames, (std::vector<std::string>{colA, colB, colA, colB}));
    ASSERT_EQ(rig.s.SelectFormat(flmInput, inName), StatusCode::Ok);
    ASSERT_EQ(rig.s.SelectFormat(flmOutput, outName), StatusCode::Ok);
    EXPECT_EQ(rig.s.formats.Input->colSep, nul);
    EXPECT_EQ(rig.s.formats.Input->comment, nul + Bytes({0x9F}));
    EXPECT_EQ(rig.s.formats.Output->decSep, nul);
    // A name that differs only after its NUL byte is another format.
    EXPECT_EQ(rig.s.fmtFile.FmtLoadDescription(flmReadOnly, "I" + nul + "x"), StatusCode::FmtNotFound);

    const std::string src = rig.dir.file("q.txt");
    // A field holding the output separator (0xFF) would give a line of three columns: rejected.
    WriteFile(src, Bytes({0xC0, 0xFE}) + nul + "1" + Bytes({0x80}) + "2\r\n" + "x" + nul + "y" + nul + "z\r\n" +
                       Bytes({0xC0, 0xFF}) + nul + "3\r\n");
    const auto before = Snapshot(rig.dir.path());
    rig.s.params.settings.encoding = DataEncoding::Windows1252; // the header as the format holds it
    EXPECT_EQ(rig.Run({src}, rig.dir.file("out.txt")), StatusCode::Ok);
    EXPECT_EQ(ReadFile(rig.dir.file("out.txt")),
              nul + Bytes({0xFF}) + "\r\n" + Bytes({0xC0, 0xFE, 0xFF}) + "1" + nul + "2\r\n");
    EXPECT_EQ(rig.s.run.LinesRead, 3);
    EXPECT_EQ(rig.s.run.RejectedTotal, 2); // three fields where two are expected; the separator in a field
    auto after = Snapshot(rig.dir.path());
    after.erase("out.txt");
    EXPECT_EQ(after, before);
}

} // namespace
} // namespace lmx::test
