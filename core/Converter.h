#pragma once
// The rules of a conversion, prepared once per run and then only read: how the two formats read and
// write their fields, the decimal separator, dates, type control, case, prefix and suffix. The
// buffers of the line being converted belong to the line converters (SlotLine, DirectLine), so
// that several may read one Converter. The in-place forms reuse the caller's strings, so that a
// warm run allocates nothing per line; the text-returning forms serve the preview and the tests.
#include "core/ConversionPlan.h"
#include "core/LineError.h"
#include "core/OutputSink.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

// What TypeControl checks a value against, from the output column's type.
enum ControlKind : int { ckAnyText = 0, ckNumber = 1, ckDateChars = 2 };

// One date rewrite: from an input layout to an output layout and separator.
struct DateConvValues {
    std::string InFmt;
    bool InShortYear = false;
    bool CutYear = false;
    bool WidenYear = false;
    int32_t Order = 0;
    std::string OutSepText; // empty for the placeholder "0"
    int32_t OutLen = 0;
    std::string OutFmt;
};

// A date read from a value by a layout: at fixed places, or with a day or month lacking its
// leading zero before a separator, a month by its English abbreviation (MMM, any case), and after
// the date a blank or a "T" and a time, kept as it is read (rest).
struct DateParts {
    int year = 0;
    int yearDigits = 0;
    int month = 0;
    int day = 0;
    std::string_view rest;
};
// With sep, the separator's places must hold it (the control of a written date); without, any
// byte but a digit.
bool ReadDateParts(std::string_view value, std::string_view layout, DateParts& parts,
                   const std::string* sep = nullptr);
// The layout writes the month as its abbreviation.
bool HasMonthName(std::string_view layout);


// Column k (1-based) of the format is a date column.
inline bool IsDateColumn(const Format& f, std::size_t k) {
    return k >= 1 && k - 1 < f.columns.size() && f.columns[k - 1].IsDate();
}

// How the decimal separator changes in an output column. A text column may hold tickers or names
// such as MC.PA: only a value that reads as a plain number there gets the output separator. A date
// is rewritten by its layouts alone.
enum DecimalMode : int { dmNone = 0, dmEvery = 1, dmPlainNumber = 2 };
// For output column k (1-based); dmNone when the separators are equal or the input's is not one byte.
DecimalMode DecimalModeOf(const Format& in, const Format& out, std::size_t k);

// An optional sign, digits, the one decimal separator dec, digits.
inline bool ReadsAsPlainNumber(const char* v, std::size_t n, char dec) {
    std::size_t i = (n > 0 && (v[0] == '+' || v[0] == '-')) ? 1 : 0;
    const std::size_t whole = i;
    while (i < n && v[i] >= '0' && v[i] <= '9') ++i;
    if (i == whole || i == n || v[i] != dec) return false;
    const std::size_t fraction = ++i;
    while (i < n && v[i] >= '0' && v[i] <= '9') ++i;
    return i == n && i > fraction;
}

class Converter {
public:
    Converter();

    // The preparation: TakePlan, TakeDataSettings and SetCurrentYear. Everything else reads.

    // Takes the plan of a run (or of the preview): its separators, how its formats read and write
    // their fields (PrepareFields) and its date values (PrepareDateConv).
    void TakePlan(ConversionPlan plan);
    const ConversionPlan& Plan() const { return plan_; }

    const std::string& InColSep() const { return plan_.Input().colSep; }
    const std::string& OutColSep() const { return plan_.Output().colSep; }

    // A format asks for them: the engines go through the slots.
    bool FieldsPath() const { return quotedIn_ || readNumbers_ || writeFields_; }
    // The input format has its fields in quotes; some of its numbers are read by ReadNumber; the
    // output format quotes its fields or groups the digits of its numbers.
    bool QuotedInput() const { return quotedIn_; }
    bool ReadsNumbers() const { return readNumbers_; }
    bool WritesFields() const { return writeFields_; }
    // Input column i (1-based) is a number that ReadNumber reads: the field read in place.
    void ReadNumberOf(std::size_t i, std::string& field) const;
    // Slot k's value as the output format writes it: a number with its grouping separators (in
    // grouped, whose storage is reused), any other value as it is.
    const std::string& GroupedOut(std::size_t k, const std::string& value, std::string& grouped) const;
    // The number of slots, 0..OutColCount (0 takes the unlinked fields).
    std::size_t SlotCount() const;

    // The values of output slot k, or of the formats' pair when k has none of its own.
    const DateConvValues& DateOf(std::size_t k) const;
    // The rewrite of the formats' date pair.
    const DateConvValues& Pair() const { return pair_; }
    // The values of a rewrite from inFmt to outFmt with outSep.
    static DateConvValues MakeDateConv(const std::string& inFmt, const std::string& outSep, const std::string& outFmt);

