#include "core/FormatCheck.h"
#include "core/FormatReport.h"
#include "model/Session.h"
#include "env/LangTexts.h"
#include "FmtTestFiles.h"

#include <gtest/gtest.h>

using namespace lmx;
using namespace lmx::test;

namespace {

struct ProblemCase {
    std::vector<std::string> lines; // the banner's seven lines come first
    StatusCode code;
    std::string problem;
};

class LoadProblems : public ::testing::TestWithParam<ProblemCase> {};

// The reader says where it stopped: line numbers count the banner, column numbers the COL lines.
TEST_P(LoadProblems, NameTheLineAndField) {
    TempDir dir;
    WriteFile(dir.file("Lumivex.fmt"), FmtFileText(GetParam().lines));
    ChosenFormats state;
    LangTexts lang;
    RecordingMessages messages;
    FmtFile file(state, lang, messages);
    file.FmtFileName = dir.file("Lumivex.fmt");
    const StatusCode code = file.FmtLoadDescription(flmReadOnly, "X").code;
    EXPECT_EQ(code, GetParam().code);
    LangTexts english;
    ASSERT_EQ(english.LangLoad("English", LUMIVEX_SOURCE_DIR "/examples/Lumivex.lng"), StatusCode::Ok);
    EXPECT_EQ(FmtLoadProblem("X", code, file.LastFault(), english), GetParam().problem);
    if (code == StatusCode::FmtBadDescr) { // in the language in use, French by default
        EXPECT_EQ(FmtLoadProblem("X", code, file.LastFault(), lang),
                  "code -2, une ligne descriptive (CMT, CLC, SEP, DEC, IFL) manque, n'est pas \xE0 sa place ou a une "
                  "mauvaise valeur: la ligne 10 devrait \xEAtre CLC= et un nombre entier sup\xE9rieur \xE0 0, c'est \"CLC=0\"");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, LoadProblems,
    ::testing::Values(
        ProblemCase{Block("X", "2", {"COL=A|N|0|0|0|", "COL=D|/dd/mm/yyyy|0|1|0|"}), StatusCode::FmtBadColumn,
                    "code -790, a COL line is malformed: line 15 (column 2): field 2 (type) "
                    "\"/dd/mm/yyyy\" is not N, NK, N%, NK%, AN, A, nor a date separator followed by one of the date "
                    "layouts (YY/MM/DD, YYYY/MM/DD, YYMMDD, YYYYMMDD, YY/DD/MM, YYYY/DD/MM, DD/MM/YY, DD/MM/YYYY, "
                    "MM/DD/YY, MM/DD/YYYY, DD/MMM/YYYY, MMM DD, YYYY)"},
        ProblemCase{Block("X", "1", {"COL=P|N|0|0|1|"}), StatusCode::FmtBadColumn,
                    "code -790, a COL line is malformed: line 14 (column 1): field 6 (prefix or "
                    "suffix text) is empty while field 5 asks for one"},
        ProblemCase{Block("X", "0", {"COL=A|N|0|0|0|"}), StatusCode::FmtBadDescr,
                    "code -2, a descriptive line (CMT, CLC, SEP, DEC, IFL) is missing, out of order or "
                    "has a bad value: line 10 should be CLC= and a whole number greater than 0, it is \"CLC=0\""},
        ProblemCase{{"NOM=X", "CMT=c", "CLC=1"}, StatusCode::FmtColCountDiffers,
                    "code -3, the number of COL lines differs from CLC: the file ends after line 10, "
                    "where SEP= was expected; CLC=1 but the block has 0 COL line(s)"},
        ProblemCase{{"NOM=Y", "NOM=X"}, StatusCode::FmtEmptyName,
                    "code -1, the file ends inside the block's descriptive lines (NOM, CMT, CLC, SEP, DEC, IFL), "
                    "or no format name was given: the file ends after line 9, where CMT= was expected"},
        ProblemCase{Join({Block("X", "3", {"COL=A|N|0|0|0|"}), {"NOM=Y"}}), StatusCode::FmtColCountDiffers,
                    "code -3, the number of COL lines differs from CLC: CLC=3 but the block has 1 COL "
                    "line(s)"}));

// A file of four formats: one clean, one the editor refuses, one with an information only, one
// that does not load, the clean one given twice.
TEST(FmtReport, ChecksEveryFormatOnce) {
    TempDir dir;
    WriteFile(dir.file("Lumivex.fmt"),
              FmtFileText(Join({Block("OK", "1", {"COL=A|N|0|0|0|"}),
                                Block("SEPS", "2", {"COL=D|;DD/MM/YY|0|0|0|", "COL=E|,YY/MM/DD|0|0|0|"}),
                                {"NOM=SKIP", "CMT=c", "CLC=1", "SEP=;", "DEC=,", "IFL=1", "COL=A|N|0|0|0|"},
                                Block("BAD", "1", {"COL=A|Z|0|0|0|"}), Block("OK", "1", {"COL=B|N|0|0|0|"})})));
    const LangTexts lang;
    const FmtFileReport r = CheckFormatFile(dir.file("Lumivex.fmt"), lang);
    ASSERT_EQ(r.list, StatusCode::Ok);
    ASSERT_EQ(r.formats.size(), 4u);
    EXPECT_EQ(r.PassedCount(), 2u);
    EXPECT_FALSE(r.AllPassed());

    const FmtCheck& bad = r.formats[0];
    EXPECT_EQ(bad.name, "BAD");
    EXPECT_EQ(bad.status, StatusCode::FmtBadColumn);
    EXPECT_FALSE(bad.passed);
    EXPECT_TRUE(bad.messages.empty());

    const FmtCheck& ok = r.formats[1];
    EXPECT_TRUE(ok.passed);
    EXPECT_EQ(ok.notes, (std::vector<std::string>{"2 blocs portent ce nom : seul le premier est charg\xE9"}));

    const FmtCheck& seps = r.formats[2];
    EXPECT_FALSE(seps.passed);
    const std::string err = lang.Text(LK::itm_error) + " ";
    EXPECT_EQ(seps.messages, (std::vector<std::string>{
                                 err + lang.Format(LK::err_fmtDInvalid, {"1", "D"}),
                                 std::string(kDetailLabel) + " " + lang.Text(LK::err_fmtDDtColSep),
                                 err + lang.Format(LK::err_fmtDInvalid, {"2", "E"}),
                                 std::string(kDetailLabel) + " " + lang.Text(LK::err_fmtDDtDecSep)}));

    const FmtCheck& skip = r.formats[3];
    EXPECT_TRUE(skip.passed);
    EXPECT_EQ(skip.messages, (std::vector<std::string>{lang.Text(LK::itm_info) + " " + lang.Text(LK::err_fmtDIgnAdd)}));
}

TEST(FmtReport, DescriptionIsTheLogLinesThenOneLinePerColumn) {
    const Format f = FormatOf("Q", ";", ",", {"DATE|/DD/MM/YYYY|0|1|0|", "TICKER|AN|1|0|1|FR:", "DAY|0YYYYMMDD|2|2|2|Z"},
                              "quotes", "1", {"h"});
    EXPECT_EQ(FormatDescription(f),
              (std::vector<std::string>{
                  " Name     >Q< (quotes)", " ColCount >3<  |  ColSep >;<  |  DecSep >,<", " JmpLines >1<  |  HdrLn  >1<",
                  " Col(1)   >DATE<  |  Type >DD/MM/YYYY<  |  DtSep >/<  |  Control >always<  |  Case >as is<  |  "
                  "Prefix/Suffix >none<",
                  " Col(2)   >TICKER<  |  Type >AN<  |  DtSep ><  |  Control >never<  |  Case >upper<  |  Prefix >FR:<",
                  " Col(3)   >DAY<  |  Type >YYYYMMDD<  |  DtSep >0<  |  Control >if not empty<  |  Case >lower<  |  "
                  "Suffix >Z<"}));
}

} // namespace

namespace {

class NoTrash final : public ITrash {
public:
    bool MoveToTrash(const std::string&) override { return false; }
};

// A format cut off in its descriptive lines is told to the user when chosen, not taken for "nothing chosen".
TEST(FmtReport, CutOffFormatIsToldWhenChosen) {
    TempDir dir;
    WriteFile(dir.file("Lumivex.fmt"), FmtFileText({"NOM=CUT", "CMT=c"}));
    RecordingMessages messages;
    NoTrash trash;
    Session s(messages, trash);
    s.SetProgramDir(dir.path());
    s.params.ReadOnly = true;
    EXPECT_EQ(s.ChooseFormat(flmInput, "CUT"), StatusCode::FmtEmptyName);
    EXPECT_EQ(s.ChooseFormat(flmInput, ""), StatusCode::FmtEmptyName);
    EXPECT_EQ(messages.shown, (std::vector<std::string>{s.lang.Text(LK::err_fmtInfile) + s.lang.Format(LK::err_fmtRC, {"-1"})}));
}

} // namespace
