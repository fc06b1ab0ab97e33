#pragma once
// How an engine converts one line and writes it. Two forms with one behaviour:
// - SlotLine goes through the slots (Unstring, the per-slot operations, WriteOutLine): the
//   reference, kept for the tests and for anyone who needs the slots.
// - DirectLine, what the engines run: the fields are located once in the read buffer and each
//   output column is written straight into the output buffer, its operations applied on the way.
// Both give the same bytes, the same line-error code and flush the output at the same moments.
#include "core/ByteScan.h"
#include "core/Converter.h"
#include "core/OutputSink.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

// Column k (1-based) of the format is a date column.
inline bool IsDateColumn(const Format& f, std::size_t k) {
    return k >= 1 && k - 1 < f.columns.size() && f.columns[k - 1].IsDate();
}

// Byte b as a column forcing that case writes it (ASCII letters only).
inline char CaseOf(char b, CaseCode casing) {
    if (casing == CaseCode::Upper && b >= 'a' && b <= 'z') return static_cast<char>(b - 'a' + 'A');
    if (casing == CaseCode::Lower && b >= 'A' && b <= 'Z') return static_cast<char>(b - 'A' + 'a');
    return b;
}

// The engines' per-column decisions, taken once when an engine starts on a file.
struct ColumnOps {
    int32_t field = -1;   // the input field (0-based) that feeds the column; -1 for none
    bool decimal = false;   // the decimal separator changes
    bool plainOnly = false; // only in a field that reads as a plain number (a text column)
    bool asRead = false;    // the one-pass copy changes decimals the column may need as read
    bool date = false;      // a date rewritten (only when an input column feeds it)
    bool clash = false;     // a number whose value must not hold the output decimal separator
    AffixCode affix = AffixCode::None;
    CaseCode casing = CaseCode::None;
    bool control = false;   // the characters of a number or of an "A" column are checked
    bool calendar = false;  // the date control: the value must be a calendar date
    ControlKind kind = ckAnyText;
    bool hasOther = false; // the control lets this byte pass besides the digits
    char other = '\0';
    std::string affixText;
    // The source bytes that would be written as the output column separator (DirectLine).
    int32_t sepBytes = 0;
    std::array<char, 2> sepByte{};
    bool dateWatch = false; // a rewritten date is checked for the separator

    // The value is changed on its way, not only copied.
    bool Rewrites() const { return affix != AffixCode::None || casing != CaseCode::None || date || asRead || calendar; }
};

// The columns of an engine code; false for a code without engine.
bool PlanColumns(const Converter& conv, int32_t engineCode, std::vector<ColumnOps>& cols);

// A date rewrite prepared once per file. Outside the year widening, the rewrite only moves bytes of
// the value to fixed places around the separator; the recipe holds those places.
class DateRecipe {
public:
    static constexpr std::size_t kMaxLen = 64; // longer values are never dates

    // For the values of one output date column; the first form for the remembered pair.
    void Prepare(const Converter& conv);
    void Prepare(const Converter& conv, const DateConvValues& d);
    std::size_t InLen() const { return inLen_; }
    std::size_t OutLen() const { return outLen_; }
    const std::string& OutSepText() const { return d_.OutSepText; }
    // Rewrites value into out (room for OutLen() bytes); false when it is no date. value is a
    // buffer of kMaxLen bytes whose first InLen() hold the date: the rest may be read, not used.
    // Only for a value of InLen() bytes when the recipe is not General().
    bool Rewrite(const char* value, char* out) const;
    // The same straight from the line: 16 bytes may be read at value and 16 written at out (which
    // may be value); out's bytes past OutLen() keep their values. Only when Wide().
    void RewriteWide(const char* value, char* out) const;
    bool Wide() const { return shuffle_; }
    // The layouts name a month: every value goes through RewriteOther.
    bool General() const { return general_; }
    static constexpr std::size_t kNoDate = static_cast<std::size_t>(-1);
    // Any other value (a day or month without its leading zero, a time after the date, a month
    // by its name), len bytes at value, into out (room for OutLen() + len bytes; value may be out):
    // the length written, or kNoDate.
    std::size_t RewriteOther(const char* value, std::size_t len, char* out) const;
    const DateConvValues& Values() const { return d_; }
    bool Converts() const { return conv_ != nullptr; }

private:
    const Converter* conv_ = nullptr;
    DateConvValues d_;
    bool never_ = false; // the layouts cannot give a result of the output length
    bool general_ = false;
    bool widen_ = false; // the century comes from the calendar: the primitive does it
    std::size_t inLen_ = 0;
    std::size_t outLen_ = 0;
    std::vector<int8_t> from_; // per output byte: the value's byte to take, or -1
    std::string fill_;         // the output bytes not taken from the value (the separators)
    bool shuffle_ = false;     // values and results of 16 bytes at most, and a processor that shuffles
    std::array<char, 16> pick_{};
    std::array<char, 16> fill16_{};
    std::array<char, 16> keep16_{}; // 0xFF over the output bytes past OutLen()
    mutable std::string widened_;
};

