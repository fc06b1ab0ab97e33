#pragma once
// Generated source lines and the check of the engines' direct line conversion against the slot
// pipeline: same bytes, same line-error codes, same moment of a failed write.
#include "EngineRig.h"
#include "core/DirectLine.h"
#include "core/SlotLine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace lmx::test {

inline const std::vector<std::string> kLayouts{"YY/MM/DD",   "YYYY/MM/DD", "YYMMDD",   "YYYYMMDD",   "YY/DD/MM",
                                               "YYYY/DD/MM", "DD/MM/YY",   "DD/MM/YYYY", "MM/DD/YY", "MM/DD/YYYY"};

// A value shaped like the layout (digits where it has Y, M, D), sometimes a valid date, sometimes
// a byte off or a length off.
inline std::string DateLike(std::mt19937& rng, const std::string& layout) {
    std::string v;
    const int day = static_cast<int>(rng() % 31) + 1, month = static_cast<int>(rng() % 13), year = static_cast<int>(rng() % 100);
    int yi = 0, mi = 0, di = 0;
    const std::string y4 = std::to_string(1990 + year % 40), y2 = (year < 10 ? "0" : "") + std::to_string(year);
    const std::string mm = (month < 10 ? "0" : "") + std::to_string(month), dd = (day < 10 ? "0" : "") + std::to_string(day);
    const bool longYear = layout.find("YYYY") != std::string::npos;
    for (const char c : layout) {
        if (c == 'Y') v += (longYear ? y4 : y2)[static_cast<std::size_t>(yi++)];
        else if (c == 'M') v += mm[static_cast<std::size_t>(mi++)];
        else if (c == 'D') v += dd[static_cast<std::size_t>(di++)];
        else v += "/-.,"[rng() % 4];
    }
    switch (rng() % 8) {
    case 0: v.pop_back(); break;
    case 1: v += '1'; break;
    case 2: v[rng() % v.size()] = 'x'; break;
    default: break;
    }
    return v;
}

// Bytes that matter to some configuration: separators, decimal separators, letters, high bytes,
// a CR alone.
inline std::string RandomField(std::mt19937& rng, const std::string& inLayout) {
    static const std::string kBytes = std::string("0123456789,.;:/-\t |aAzZeE\r\x80\xE9\xFF") + '\0';
    if (rng() % 3 == 0) return DateLike(rng, inLayout);
    std::string f;
    const std::size_t len = rng() % 14;
    for (std::size_t i = 0; i < len; ++i) f += kBytes[rng() % kBytes.size()];
    return f;
}

inline std::string Digits(std::mt19937& rng, std::size_t most) {
    std::string d;
    for (std::size_t n = rng() % most + 1; n > 0; --n) d += static_cast<char>('0' + rng() % 10);
    return d;
}

// Half the lines look like quotes (a date in every date column of the format, else a ticker, four
// prices with the format's decimal separator, a volume), the others are noise; either may have a
// field too few or too many. inLayout shapes the dates of the noise.
inline std::string RandomLine(std::mt19937& rng, const Format& in, const std::string& inLayout) {
    static const int kDelta[] = {-1, 0, 0, 0, 0, 0, 1};
    const int columns = static_cast<int>(in.columns.size());
    const int fields = columns + kDelta[rng() % 7];
    const bool quote = rng() % 2 == 0;
    const std::string& sep = in.colSep;
    const std::string dec = in.decSep.size() == 1 && in.decSep != sep ? in.decSep : ",";
    std::string line;
    for (int i = 0; i < fields; ++i) {
        if (i > 0) line += sep;
        const auto col = static_cast<std::size_t>(i);
        const bool date = i < columns && in.columns[col].IsDate();
        const std::string layout = date ? in.columns[col].dateLayout : inLayout;
        if (!quote) line += RandomField(rng, layout);
        else if (date) line += DateLike(rng, layout);
        else if (i == 1) {
            // A ticker, sometimes a number or a name that holds the decimal separator.
            const unsigned t = rng() % 6;
            if (t == 0) line += "-" + Digits(rng, 3) + dec + Digits(rng, 2);
            else if (t == 1) line += "MC" + dec + "PA";
            else line += std::string("AbcXyz\xE9").substr(rng() % 4, rng() % 5);
        }
        else if (i >= 2 && i < 6) line += Digits(rng, 3) + dec + Digits(rng, 2);
        else if (i == 6) line += Digits(rng, 7);
        else line += RandomField(rng, layout);
    }
    return line;
}

struct Pair {
    std::string name;
    Format in, out;
    std::string inDate, outDate; // the remembered pairs: the last date column of each format
};

inline std::ostream& operator<<(std::ostream& os, const Pair& p) { return os << p.name; }

