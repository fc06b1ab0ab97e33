// Many lines at once for the files whose lines keep their bytes in place: one vector pass copies a
// chunk of lines into the output, swapping separators and decimal separators, and notes where the
// separators, line ends and unusual bytes are; each line is then only checked and its dates
// rewritten. A line that is not a plain record ends the chunk and goes to Convert.
#include "core/DirectLine.h"

#include "core/ByteScan.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string.h> // memrchr

namespace lmx {

namespace {

constexpr std::size_t kMaxChunk = 64 * 1024;
constexpr std::size_t kMapStep = 256; // a multiple of 64
constexpr std::size_t kFirstPause = 16; // lines, doubled while chunks keep failing at once
constexpr std::size_t kMaxPause = 4096;

bool EndsLines(char b) { return b == '\r' || b == '\n'; }

} // namespace

void DirectLine::PrepareRuns() {
    // A separator or decimal separator that ends lines would be read apart from the reader's lines.
    runs_ = LMX_SSE2 && same_ && !sepEvery_ && hasSep_ && !EndsLines(sep_) && growth_ == 1 &&
            !(sameDecimal_ && EndsLines(decFrom_));
    for (const std::size_t k : touch_)
        if (cols_[k].date && !dates_[k].Wide()) runs_ = false;
    // The bytes that make a line no plain record: a LF stands for none (no line holds one).
    oddV_.fill(sameDecimal_ ? toV_[0] : '\n');
    odd2V_.fill(sepWatch_ ? watch_ : '\n');
    pause_ = 0;
    known_ = false;
    backoff_ = kFirstPause;
    if (!runs_) return;
    const std::size_t words = kMaxChunk / 64 + 1;
    for (auto* m : {&sepBits_, &lfBits_, &oddBits_, &fromBits_}) m->assign(words, 0);
}

template <bool Decimal>
void DirectLine::MapRun(const char* a, std::size_t i, std::size_t n, char* o) {
    uint64_t* const sepM = sepBits_.data();
    uint64_t* const lfM = lfBits_.data();
    uint64_t* const oddM = oddBits_.data();
    uint64_t* const fromM = fromBits_.data();
#if LMX_SSE2
    auto vec = [](const std::array<char, 16>& v) { return _mm_load_si128(reinterpret_cast<const __m128i*>(v.data())); };
    const __m128i sepV = vec(sepV_), outV = vec(outSepV_), fromV = vec(fromV_), toV = vec(toV_), oddV = vec(oddV_),
                  odd2V = vec(odd2V_);
    const __m128i lfV = _mm_set1_epi8('\n'), crV = _mm_set1_epi8('\r');
    auto bits = [](__m128i m) { return static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(m))); };
    // Sixty-four bytes a step, so that each class's word is written once.
    for (; i + 64 <= n; i += 64) {
        uint64_t sep = 0, lf = 0, odd = 0, from = 0;
        for (unsigned q = 0; q < 4; ++q) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i + 16 * q));
            const __m128i ms = _mm_cmpeq_epi8(v, sepV);
            __m128i r = _mm_or_si128(_mm_and_si128(ms, outV), _mm_andnot_si128(ms, v));
            if constexpr (Decimal) {
                const __m128i md = _mm_cmpeq_epi8(v, fromV);
                r = _mm_or_si128(_mm_and_si128(md, toV), _mm_andnot_si128(md, r));
                from |= bits(md) << (16 * q);
            }
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o + i + 16 * q), r);
            sep |= bits(ms) << (16 * q);
            lf |= bits(_mm_cmpeq_epi8(v, lfV)) << (16 * q);
            odd |= bits(_mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, oddV), _mm_cmpeq_epi8(v, odd2V)),
                                     _mm_cmpeq_epi8(v, crV))) << (16 * q);
        }
        const std::size_t w = i >> 6;
        sepM[w] = sep;
        lfM[w] = lf;
        oddM[w] = odd;
        fromM[w] = from;
    }
#endif
    // The last bytes (all of them without the vector unit), one at a time, a word per 64.
    while (i < n) {
        uint64_t sep = 0, lf = 0, odd = 0, from = 0;
        const std::size_t w = i >> 6;
        for (; i < n && (i >> 6) == w; ++i) {
            const char c = a[i];
            const uint64_t bit = uint64_t{1} << (i & 63);
            char r = c;
            if (c == sep_) {
                r = outSep1_;
                sep |= bit;
            } else if (Decimal && c == decFrom_) {
                r = toV_[0];
                from |= bit;
            }
            o[i] = r;
            if (c == '\n') lf |= bit;
            if (c == oddV_[0] || c == odd2V_[0] || c == '\r') odd |= bit;
        }
        sepM[w] = sep;
        lfM[w] = lf;
        oddM[w] = odd;
        fromM[w] = from;
    }
}