class DirectLine {
public:
    // False for a code without engine.
    bool Prepare(const Converter& conv, int32_t engineCode);
    // Converts one line and writes it to out: leOk, or the line's error code (nothing written).
    int Convert(std::string_view line, IOutSink& out);
    // The same when the reader tells whether the line holds the byte that Watches() gives.
    int Convert(std::string_view line, IOutSink& out, bool holdsWatched);
    // The byte whose presence in a line calls for the output separator check; false for none.
    bool Watches(char& b) const {
        b = watch_;
        return sepWatch_;
    }

private:
    bool Split(std::string_view line); // true for exactly inCount_ fields
    // Locates the fields (one-byte separator) and, with Copy, copies the line to out on the way,
    // separators and (with Decimal) decimal separators swapped: one pass when the output keeps
    // the input's columns in their order.
    template <bool Copy, bool Decimal>
    bool SplitLine(std::string_view line, char* out);
    int SameLayout(std::string_view line, char* out);
    // The same pass into copy_, then the output assembled from it: runs of columns without
    // operations in one move, the other columns one by one.
    int SameOrder(std::string_view line, char*& out);
    int PutColumn(std::size_t k, std::string_view mapped, char*& p);
    // The date of column k, len bytes at d in the output, rewritten in place: its new length, or
    // DateRecipe::kNoDate when it is no date. Notes a separator in it when the line is checked.
    std::size_t RewriteDate(std::size_t k, char* d, std::size_t len);
    // The same from the len bytes at src (the value as read, readable up to srcEnd) into d.
    std::size_t RewriteDate(std::size_t k, const char* src, const char* srcEnd, char* d, std::size_t len);
    // A number column's value holds the output decimal separator.
    bool NumberClashes() const;
    // The per-file part of the output separator check.
    void PrepareSepCheck();
    // A byte of a field that would be written as the output column separator: such a line could
    // not be read back with its own format.
    bool SourceHoldsSep() const;
    static bool Controlled(const ColumnOps& c, const char* value, std::size_t size) {
        if (c.kind == ckNumber) return bytescan::NumberBytes(value, size, c.hasOther, c.other);
        return c.kind == ckAnyText || bytescan::AllDigitsOr(value, size, c.hasOther, c.other);
    }
    bool CalendarOk(std::size_t k, const char* value, std::size_t size) const {
        return dates_[k].Converts() && conv_->IsCalendarDate(std::string_view(value, size), dates_[k].Values());
    }
    // The line holds the output decimal separator where a number must not.
    bool Clashes(std::size_t k, const char* value, std::size_t size) const {
        return cols_[k].clash && decTo_.size() == 1 && bytescan::HoldsByte(value, size, decTo_[0]);
    }
    // SameLayout and SameOrder give the line to Columns: the output changes length.
    static constexpr int kRedo = -1;
    char* PutField(const ColumnOps& col, std::string_view value, char* p) const;
    // A column's steps around its value, in the slot pipeline's order: the prefix before it; then
    // the suffix, the case and the date rewrite over [start, p). Gives the column's new length, or
    // DateRecipe::kNoDate.
    static char* PutPrefix(const ColumnOps& c, char* p) {
        if (c.affix != AffixCode::Prefix) return p;
        std::memcpy(p, c.affixText.data(), c.affixText.size());
        return p + c.affixText.size();
    }
    std::size_t FinishColumn(std::size_t k, char* start, char* p) {
        const ColumnOps& c = cols_[k];
        if (c.affix == AffixCode::Suffix) {
            std::memcpy(p, c.affixText.data(), c.affixText.size());
            p += c.affixText.size();
        }
        const auto len = static_cast<std::size_t>(p - start);
        if (c.casing != CaseCode::None) bytescan::ForceAsciiCase(start, len, static_cast<int32_t>(c.casing));
        return c.date ? RewriteDate(k, start, len) : len;
    }
    int Columns(char*& p);
    int Finish(char* base, std::size_t total, bool direct, IOutSink& out);

