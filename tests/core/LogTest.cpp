#include "common/Basics.h"
#include "core/Log.h"
#include "support/FaultyPort.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace lmx;
using namespace lmx::test;

namespace {

class FakeNames : public ILocaleNames {
public:
    std::string LongDayName(int d) const override {
        static const char* const names[] = {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"};
        return d >= 0 && d < 7 ? names[d] : "";
    }
    std::string LongMonthName(int m) const override {
        static const char* const names[] = {"janvier", "f\xE9vrier", "mars", "avril", "mai", "juin", "juillet",
                                            "ao\xFBt", "septembre", "octobre", "novembre", "d\xE9" "cembre"};
        return m >= 1 && m <= 12 ? names[m - 1] : "";
    }
};

std::tm At(int year, int month1, int day, int wday, int h, int m, int s) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month1 - 1;
    t.tm_mday = day;
    t.tm_wday = wday;
    t.tm_hour = h;
    t.tm_min = m;
    t.tm_sec = s;
    return t;
}

class Recorder : public ILogObserver {
public:
    void LinesAppended(std::size_t firstNew) override { appended.push_back(firstNew); }
    void Cleared() override { ++cleared; }
    std::vector<std::size_t> appended;
    int cleared = 0;
};

class LogT : public ::testing::Test {
protected:
    LogT() {
        log.SetLocaleNames(&names);
        std::tm at = At(2024, 2, 6, 2, 9, 5, 3);
        at.tm_isdst = -1;
        port.wallTime = std::chrono::system_clock::from_time_t(std::mktime(&at));
        log.LogFileName = dir.file("LumivexLog.txt");
    }
    TempDir dir;
    ChosenFormats formats;
    RecordingMessages messages;
    FakeNames names;
    FaultyPort port;
    Log log{formats, messages, port};
};

using Lines = std::vector<std::string>;

TEST_F(LogT, BeginBanner) {
    log.LogWrite(lkBegin, "ignored");
    EXPECT_EQ(log.Lines(), (Lines{"************  Lumivex : BEGIN LOG  ************",
                                  "START    mardi 06 f\xE9vrier 2024  09:05:03", "Version  " + ProgramVersion(), " "}));
}

TEST_F(LogT, BannerDateLayout) {
    EXPECT_EQ(Log::BannerDate(At(1999, 12, 31, 5, 23, 59, 58), names), "vendredi 31 d\xE9" "cembre 1999  23:59:58");
    EXPECT_EQ(Log::BannerDate(At(2025, 8, 1, 0, 0, 0, 0), names), "dimanche 01 ao\xFBt 2025  00:00:00");
}

TEST_F(LogT, FramedLine) {
    log.LogWrite(lkBox, "abc");
    EXPECT_EQ(log.Lines(), (Lines{"", "!!!!!!!!!", "!  abc  !", "!!!!!!!!!"}));
    log.Clear();
    log.LogWrite(lkBox, "");
    EXPECT_EQ(log.Lines(), (Lines{"", "!!!!!!", "!    !", "!!!!!!"}));
}

TEST_F(LogT, FormatDescriptions) {
    Format& in = formats.Input.emplace();
    in.name = "IN";
    in.comment = "quotes";
    in.countText = "7";
    in.colSep = ";";
    in.decSep = ",";
    in.skipText = "1";
    formats.Output = in;
    formats.Output->name = "OUT";
    formats.Output->comment = "";
    log.LogWrite(lkInFmt);
    log.LogWrite(lkOutFmt);
    EXPECT_EQ(log.Lines(), (Lines{" ", "INFILE description :", " Name     >IN< (quotes)",
                                  " ColCount >7<  |  ColSep >;<  |  DecSep >,<", " JmpLines >1<  |  HdrLn  >0<",
                                  " ", "OUTFILE description :", " Name     >OUT< ()",
                                  " ColCount >7<  |  ColSep >;<  |  DecSep >,<", " JmpLines >1<  |  HdrLn  >0<"}));
}

TEST_F(LogT, InvalidFormatDescriptions) {
    log.LogWrite(lkInFmt);
    log.LogWrite(lkOutFmt);
    EXPECT_EQ(log.Lines(), (Lines{" ", "INFILE  description : INVALID (inFmt_state(Ko)).", " ",
                                  "#Display(FMT(OUT)) Ko : OutFmtState(Ko)"}));
}

TEST_F(LogT, PartsAndBadKinds) {
    log.LogWrite(lkPart, "   Begin -- File(1)");
    log.LogWrite(lkLine, "between");
    log.LogWrite(lkEnd, " (Eng. Global)");
    log.LogWrite(13, "x");
    log.LogWrite(99, "");
    EXPECT_EQ(log.Lines(), (Lines{"between", "   Begin -- File(1) (Eng. Global)", "#LOG(CALL) BadArg : x",
                                  "#LOG(CALL) BadArg : "}));
    EXPECT_EQ(log.LogPending, "");
}

TEST_F(LogT, ObserverHearsOncePerCall) {
    Recorder rec;
    log.SetObserver(&rec);
    log.LogWrite(lkLine, "a");
    log.LogWrite(lkPart, "b");
    log.LogWrite(lkBox, "c");
    log.LogWrite(lkBegin);
    log.Clear();
    EXPECT_EQ(rec.appended, (std::vector<std::size_t>{0, 1, 5}));
    EXPECT_EQ(rec.cleared, 1);
}

TEST_F(LogT, SaveTwiceWritesTheSameFile) {
    log.LogWrite(lkLine, "one");
    log.LogWrite(lkLine, "caf\xE9");
    const std::string expected = "one\r\ncaf\xE9\r\n\r\n \r\n************  Lumivex :  END  LOG  ************\r\n";
    log.LogWrite(lkSave);
    EXPECT_EQ(ReadFile(log.LogFileName), expected);
    log.LogWrite(lkSave);
    EXPECT_EQ(ReadFile(log.LogFileName), expected);
    EXPECT_EQ(messages.shown, (Lines(2, "Log saved (" + log.LogFileName + ")")));
    EXPECT_EQ(log.Lines().size(), 2u); // saving adds nothing to the view
}

TEST_F(LogT, PathLinesKnowWhereTheirPathStands) {
    log.LogWrite(lkLine, "FilesToConvert : 1");
    log.LogPathLine(" ", "/donn\xC3\xA9" "es/a.txt");
    EXPECT_EQ(log.Lines().back(), " /donn\xC3\xA9" "es/a.txt");
    EXPECT_EQ(log.PathsOf(0), std::vector<PathSpan>{});
    EXPECT_EQ(log.PathsOf(1), (std::vector<PathSpan>{{1, 15}}));
    log.Clear();
    log.LogWrite(lkLine, "x");
    EXPECT_EQ(log.PathsOf(0), std::vector<PathSpan>{}) << "cleared with the lines";
    std::string error;
    const int r = log.Save(error);
    EXPECT_EQ(log.SaveMessage(r, error).Paths(), (std::vector<PathSpan>{{11, log.LogFileName.size()}}));
}

TEST_F(LogT, SaveAfterClear) {
    log.LogWrite(lkLine, "gone");
    log.Clear();
    std::string error;
    EXPECT_EQ(log.Save(error), 0);
    EXPECT_EQ(error, "");
    EXPECT_EQ(ReadFile(log.LogFileName), "\r\n \r\n************  Lumivex :  END  LOG  ************\r\n");
}

TEST_F(LogT, FullDiskIsReported) {
    if (!Exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    log.LogFileName = "/dev/full";
    log.LogWrite(lkLine, "x");
    std::string error;
    EXPECT_EQ(log.Save(error), -1);
    EXPECT_NE(error.find("/dev/full"), std::string::npos);
    EXPECT_GT(error.size(), std::string("/dev/full : ").size());
    log.LogWrite(lkSave);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], error);
}