// 3000 generated lines through both forms; returns the lines written and rejected by the reference.
inline void ExpectSameAsSlots(const Pair& c, bool someWritten, int* writtenOut = nullptr, int* rejectedOut = nullptr) {
    EngineRig rig;
    rig.Use(c.in, c.out);
    const EngineCodeValue code = rig.Engine();
    ASSERT_NE(code, ecNone);
    DirectLine direct;
    ASSERT_TRUE(direct.Prepare(rig.conv, code));
    SlotLine slots(rig.conv);
    ASSERT_TRUE(slots.Prepare(code));

    // A small buffer: lines go straight into it or, near its end, through the line's own buffer.
    FileWriter file(64);
    const std::string path = rig.dir.file("direct.txt");
    ASSERT_TRUE(file.Create(path));
    StringSink reference;
    std::mt19937 rng(20240101);
    int written = 0, rejected = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::string line = RandomLine(rng, c.in, c.inDate.substr(1));
        const int expected = slots.Convert(line, reference);
        ASSERT_EQ(direct.Convert(line, file), expected) << c.name << " line " << i;
        (expected == leOk ? written : rejected)++;
    }
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadFile(path), reference.data);
    EXPECT_GT(rejected, 300);
    if (someWritten) {
        EXPECT_GT(written, 100);
    }
    if (writtenOut) *writtenOut = written;
    if (rejectedOut) *rejectedOut = rejected;
}

// Quotes and, among them, the generated lines, as one file with every kind of line end, empty
// lines and a byte-order mark, through the engine's loop (which takes plain records many at a time) against the slots
// line by line: the same result and counts. Small buffers, so that chunks meet the ends of both.
// A quote as its format writes it: dates in their layout, a ticker, prices, volumes.
inline std::string QuoteLine(std::mt19937& rng, const Format& in) {
    const std::string dec = in.decSep.size() == 1 && in.decSep != in.colSep ? in.decSep : ",";
    std::string line;
    for (std::size_t i = 0; i < in.columns.size(); ++i) {
        if (i > 0) line += in.colSep;
        const Column& col = in.columns[i];
        if (col.IsDate()) {
            for (const char ch : col.dateLayout)
                line += ch == 'Y' || ch == 'M' || ch == 'D' ? std::string(1, static_cast<char>('0' + rng() % 10)) : col.dateSep;
        } else if (i == 1) {
            line += std::string("AbcXyz").substr(rng() % 3, rng() % 4 + 1);
        } else {
            line += Digits(rng, 3) + dec + Digits(rng, 2);
        }
    }
    return line;
}

inline void ExpectRunSameAsSlots(const Pair& c, bool lfOnly) {
    EngineRig rig;
    rig.Use(c.in, c.out);
    rig.conv.TakeDataSettings("Windows-1252", lfOnly ? "LF" : "CRLF");
    const EngineCodeValue code = rig.Engine();
    ASSERT_NE(code, ecNone);
    static const char* const kEnds[] = {"\r\n", "\r\n", "\r\n", "\r\n", "\r\n", "\r\n", "\r\n", "\n", "\n", "\r", "\r\n\r\n"};
    std::mt19937 rng(20240102);
    std::string source = "\xEF\xBB\xBF";
    for (int i = 0; i < 3000; ++i) {
        const std::string line = rng() % 8 == 0 ? RandomLine(rng, c.in, c.inDate.substr(1)) : QuoteLine(rng, c.in);
        source += line + kEnds[rng() % 11];
    }
    const std::string src = rig.dir.file("run.txt");
    WriteFile(src, source);

    SlotLine slots(rig.conv);
    ASSERT_TRUE(slots.Prepare(code));
    StringSink reference;
    int64_t read = 0, rejected = 0;
    LineReader lines;
    ASSERT_TRUE(lines.Open(src));
    std::string_view line;
    while (lines.Next(line)) {
        if (line.empty()) continue;
        ++read;
        if (slots.Convert(line, reference) != leOk) ++rejected;
    }

    LineReader in(4096);
    ASSERT_TRUE(in.Open(src));
    FileWriter out(8192);
    const std::string result = rig.dir.file("result.txt");
    ASSERT_TRUE(out.Create(result));
    rig.run.SourcePath = src;
    EngineRunner runner(rig.conv, rig.run, rig.errors, rig.log, *rig.hook);
    ASSERT_EQ(runner.RunEngine(code, in, out), 0);
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(ReadFile(result), reference.data) << c.name;
    EXPECT_EQ(rig.run.LinesRead, read);
    EXPECT_EQ(rig.run.RejectedTotal, rejected);
}

} // namespace lmx::test
