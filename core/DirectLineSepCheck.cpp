// The check that a converted line holds no output column separator inside a field: such a line
// could not be read back with its own format.
#include "core/DirectLine.h"

#include <string>

namespace lmx {

namespace {

bool CasedHolds(const std::string& text, CaseCode casing, char b) {
    for (const char c : text)
        if (CaseOf(c, casing) == b) return true;
    return false;
}

} // namespace

void DirectLine::PrepareSepCheck() {
    sepWatch_ = sepEvery_ = false;
    watchCols_.clear();
    if (outSep_.size() != 1) return; // a longer separator never matches a character
    const char o = outSep1_;
    // The other case of a letter separator may become it when a column forces the case.
    const char other = CaseOf(o, CaseCode::Upper) != o ? CaseOf(o, CaseCode::Upper) : CaseOf(o, CaseCode::Lower);
    std::string seen;
    for (std::size_t k = 0; k < cols_.size(); ++k) {
        ColumnOps& c = cols_[k];
        c.sepBytes = 0;
        c.dateWatch = false;
        if (c.field < 0) continue; // prefix or suffix alone: the user's own text
        for (const char b : {o, other}) {
            if (c.sepBytes > 0 && b == c.sepByte[0]) continue;
            // The decimal change replaces that byte, and the input separator never stays in a field.
            // (A text column keeps it unless the field reads as a number: SourceHoldsSep sees.)
            if (CaseOf(b, c.casing) != o || (c.decimal && !c.plainOnly && b == decFrom_) || (hasSep_ && b == sep_))
                continue;
            c.sepByte[static_cast<std::size_t>(c.sepBytes++)] = b;
        }
        if (c.date) {
            // A date's own separator is the format's text; besides it, a date takes the bytes of the
            // value, which may also come from the new decimal separator, the prefix or suffix, or
            // the digits of a widened year.
            c.dateWatch = dates_[k].OutSepText() != outSep_;
            if (!c.dateWatch) continue;
            if ((c.decimal && CasedHolds(decTo_, c.casing, o)) || CasedHolds(c.affixText, c.casing, o) ||
                (o >= '0' && o <= '9'))
                sepEvery_ = true;
        } else if (c.sepBytes > 0) {
            watchCols_.push_back(k);
        }
        for (int32_t j = 0; j < c.sepBytes; ++j)
            if (seen.find(c.sepByte[static_cast<std::size_t>(j)]) == std::string::npos) seen += c.sepByte[static_cast<std::size_t>(j)];
    }
    // With one byte to look for, the reader finds the lines that hold it; with more, every line is
    // checked.
    if (seen.size() > 1) sepEvery_ = true;
    sepWatch_ = seen.size() == 1;
    watch_ = sepWatch_ ? seen[0] : '\0';
}

bool DirectLine::SourceHoldsSep() const {
    if (dateHit_) return true;
    for (const std::size_t k : watchCols_) {
        const ColumnOps& c = cols_[k];
        const char* const* b = bounds_.data() + 2 * c.field;
        for (const char* q = b[0]; q < b[1]; ++q) {
            if (*q != c.sepByte[0] && (c.sepBytes < 2 || *q != c.sepByte[1])) continue;
            // A number's decimal separator is replaced.
            if (c.plainOnly && *q == decFrom_ && ReadsAsPlainNumber(b[0], static_cast<std::size_t>(b[1] - b[0]), decFrom_))
                continue;
            return true;
        }
    }
    return false;
}

} // namespace lmx