TEST_F(LogT, UncreatableFileIsReported) {
    log.LogFileName = dir.file("missing/LumivexLog.txt");
    log.LogWrite(lkSave);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].rfind(log.LogFileName + " : ", 0), 0u);
    EXPECT_FALSE(Exists(log.LogFileName));
}

TEST(LocaleNames, ClassicNamesAndFallback) {
    const StdLocaleNames classic("C");
    EXPECT_EQ(classic.LongDayName(0), "Sunday");
    EXPECT_EQ(classic.LongDayName(6), "Saturday");
    EXPECT_EQ(classic.LongMonthName(1), "January");
    EXPECT_EQ(classic.LongMonthName(12), "December");
    EXPECT_EQ(classic.LongDayName(7), "");
    EXPECT_EQ(classic.LongMonthName(0), "");

    const StdLocaleNames bogus("xx_NOWHERE.bogus");
    EXPECT_EQ(bogus.LongMonthName(3), "March");

    const StdLocaleNames user; // whatever the user has: a name, never a failure
    EXPECT_FALSE(user.LongMonthName(5).empty());
}

} // namespace

namespace {

TEST(LocaleNames, FrenchNamesInWindows1252WhenTheSystemHasThem) {
    try {
        std::locale probe("fr_FR.UTF-8");
    } catch (...) {
        GTEST_SKIP() << "no French UTF-8 locale on this system";
    }
    const lmx::StdLocaleNames fr("fr_FR.UTF-8");
    EXPECT_EQ(fr.LongMonthName(2), "f\xE9vrier");
    EXPECT_EQ(fr.LongDayName(2), "mardi");
}

} // namespace
