// The engines' field split, and the line conversion when the output keeps the input's columns in
// their order: the line is split and copied in one pass, separators and decimal separators swapped
// on the way.
#include "core/DirectLine.h"

#include "core/ByteScan.h"

#include <bit>
#include <cstring>

namespace lmx {

template <bool Copy, bool Decimal>
bool DirectLine::SplitLine(std::string_view line, char* out) {
    static_assert(Copy || !Decimal);
    if (inCount_ == 0) return false;
    const char* const p = line.data();
    const std::size_t n = line.size();
    const char** b = bounds_.data();
    const char** const last = b + 2 * (inCount_ - 1);
    const char* start = p;
    auto hit = [&](const char* at) {
        if (b == last) return false; // one separator too many
        b[0] = start;
        b[1] = at;
        b += 2;
        start = at + 1;
        return true;
    };
    const char sep = sep_, outSep = outSep1_, from = decFrom_;
    const char to = Decimal ? decTo_[0] : '\0';
    const uint64_t sepRep = bytescan::kOnes * static_cast<unsigned char>(outSep);
    const uint64_t toRep = bytescan::kOnes * static_cast<unsigned char>(to);
    // The output decimal separator, met as read: a number that holds it is looked at afterwards.
    uint64_t toBits = 0;
    // Both masks come from the bytes as read (they never share a byte: from is not sep), so that
    // a byte changed once is never changed again.
    auto map = [&](uint64_t w, uint64_t seps) {
        const uint64_t ms = (seps >> 7) * 0xFF;
        uint64_t r = (w & ~ms) | (sepRep & ms);
        if constexpr (Decimal) {
            const uint64_t md = (bytescan::MatchBits(w, from) >> 7) * 0xFF;
            r = (r & ~md) | (toRep & md);
            toBits |= bytescan::MatchBits(w, to);
        }
        return r;
    };
    std::size_t i = 0;
#if LMX_SSE2
    if (n >= 16) {
        auto vec = [](const std::array<char, 16>& a) { return _mm_load_si128(reinterpret_cast<const __m128i*>(a.data())); };
        const __m128i sepV = vec(sepV_), outV = vec(outSepV_), fromV = vec(fromV_), toV = vec(toV_);
        __m128i toSeen = _mm_setzero_si128();
        auto step = [&](std::size_t at, unsigned keep) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
            const __m128i ms = _mm_cmpeq_epi8(v, sepV);
            if constexpr (Copy) {
                __m128i r = _mm_or_si128(_mm_and_si128(ms, outV), _mm_andnot_si128(ms, v));
                if constexpr (Decimal) {
                    const __m128i md = _mm_cmpeq_epi8(v, fromV);
                    r = _mm_or_si128(_mm_and_si128(md, toV), _mm_andnot_si128(md, r));
                    toSeen = _mm_or_si128(toSeen, _mm_cmpeq_epi8(v, toV));
                }
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + at), r);
            }
            for (unsigned m = static_cast<unsigned>(_mm_movemask_epi8(ms)) & keep; m; m &= m - 1)
                if (!hit(p + at + std::countr_zero(m))) return false;
            return true;
        };
        if (!bytescan::Steps16(n, step)) return false;
        if constexpr (Decimal) toBits |= static_cast<uint64_t>(_mm_movemask_epi8(toSeen));
        i = n;
    }
#endif
    for (; i + 8 <= n; i += 8) {
        const uint64_t w = bytescan::Load(p + i);
        uint64_t seps = bytescan::MatchBits(w, sep);
        if constexpr (Copy) bytescan::Store(out + i, map(w, seps));
        for (; seps; seps &= seps - 1)
            if (!hit(p + i + static_cast<std::size_t>(std::countr_zero(seps) >> 3))) return false;
    }
    if (i < n && n >= 8) {
        // The last word overlaps bytes already done: they are stored again with the same values,
        // and their separators are not counted twice.
        const std::size_t j = n - 8;
        const uint64_t w = bytescan::Load(p + j);
        const uint64_t all = bytescan::MatchBits(w, sep);
        if constexpr (Copy) bytescan::Store(out + j, map(w, all));
        for (uint64_t seps = all & (~uint64_t{0} << (8 * (i - j))); seps; seps &= seps - 1)
            if (!hit(p + j + static_cast<std::size_t>(std::countr_zero(seps) >> 3))) return false;
    } else {
        for (; i < n; ++i) {
            const char c = p[i];
            if (c == sep) {
                if constexpr (Copy) out[i] = outSep;
                if (!hit(p + i)) return false;
            } else if constexpr (Copy) {
                out[i] = Decimal && c == from ? to : c;
                if constexpr (Decimal) toBits |= c == to ? 1 : 0;
            }
        }
    }
    if constexpr (Decimal) toSeen_ = toBits != 0;
    if (b != last) return false;
    b[0] = start;
    b[1] = p + n;
    return true;
}