bool DirectLine::PlainRecord(const char* a, const char* aEnd, char* o, char* oEnd, std::size_t s, std::size_t e) {
    // The line end the result writes, and no other (a lone CR ends a line for the reader); no
    // output decimal separator or watched byte, which call for the checks of Convert; not empty,
    // as an empty line is counted apart.
    std::size_t eol = e;
    if (!lfOnly_) {
        if (e == s || a[e - 1] != '\r') return false;
        eol = e - 1;
    }
    if (eol == s || bytescan::AnyBit(oddBits_.data(), s, eol)) return false;
    // Exactly inCount_ fields.
    const uint64_t* const sepM = sepBits_.data();
    const char** const first = bounds_.data();
    const char** b = first;
    const char** const last = first + 2 * (inCount_ - 1);
    const char* f = a + s;
    const std::size_t wEnd = (eol - 1) >> 6;
    uint64_t x = sepM[s >> 6] & (~uint64_t{0} << (s & 63));
    for (std::size_t w = s >> 6;; x = sepM[++w]) {
        if (w == wEnd) x &= ~uint64_t{0} >> (63 - ((eol - 1) & 63));
        for (; x != 0; x &= x - 1) {
            if (b == last) return false;
            const char* const at = a + (w << 6) + static_cast<std::size_t>(std::countr_zero(x));
            b[0] = f;
            b[1] = at;
            b += 2;
            f = at + 1;
        }
        if (w == wEnd) break;
    }
    if (b != last) return false;
    b[0] = f;
    b[1] = a + eol;
    const uint64_t* const fromM = fromBits_.data();
    for (const std::size_t k : touch_) {
        const char* const* v = first + 2 * k;
        if (cols_[k].date) {
            const DateRecipe& r = dates_[k];
            char* const to = o + (v[0] - a);
            if (static_cast<std::size_t>(v[1] - v[0]) != r.InLen() || aEnd - v[0] < 16 || oEnd - to < 16) return false;
            r.RewriteWide(v[0], to);
        } else if (bytescan::AnyBit(fromM, static_cast<std::size_t>(v[0] - a), static_cast<std::size_t>(v[1] - a))) {
            return false; // a column kept as read whose decimal separator may stay
        }
    }
    return true;
}

std::size_t DirectLine::ConvertRun(std::string_view ahead, std::size_t maxLine, IOutSink& out, LineDoneFn lineDone,
                                   void* ctx) {
    if (!runs_) return 0;
    if (pause_ > 0) {
        --pause_;
        return 0;
    }
    if (known_) {
        known_ = false; // the line that ended the last chunk: Convert's
        return 0;
    }
    const char* const a = ahead.data();
    std::size_t n = std::min(ahead.size(), kMaxChunk);
    const void* lf = n > 0 ? ::memrchr(a, '\n', n) : nullptr;
    if (lf == nullptr) return 0; // no whole line read yet, or one longer than a chunk
    n = static_cast<std::size_t>(static_cast<const char*>(lf) - a) + 1;
    char* const o = out.Room(n);
    if (o == nullptr) return 0;
    // The chunk is copied a step ahead of the lines checked, so that a line which is no plain
    // record leaves little copied for nothing.
    std::size_t mapped = 0;
    auto mapStep = [&] {
        const std::size_t to = std::min(n, mapped + kMapStep);
        if (sameDecimal_) MapRun<true>(a, mapped, to, o);
        else MapRun<false>(a, mapped, to, o);
        mapped = to;
    };
    std::size_t done = 0;
    while (done < n) {
        std::size_t e = 0;
        while (!bytescan::NextBitBefore(lfBits_.data(), done, mapped, e)) mapStep();
        if (e - done > maxLine || !PlainRecord(a, a + ahead.size(), o, o + n, done, e)) {
            known_ = done > 0;
            break;
        }
        done = e + 1;
        if (!lineDone(ctx)) break;
    }
    if (done == 0) {
        // Lines Convert must take, perhaps many: the chunk is tried again only after a while.
        pause_ = backoff_;
        backoff_ = std::min(backoff_ * 2, kMaxPause);
        return 0;
    }
    backoff_ = kFirstPause;
    out.Commit(done); // room the sink gave is always taken back whole
    return done;
}

} // namespace lmx
