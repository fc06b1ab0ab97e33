#pragma once
// How the engines convert one line and write it: the fields are located once in the read buffer
// and each output column is written straight into the output buffer, its operations applied on
// the way. It gives the same bytes, the same line-error code and flushes the output at the same
// moments as SlotLine, the reference through the slots.
#include "core/ByteScan.h"
#include "core/ColumnOps.h"
#include "core/Converter.h"
#include "core/DateRecipe.h"
#include "core/OutputSink.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

class DirectLine {
public:
    // False for a code without engine.
    bool Prepare(const Converter& conv, EngineCodeValue engineCode);
    // Converts one line and writes it to out: leOk, or the line's error code (nothing written).
    int Convert(std::string_view line, IOutSink& out);
    // The same when the reader tells whether the line holds the byte that Watches() gives.
    int Convert(std::string_view line, IOutSink& out, bool holdsWatched);
    // Many lines at once, for a file whose lines keep their bytes in place (only separators,
    // decimal separators and fixed-length dates change): converts the lines at the start of ahead
    // into out while each is a plain record of the format (no line this method would not convert
    // exactly as Convert does), calling lineDone(ctx) after each and stopping after the line for
    // which it returns false. Returns the bytes of the lines converted (each ends with its LF),
    // 0 when none: the next line is then Convert's to take. maxLine: the longest line read whole.
    using LineDoneFn = bool (*)(void* ctx);
    std::size_t ConvertRun(std::string_view ahead, std::size_t maxLine, IOutSink& out, LineDoneFn lineDone, void* ctx);
    // ConvertRun can convert lines of this file.
    bool Runs() const { return runs_; }
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
        if (c.casing != CaseCode::None) bytescan::ForceAsciiCase(start, len, c.casing);
        return c.date ? RewriteDate(k, start, len) : len;
    }
    int Columns(char*& p);
    int Finish(char* base, std::size_t total, bool direct, IOutSink& out);
    // ConvertRun's parts: whether it applies, the copy of the chunk with its byte classes noted,
    // and the check and date rewrite of one line of it, from s to its LF at e.
    void PrepareRuns();
    template <bool Decimal>
    void MapRun(const char* a, std::size_t from, std::size_t to, char* o); // from: a multiple of 64
    bool PlainRecord(const char* a, const char* aEnd, char* o, char* oEnd, std::size_t s, std::size_t e);

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
    // ConvertRun: per 64 bytes of the chunk, bit i set where byte i is a column separator, a LF, a
    // byte that makes the line no plain record before its line end (a CR, the output decimal
    // separator, the watched byte) and an input decimal separator.
    bool runs_ = false;
    std::vector<uint64_t> sepBits_, lfBits_, oddBits_, fromBits_;
    std::size_t pause_ = 0; // lines left to Convert after a chunk whose first line was no plain record
    std::size_t backoff_ = 0;
    bool known_ = false; // the next line is known to be no plain record
    alignas(16) std::array<char, 16> oddV_{};
    alignas(16) std::array<char, 16> odd2V_{};
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
    DateRecipe& r = dates_[k];
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

} // namespace lmx