bool DirectLine::Split(std::string_view line) {
    if (hasSep_) return SplitLine<false, false>(line, nullptr);
    // A separator text of another length than one never matches: the line is one field.
    if (inCount_ != 1) return false;
    bounds_[0] = line.data();
    bounds_[1] = line.data() + line.size();
    return true;
}

bool DirectLine::NumberClashes() const {
    for (std::size_t k = 0; k < cols_.size(); ++k) {
        if (cols_[k].field < 0) continue;
        const char* const* b = bounds_.data() + 2 * cols_[k].field;
        if (Clashes(k, b[0], static_cast<std::size_t>(b[1] - b[0]))) return true;
    }
    return false;
}

int DirectLine::SameLayout(std::string_view line, char* out) {
    toSeen_ = false;
    if (!(sameDecimal_ ? SplitLine<true, true>(line, out) : SplitLine<true, false>(line, out))) return leUnstring;
    // Seldom: a number holds the output decimal separator; the columns in order say which fault wins.
    if (toSeen_ && NumberClashes()) return kRedo;
    for (const std::size_t k : touch_) {
        const ColumnOps& c = cols_[k];
        const char* const* b = bounds_.data() + 2 * k;
        const auto len = static_cast<std::size_t>(b[1] - b[0]);
        char* const at = out + (b[0] - line.data());
        // A date is rewritten from the bytes as read (nothing later changes a failure).
        if (c.date) {
            const std::size_t n = RewriteDate(k, b[0], line.data() + line.size(), at, len);
            if (n == DateRecipe::kNoDate) return leDate;
            if (n != len) return kRedo; // the line changes length: assembled column by column
            continue;
        }
        // A column left as read: no decimal change, or text that is no number.
        if (c.asRead && len && (!c.decimal || !ReadsAsPlainNumber(b[0], len, decFrom_)))
            bytescan::CopyBytes<false>(at, b[0], len);
    }
    return leOk;
}

int DirectLine::PutColumn(std::size_t k, std::string_view mapped, char*& out) {
    const ColumnOps& c = cols_[k];
    char* const start = out;
    char* p = PutPrefix(c, start);
    bytescan::CopyBytes<false>(p, mapped.data(), mapped.size());
    const std::size_t n = FinishColumn(k, start, p + mapped.size());
    if (n == DateRecipe::kNoDate) return leDate;
    p = start + n;
    out = p;
    if (c.calendar && !CalendarOk(k, start, static_cast<std::size_t>(p - start))) return leDate;
    if (c.control && !Controlled(c, start, static_cast<std::size_t>(p - start))) return leType;
    return leOk;
}

int DirectLine::SameOrder(std::string_view line, char*& out) {
    if (copy_.size() < line.size()) copy_.resize(line.size());
    char* const mapped = copy_.data();
    toSeen_ = false;
    if (!(sameDecimal_ ? SplitLine<true, true>(line, mapped) : SplitLine<true, false>(line, mapped)))
        return leUnstring;
    if (toSeen_ && NumberClashes()) return kRedo;
    const char* const base = line.data();
    const std::size_t count = cols_.size();
    auto view = [&](std::size_t k) {
        const char* const* b = bounds_.data() + 2 * k;
        const auto len = static_cast<std::size_t>(b[1] - b[0]);
        // The copy's bytes, or the line's for a column that takes no change (or a text no number).
        const ColumnOps& c = cols_[k];
        if (c.asRead && (!c.decimal || !ReadsAsPlainNumber(b[0], len, decFrom_))) return std::string_view(b[0], len);
        return std::string_view(mapped + (b[0] - base), len);
    };
    char* p = out;
    int status = leOk;
    for (std::size_t k = 0; k < count;) {
        const ColumnOps& c = cols_[k];
        if (c.Rewrites()) {
            const int got = PutColumn(k, view(k), p);
            if (got == leDate) return leDate; // nothing later changes it
            if (got == leType && status == leOk) status = leType;
            if (++k < count) *p++ = outSep1_;
            continue;
        }
        // A run of columns that are only copied (and perhaps checked), with their separators.
        std::size_t e = k;
        while (e + 1 < count && !cols_[e + 1].Rewrites()) ++e;
        for (std::size_t j = k; j <= e && status == leOk; ++j) {
            const std::string_view v = view(j);
            if (cols_[j].control && !Controlled(cols_[j], v.data(), v.size())) status = leType;
        }
        const char* const from = view(k).data();
        const std::string_view last = view(e);
        const std::size_t n = static_cast<std::size_t>(last.data() + last.size() - from) + (e + 1 < count ? 1 : 0);
        if (n != 0) std::memcpy(p, from, n); // an empty first line leaves the copy without storage
        p += n;
        k = e + 1;
    }
    out = p;
    return status;
}

} // namespace lmx