    // The year that anchors the century window of two-digit years: the clock's, read once.
    int CurrentYear() const { return currentYear_; }
    void SetCurrentYear(int year) { currentYear_ = year; }

    // How data files are written, taken when a run starts: lines end with LF alone, and the texts a
    // format adds (header lines, prefixes, suffixes; Windows-1252 in the format file) go as UTF-8,
    // those that already read as UTF-8 (IsUtf8Text) as they are.
    void TakeDataSettings(std::string_view enc, std::string_view eol);
    std::string AddedText(std::string_view cp1252) const;
    bool LfOnly() const { return lfOnly_; }
    std::string_view Eol() const { return lfOnly_ ? std::string_view("\n") : std::string_view("\r\n"); }

    // Per slot: 1 when an input column feeds it through the plan's link.
    std::vector<char> FedSlots() const;

    // Every "from" in value written as "to"; a change of separator cannot fail.
    static std::string DecimalChange(std::string_view from, std::string_view to, std::string_view value);
    // The change of output column k (1-based), as the engines make it.
    std::string DecimalChangeOf(std::size_t k, std::string_view value) const;
    // In place.
    static void DecimalChangeInPlace(std::string& value, std::string_view from, std::string_view to);

    static int32_t DateLayoutOrder(std::string_view layout);
    static bool IsShortYearLayout(std::string_view layout);
    std::string DateConvPerso(std::string_view value, std::string_view inLayout, std::string_view outSep,
                              int32_t outLen, bool cut, bool widen, int32_t order) const;
    // The same into out (its capacity reused); false for a value that cannot be converted.
    bool DateConvInto(std::string_view value, std::string_view inLayout, std::string_view outSep, int32_t outLen,
                      bool cut, bool widen, int32_t order, std::string& out) const;
    // With the rewrite of the formats' pair.
    bool DateConvInto(std::string_view value, std::string& out) const;
    // With the values of output slot k, as the engines call it: at fixed places when the value has
    // the length of the input layout and no month is named, else read by ReadDateParts.
    bool DateConvInto(std::string_view value, const DateConvValues& d, std::string& out) const;
    // A date read by ReadDateParts, written in outLayout; false when it cannot be (and, as at fixed
    // places, when its date part has another length than outLen).
    bool DateConvGeneral(std::string_view value, std::string_view inLayout, std::string_view outSep,
                         std::string_view outLayout, int32_t outLen, std::string& out) const;
    // Under the date control: a date of the output layout of d that the calendar has (a two-digit
    // year widened first); an empty value passes.
    bool IsCalendarDate(std::string_view value, const DateConvValues& d) const;

    // "y/m/d" to the four-digit year, or "0".
    std::string ExpandYear(std::string_view date) const;
    // The widened year of digit texts year, month and day; false when they are not a valid date.
    bool ExpandYear(std::string_view year, std::string_view month, std::string_view day, int& result) const;

    // Against the type of output column `column` (0-based).
    bool TypeControl(std::string_view value, int32_t column) const;
    // What a date control of output column `column` (0-based) lets pass besides the digits.
    const std::string& DateSepTextOf(int32_t column) const;
    ControlKind ControlKindOf(int32_t column) const;
    static bool ControlValue(std::string_view value, ControlKind kind, std::string_view decSep,
                             std::string_view dateSepText);

    static std::string ForceCase(std::string_view value, CaseCode code);
    static void ForceCaseInPlace(std::string& value, CaseCode code);
    static std::string AddAffix(std::string_view value, AffixCode code, std::string_view affix);
    static void AddAffixInPlace(std::string& value, AffixCode code, std::string_view affix);

private:
    // Quotes, grouping separators, number suffixes: what the two formats ask of the split and of
    // the write.
    void PrepareFields();
    // The formats' pair and the rewrite of each output date column.
    void PrepareDateConv();
    int WindowYear(int twoDigits) const;

    bool quotedIn_ = false;
    bool readNumbers_ = false;
    bool writeFields_ = false;
    std::vector<char> numberIn_;   // per input column (1-based): read by ReadNumber
    std::vector<char> groupOut_;   // per output slot: a number written with the grouping separator

    ConversionPlan plan_;
    DateConvValues pair_;                 // for a slot without values of its own
    std::vector<DateConvValues> dateCols_; // per output slot: the rewrite of that date column
    bool lfOnly_ = false;
    bool utf8Data_ = false;
    int currentYear_;
};

} // namespace lmx
