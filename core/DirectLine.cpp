// The engines' line conversion straight from the read buffer into the output buffer.
#include "core/DirectLine.h"

#include "common/Text.h"
#include "core/ByteScan.h"
#include "core/EngineRunner.h"

#include <bit>
#include <cstring>

namespace lmx {

bool DirectLine::Prepare(const Converter& conv, EngineCodeValue engineCode) {
    if (!PlanColumns(conv, engineCode, cols_)) return false;
    conv_ = &conv;
    const ConversionPlan& f = conv.Plan();
    inCount_ = f.InColCount() > 0 ? static_cast<std::size_t>(f.InColCount()) : 0;
    bounds_.assign(2 * inCount_, nullptr);
    // A separator text of another length than one never matches: the line is one field.
    hasSep_ = conv.InColSep().size() == 1;
    sep_ = hasSep_ ? conv.InColSep()[0] : '\0';
    outSep_ = conv.OutColSep();
    decFrom_ = f.Input().decSep.empty() ? '\0' : f.Input().decSep[0];
    decTo_ = f.Output().decSep;
    outDec_ = f.Output().decSep;
    lfOnly_ = conv.LfOnly();
    dates_.resize(cols_.size());
    for (std::size_t k = 0; k < cols_.size(); ++k) {
        ColumnOps& c = cols_[k];
        dates_[k] = DateRecipe();
        if (c.date || c.calendar) dates_[k].Prepare(conv, conv.DateOf(k + 1));
        // Digits, and the one-character separator of the column's kind when there is one.
        const std::string& other = c.kind == ckNumber ? outDec_ : conv.DateSepTextOf(static_cast<int32_t>(k));
        c.hasOther = other.size() == 1;
        c.other = c.hasOther ? other[0] : '\0';
    }

    bool anyDecimal = false;
    plain_ = true;
    extra_ = 2 + (cols_.size() > 1 ? (cols_.size() - 1) * outSep_.size() : 0);
    for (std::size_t k = 0; k < cols_.size(); ++k) {
        const ColumnOps& c = cols_[k];
        anyDecimal = anyDecimal || c.decimal;
        extra_ += c.affixText.size() + (c.date ? dates_[k].OutLen() : 0);
        if (c.affix != AffixCode::None || c.casing != CaseCode::None || c.date || c.control || c.calendar) plain_ = false;
    }
    growth_ = anyDecimal && decTo_.size() > 1 ? decTo_.size() : 1;

    // The output keeps the input's columns, in order: the line is copied and split in one pass.
    // When, besides, each column keeps its length and needs no prefix, suffix, case or control,
    // every byte stays at its place (SameLayout); otherwise the output is assembled (SameOrder).
    sameOrder_ = hasSep_ && outSep_.size() == 1 && inCount_ > 0 && cols_.size() == inCount_ &&
                 (!anyDecimal || decTo_.size() == 1);
    same_ = sameOrder_;
    for (std::size_t k = 0; k < cols_.size(); ++k) {
        const ColumnOps& c = cols_[k];
        const bool inPlace = c.field == static_cast<int32_t>(k);
        same_ = same_ && inPlace && c.affix == AffixCode::None && c.casing == CaseCode::None && !c.control &&
                !c.calendar && (!c.date || dates_[k].OutLen() == dates_[k].InLen());
        sameOrder_ = sameOrder_ && inPlace;
    }
    if (same_) sameOrder_ = false;
    // A field never holds the column separator: when it is the decimal separator nothing changes.
    sameDecimal_ = anyDecimal && decFrom_ != sep_;
    // The one-pass copy looks for the output decimal separator only while it changes decimals.
    for (const ColumnOps& c : cols_)
        if (c.clash && !sameDecimal_) same_ = sameOrder_ = false;
    for (ColumnOps& c : cols_) c.asRead = sameDecimal_ && (!c.decimal || c.plainOnly);
    outSep1_ = outSep_.empty() ? '\0' : outSep_[0];
    sepV_.fill(sep_);
    outSepV_.fill(outSep1_);
    fromV_.fill(decFrom_);
    toV_.fill(decTo_.empty() ? '\0' : decTo_[0]);
    touch_.clear();
    for (std::size_t k = 0; k < cols_.size(); ++k)
        if (cols_[k].date || cols_[k].asRead) touch_.push_back(k);
    PrepareSepCheck();
    PrepareRuns();
    return true;
}

char* DirectLine::PutField(const ColumnOps& col, std::string_view value, char* p) const {
    const char* v = value.data();
    const std::size_t n = value.size();
    if (!col.decimal || (col.plainOnly && !ReadsAsPlainNumber(v, n, decFrom_))) {
        bytescan::CopyBytes<false>(p, v, n);
        return p + n;
    }
    const char from = decFrom_;
    if (decTo_.size() == 1) {
        bytescan::CopyBytes<true>(p, v, n, from, decTo_[0]);
        return p + n;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (v[i] != from) {
            *p++ = v[i];
        } else if (!decTo_.empty()) {
            std::memcpy(p, decTo_.data(), decTo_.size());
            p += decTo_.size();
        }
    }
    return p;
}

int DirectLine::Columns(char*& out) {
    char* p = out;
    int status = leOk;
    const std::size_t count = cols_.size();
    if (plain_ && outSep_.size() == 1) {
        const char sep = outSep_[0];
        for (std::size_t k = 0; k < count; ++k) {
            if (k > 0) *p++ = sep;
            const ColumnOps& c = cols_[k];
            if (c.field < 0) continue;
            const char* const* b = bounds_.data() + 2 * c.field;
            const auto n = static_cast<std::size_t>(b[1] - b[0]);
            if (Clashes(k, b[0], n)) return leDecClash;
            p = PutField(c, std::string_view(b[0], n), p);
        }
        out = p;
        return leOk;
    }
    for (std::size_t k = 0; k < count; ++k) {
        if (k > 0) {
            if (outSep_.size() == 1) {
                *p++ = outSep_[0];
            } else if (!outSep_.empty()) {
                std::memcpy(p, outSep_.data(), outSep_.size());
                p += outSep_.size();
            }
        }
        const ColumnOps& c = cols_[k];
        std::string_view v;
        if (c.field >= 0) {
            const char* const* b = bounds_.data() + 2 * c.field;
            v = std::string_view(b[0], static_cast<std::size_t>(b[1] - b[0]));
        }
        // A decimal change that would make another number: the line stops there.
        if (Clashes(k, v.data(), v.size())) return status == leOk ? leDecClash : status;
        if (plain_) {
            p = PutField(c, v, p);
            continue;
        }
        // The order of the slot pipeline: decimal change, prefix or suffix, case, date, control.
        char* const start = p;
        const std::size_t n = FinishColumn(k, start, PutField(c, v, PutPrefix(c, p)));
        if (n == DateRecipe::kNoDate) return leDate; // nothing later changes a date failure
        p = start + n;
        if (c.calendar && !CalendarOk(k, start, static_cast<std::size_t>(p - start))) return leDate;
        if (status == leOk && c.control && !Controlled(c, start, static_cast<std::size_t>(p - start)))
            status = leType; // a later date failure still outranks it
    }
    out = p;
    return status;
}

int DirectLine::Convert(std::string_view line, IOutSink& out) {
    return Convert(line, out, sepWatch_ && !line.empty() && std::memchr(line.data(), watch_, line.size()) != nullptr);
}

int DirectLine::Convert(std::string_view line, IOutSink& out, bool holdsWatched) {
    // holdsWatched is only ever true when a byte is watched.
    const bool check = sepEvery_ || holdsWatched;
    lineCheck_ = check;
    dateHit_ = false;
    if (!same_ && !sameOrder_ && !Split(line)) return leUnstring;
    const std::size_t bound = line.size() * growth_ + extra_;
    // Straight into the output buffer when it has room without a flush; otherwise through
    // scratch_, so that the output is flushed only for a line that is written, as WriteOutLine does.
    char* base = out.Room(bound);
    const bool direct = base != nullptr;
    if (!direct) {
        if (scratch_.size() < bound) scratch_.resize(bound);
        base = scratch_.data();
    }
    outEnd_ = base + bound;
    char* p = base;
    if (same_) {
        int status = SameLayout(line, base);
        if (status == kRedo) status = Columns(p);
        else p += line.size();
        if (status != leOk) return status;
    } else if (sameOrder_) {
        int status = SameOrder(line, p);
        if (status == kRedo) {
            p = base;
            status = Columns(p);
        }
        if (status != leOk) return status;
    } else {
        const int status = Columns(p);
        if (status != leOk) return status;
    }
    if (check && SourceHoldsSep()) return leWrite;
    if (!lfOnly_) *p++ = '\r';
    *p++ = '\n';
    return Finish(base, static_cast<std::size_t>(p - base), direct, out);
}

int DirectLine::Finish(char* base, std::size_t total, bool direct, IOutSink& out) {
    if (direct) return out.Commit(total) ? leOk : leWrite;
    if (char* q = out.Reserve(total)) {
        std::memcpy(q, base, total);
        return out.Commit(total) ? leOk : leWrite;
    }
    return out.Write(std::string_view(base, total)) ? leOk : leWrite;
}

} // namespace lmx