    const Converter* conv_ = nullptr;
    std::vector<ColumnOps> cols_;
    bool toSeen_ = false; // the one-pass copy met the output decimal separator
    std::vector<const char*> bounds_; // field f runs from bounds_[2f] to bounds_[2f + 1]
    std::size_t inCount_ = 0;
    bool hasSep_ = false;
    char sep_ = '\0';
    std::string outSep_;
    char decFrom_ = '\0';
    std::string decTo_;
    std::size_t growth_ = 1; // the most bytes one input byte can become
    std::size_t extra_ = 0;  // the most bytes an output line holds beyond its grown fields
    bool plain_ = true;      // no prefix, suffix, case, date or control anywhere
    bool lfOnly_ = false;    // lines end with LF alone (else CR LF)
    bool same_ = false;      // SameLayout applies
    bool sameDecimal_ = false;
    char outSep1_ = '\0';
    bool sameOrder_ = false; // SameOrder applies
    std::vector<char> copy_;
    std::vector<std::size_t> touch_; // SameLayout: the columns to put back as read or to rewrite as dates
    std::string outDec_;
    std::vector<DateRecipe> dates_; // per output column, made for the date columns once per file
    // The output separator check. Only a line that holds watch_ is checked, unless the format's
    // own texts or case can bring the separator (sepEvery_).
    bool sepWatch_ = false;
    bool sepEvery_ = false;
    char watch_ = '\0';
    bool lineCheck_ = false; // this line is checked
    bool dateHit_ = false;   // a date of this line holds the separator
    std::vector<std::size_t> watchCols_; // the columns other than rewritten dates whose fields are checked
    std::vector<char> scratch_; // the line when the output has no room at hand
    char* outEnd_ = nullptr;    // the end of the room the line is written into
    // The bytes that the one-pass copy looks for and writes, sixteen of each, made once per file.
    alignas(16) std::array<char, 16> sepV_{};
    alignas(16) std::array<char, 16> outSepV_{};
    alignas(16) std::array<char, 16> fromV_{};
    alignas(16) std::array<char, 16> toV_{};
};

inline std::size_t DirectLine::RewriteDate(std::size_t k, char* d, std::size_t len) {
    return RewriteDate(k, d, outEnd_, d, len);
}

inline std::size_t DirectLine::RewriteDate(std::size_t k, const char* src, const char* srcEnd, char* d,
                                           std::size_t len) {
    const DateRecipe& r = dates_[k];
    if (len != r.InLen() || r.General()) {
        // Rare: read by the primitive. A month name is no byte of the line: always checked.
        const std::size_t n = r.RewriteOther(src, len, d);
        if (n != DateRecipe::kNoDate && cols_[k].dateWatch && std::memchr(d, outSep1_, n) != nullptr) dateHit_ = true;
        return n;
    }
    if (r.Wide() && srcEnd - src >= 16 && outEnd_ - d >= 16) {
        // The common case: one shuffle from the line into the output, no copy on either side.
        r.RewriteWide(src, d);
    } else {
        if (len > DateRecipe::kMaxLen) return DateRecipe::kNoDate;
        char value[DateRecipe::kMaxLen];
        bytescan::CopyBytes<false>(value, src, len);
        if (!r.Rewrite(value, d)) return DateRecipe::kNoDate;
    }
    if (lineCheck_ && cols_[k].dateWatch && std::memchr(d, outSep1_, r.OutLen()) != nullptr) dateHit_ = true;
    return r.OutLen();
}

class SlotLine {
public:
    explicit SlotLine(Converter& conv) : conv_(conv) {}
    // False for a code without engine.
    bool Prepare(int32_t engineCode);
    // Converts one line through the slots and writes it: leOk, or the line's error code.
    int Convert(std::string_view line, IOutSink& out);

private:
    // EngGlobal's decisions for one output column.
    struct Plan {
        AffixCode affix = AffixCode::None;
        CaseCode casing = CaseCode::None;
        ControlCode control = ControlCode::Never;
        bool isDate = false;   // rewritten: the column is a date and an input column feeds it
        bool calendar = false; // the date control
        ControlKind kind = ckAnyText;
        std::string affixText;
    };
    // The pipelines, after Unstring.
    void Decimal(int& status);
    void DatePerso(int& status);
    void Global(int& status);
    // The decimal change of slot k by its column's mode: leOk, or the line's code.
    int ChangeDecimal(std::size_t k, std::string& slot) const;
    // The output separator when a byte taken from the source could be written as one, else none.
    const char* WatchedSep() const;
    // A field as read, other than a date, that would bring the output column separator.
    bool ReadHoldsSep() const;
    // A rewritten date that holds it besides its own separators.
    bool DatesHoldSep() const;

    Converter& conv_;
    int32_t code_ = -1;
    std::string inDec_, outDec_;
    std::vector<char> flag_; // per slot: date column (EngDatePerso)
    std::vector<Plan> plan_;
    std::string dateOut_; // reused by the date rewrite
    // Per slot: the decimal change (a DecimalMode), the case forced on it, the slot holds a
    // rewritten date.
    std::vector<char> decimalOf_;
    std::vector<CaseCode> casseOf_;
    std::vector<char> dateOf_;
};

} // namespace lmx
