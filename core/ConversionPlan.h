#pragma once
// What a conversion needs of its two formats, derived from them in one place: the column counts,
// the link from input to output columns, the date pairs and the engine. Built once per run, and by
// the preview, from the formats alone: nothing of an earlier load reaches it.
#include "core/ChosenFormats.h"
#include "core/Format.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lmx {

// For input column `index`, the output column that receives it (1-based), or 0.
struct IoLinkEntry {
    int32_t index = 0;
    int32_t target = 0;
};

// A date separator and layout, as a date column's type text holds them.
struct DateSide {
    std::string Sep; // at most one character
    std::string Fmt;
    bool operator==(const DateSide&) const = default;
};

// The pair of output date column k: the input side is the layout of the input column that feeds it
// when the input format has several date columns and that column is one of them, else the input
// format's pair; the output side is the column's own layout when the output format has several date
// columns, else the output format's pair. So formats with at most one date column keep the single
// pair of their format.
struct DatePair {
    bool fed = false; // an input column feeds the output column
    DateSide in;
    DateSide out;
};

enum EngineCodeValue : int32_t {
    ecStandard = 0,
    ecDate = 2,
    ecDecimal = 16,
    ecDateDecimal = 18,
    ecGlobal = 255,
    ecNone = -1,
};

int32_t DateColumnCount(const Format& fmt);

// A format's date pair: that of its last date column; none without one.
DateSide FormatDatePair(const Format& fmt);

class ConversionPlan {
public:
    // No formats: nothing to link.
    ConversionPlan() = default;
    // Each input column linked to the first output column of the same name (exact bytes).
    ConversionPlan(const Format& input, const Format& output);
    // The formats chosen; one missing stands as a format never loaded.
    explicit ConversionPlan(const ChosenFormats& chosen);
    // The input format read into outCount slots through the given link (the chart's columns).
    ConversionPlan(const Format& input, std::vector<IoLinkEntry> link, int32_t outCount);

    const Format& Input() const { return input_; }
    const Format& Output() const { return output_; }
    int32_t InColCount() const { return inCount_; }
    int32_t OutColCount() const { return outCount_; }
    // Both formats were chosen.
    bool BothChosen() const { return bothChosen_; }
    // Both column counts are usable integers: false when a format was never loaded.
    bool Linked() const { return linked_; }
    // Entries 0..max(InColCount, OutColCount).
    const std::vector<IoLinkEntry>& Link() const { return link_; }
    // The input format's date pair; the output format's, or the input's when the output has no date
    // column (its columns then take the input's dates as they are).
    const DateSide& InDate() const { return inDate_; }
    const DateSide& OutDate() const { return outDate_; }
    // The pair of every output column (index k, 1-based; entries of other columns stay empty).
    const std::vector<DatePair>& Dates() const { return dates_; }
    // 0, 2, 16, 18 or 255 from the differences between the two formats.
    EngineCodeValue Engine() const { return engine_; }

private:
    void Derive();

    Format input_;
    Format output_;
    int32_t inCount_ = 0;
    int32_t outCount_ = 0;
    bool bothChosen_ = false;
    bool linked_ = false;
    std::vector<IoLinkEntry> link_;
    DateSide inDate_;
    DateSide outDate_;
    std::vector<DatePair> dates_;
    EngineCodeValue engine_ = ecStandard;
};

} // namespace lmx
