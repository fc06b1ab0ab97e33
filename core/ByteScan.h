#pragma once
// Word-at-a-time byte search and replace for the hot loop: eight bytes per step in plain C++.
#include "core/Format.h"

#include <bit>
#include <cstdint>
#include <cstring>

// SSE2 belongs to every x86-64 processor: sixteen bytes a step there, the word path elsewhere.
#if defined(__SSE2__)
#include <emmintrin.h>
#define LMX_SSE2 1
#else
#define LMX_SSE2 0
#endif

namespace lmx::bytescan {

inline constexpr uint64_t kOnes = 0x0101010101010101ULL;
inline constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;

inline uint64_t Load(const char* p) {
    uint64_t w;
    std::memcpy(&w, p, sizeof w);
    if constexpr (std::endian::native == std::endian::big) w = __builtin_bswap64(w);
    return w;
}

inline void Store(char* p, uint64_t w) {
    if constexpr (std::endian::native == std::endian::big) w = __builtin_bswap64(w);
    std::memcpy(p, &w, sizeof w);
}

// High bit set in exactly the bytes of w equal to b (byte 0 = lowest address).
inline uint64_t MatchBits(uint64_t w, char b) {
    const uint64_t t = w ^ (kOnes * static_cast<unsigned char>(b));
    return ~(((t & kLow7) + kLow7) | t | kLow7);
}

// Calls found(offset) for every byte equal to b in [p, p + n), in order.
template <class F>
inline void ForEachByte(const char* p, std::size_t n, char b, F&& found) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t m = MatchBits(Load(p + i), b);
        while (m) {
            found(i + static_cast<std::size_t>(std::countr_zero(m) >> 3));
            m &= m - 1;
        }
    }
    for (; i < n; ++i)
        if (p[i] == b) found(i);
}

// Every byte equal to from becomes to.
inline void ReplaceByte(char* p, std::size_t n, char from, char to) {
    const uint64_t toRep = kOnes * static_cast<unsigned char>(to);
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const uint64_t w = Load(p + i);
        const uint64_t m = MatchBits(w, from);
        if (m) Store(p + i, (w & ~((m >> 7) * 0xFF)) | (toRep & ((m >> 7) * 0xFF)));
    }
    for (; i < n; ++i)
        if (p[i] == from) p[i] = to;
}

} // namespace lmx::bytescan

namespace lmx::bytescan {

// w with every byte equal to from replaced by to.
inline uint64_t ReplaceIn(uint64_t w, char from, char to) {
    const uint64_t m = (MatchBits(w, from) >> 7) * 0xFF;
    return (w & ~m) | ((kOnes * static_cast<unsigned char>(to)) & m);
}

// Copies n bytes from src to dst (distinct areas), every from byte becoming to when Replace is
// set. Short fields are the common case: a few overlapping word moves instead of a call to memcpy.
template <bool Replace>
inline void CopyBytes(char* dst, const char* src, std::size_t n, char from = '\0', char to = '\0') {
    auto map = [&](uint64_t w) { return Replace ? ReplaceIn(w, from, to) : w; };
    if (n >= 8) {
        // Up to 16 bytes: two words that may overlap (the overlap gets the same values twice).
        // No loop there, so that the compiler does not make a vector loop of it for six bytes.
        if (n <= 16) {
            const uint64_t a = map(Load(src)), b = map(Load(src + n - 8));
            Store(dst, a);
            Store(dst + n - 8, b);
            return;
        }
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) Store(dst + i, map(Load(src + i)));
        if (i < n) Store(dst + n - 8, map(Load(src + n - 8)));
        return;
    }
    if (n >= 4) {
        uint32_t a, b;
        std::memcpy(&a, src, 4);
        std::memcpy(&b, src + n - 4, 4);
        if constexpr (Replace) {
            // The change is byte by byte: the zero high half is dropped again, whatever it became.
            a = static_cast<uint32_t>(ReplaceIn(a, from, to));
            b = static_cast<uint32_t>(ReplaceIn(b, from, to));
        }
        std::memcpy(dst, &a, 4);
        std::memcpy(dst + n - 4, &b, 4);
        return;
    }
    for (std::size_t i = 0; i < n; ++i) dst[i] = Replace && src[i] == from ? to : src[i];
}

} // namespace lmx::bytescan

namespace lmx::bytescan {

// High bit set in the bytes of w that are neither an ASCII digit nor other (when hasOther).
inline uint64_t NotDigitOr(uint64_t w, bool hasOther, char other) {
    const uint64_t x = w ^ (kOnes * '0'); // a digit becomes 0 to 9
    uint64_t bad = (x | ((x & kLow7) + kOnes * 0x76)) & (kOnes * 0x80);
    if (hasOther) bad &= ~MatchBits(w, other);
    return bad;
}

// True when every byte of [p, p + n) is an ASCII digit or other (when hasOther).
inline bool AllDigitsOr(const char* p, std::size_t n, bool hasOther, char other) {
    if (n >= 8) {
        uint64_t bad = 0;
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) bad |= NotDigitOr(Load(p + i), hasOther, other);
        if (i < n) bad |= NotDigitOr(Load(p + n - 8), hasOther, other);
        return bad == 0;
    }
    if (n >= 4) {
        uint32_t a, b;
        std::memcpy(&a, p, 4);
        std::memcpy(&b, p + n - 4, 4);
        // The high half is filled with digits, which pass whatever other is.
        const uint64_t pad = (kOnes * '0') & ~uint64_t{0xFFFFFFFF};
        return (NotDigitOr(a | pad, hasOther, other) | NotDigitOr(b | pad, hasOther, other)) == 0;
    }
    for (std::size_t i = 0; i < n; ++i)
        if ((p[i] < '0' || p[i] > '9') && !(hasOther && p[i] == other)) return false;
    return true;
}

// True when some byte of [p, p + n) is b.
inline bool HoldsByte(const char* p, std::size_t n, char b) {
    if (n >= 8) {
        uint64_t hit = 0;
        std::size_t i = 0;
        for (; i + 8 <= n; i += 8) hit |= MatchBits(Load(p + i), b);
        if (i < n) hit |= MatchBits(Load(p + n - 8), b);
        return hit != 0;
    }
    for (std::size_t i = 0; i < n; ++i)
        if (p[i] == b) return true;
    return false;
}

// Values of eight bytes and more: word by word. A word may hold one separator, and one word
// only; bytes seen twice by the last, overlapping word are kept out of it. Out of line, so that
// the short path below stays small enough to be inlined.
[[gnu::noinline]] inline bool LongNumberBytes(const char* p, std::size_t n, bool hasDec, char dec) {
    uint64_t bad = 0, twice = 0;
    std::size_t decs = 0;
    const auto count = [&](uint64_t w, uint64_t keep) {
        bad |= NotDigitOr(w, hasDec, dec) & keep;
        if (hasDec) {
            const uint64_t m = MatchBits(w, dec) & keep;
            twice |= m & (m - 1);
            decs += m != 0 ? 1 : 0;
        }
    };
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) count(Load(p + i), ~uint64_t{0});
    if (i < n) count(Load(p + n - 8), ~uint64_t{0} << (8 * (8 - (n - i))));
    return bad == 0 && twice == 0 && decs <= 1;
}

// A number as the numeric control accepts it: an optional leading "-" or "+", then digits and at
// most one dec (when hasDec), with one digit at least. The empty value passes.
inline bool NumberBytes(const char* p, std::size_t n, bool hasDec, char dec) {
    if (n == 0) return true;
    if (p[0] == '-' || p[0] == '+') {
        ++p;
        --n;
        if (n == 0) return false;
    }
    if (n >= 8) return LongNumberBytes(p, n, hasDec, dec);
    // The usual price or volume: the bytes that are no digit, byte i of the value at byte i of one
    // word; one of them at most, and that one the separator.
    uint64_t bad;
    const uint64_t digits = kOnes * '0';
    if (n >= 4) {
        // Bytes 0 to 3, then bytes 4 to n - 1 from a load that ends at the last byte.
        uint32_t a, b;
        std::memcpy(&a, p, 4);
        std::memcpy(&b, p + n - 4, 4);
        if constexpr (std::endian::native == std::endian::big) {
            a = __builtin_bswap32(a);
            b = __builtin_bswap32(b);
        }
        const uint64_t high = digits & ~uint64_t{0xFFFFFFFF};
        const uint64_t tail = NotDigitOr(b | high, false, '\0') >> (8 * (8 - n));
        bad = NotDigitOr(a | high, false, '\0') | (tail << 32);
    } else {
        uint64_t w = 0;
        for (std::size_t i = 0; i < n; ++i) w |= uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
        bad = NotDigitOr(w | (digits & ~((uint64_t{1} << (8 * n)) - 1)), false, '\0');
    }
    if (bad == 0) return true;
    return hasDec && (bad & (bad - 1)) == 0 && n > 1 && p[std::countr_zero(bad) >> 3] == dec;
}

} // namespace lmx::bytescan

namespace lmx::bytescan {

// ASCII letters only change case: accented letters keep theirs.
inline void ForceAsciiCase(char* p, std::size_t n, CaseCode code) {
    if (code == CaseCode::None) return;
    const char lo = code == CaseCode::Upper ? 'a' : 'A';
    const int shift = code == CaseCode::Upper ? 'A' - 'a' : 'a' - 'A';
    for (std::size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(p[i] - lo) < 26) p[i] = static_cast<char>(p[i] + shift);
}

} // namespace lmx::bytescan

namespace lmx::bytescan {

// The first CR or LF in [p, stop), or stop.
inline const char* FindLineEnd(const char* p, const char* stop) {
#if LMX_SSE2
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    for (; stop - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto m = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf))));
        if (m) return p + std::countr_zero(m);
    }
#endif
    for (; stop - p >= 8; p += 8) {
        const uint64_t w = Load(p);
        const uint64_t m = MatchBits(w, '\r') | MatchBits(w, '\n');
        if (m) return p + (std::countr_zero(m) >> 3);
    }
    for (; p < stop; ++p)
        if (*p == '\r' || *p == '\n') return p;
    return stop;
}

} // namespace lmx::bytescan

namespace lmx::bytescan {

// Calls step(at, keep) over [0, n), n >= 16, sixteen bytes a step; when n is no multiple of 16 the
// last step overlaps the one before, and keep (one bit a byte) leaves out the bytes already seen.
// False as soon as a step is.
template <class Step>
inline bool Steps16(std::size_t n, Step&& step) {
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16)
        if (!step(i, 0xFFFFu)) return false;
    return i == n || step(n - 16, (0xFFFFu << (16 - (n - i))) & 0xFFFFu);
}

// Bit maps, bit i of word i / 64 for byte i: some bit of m from i to j (excluded) is set.
[[gnu::always_inline]] inline bool AnyBit(const uint64_t* m, std::size_t i, std::size_t j) {
    if (i >= j) return false;
    const std::size_t wi = i >> 6, wj = (j - 1) >> 6;
    const uint64_t lo = ~uint64_t{0} << (i & 63);
    const uint64_t hi = ~uint64_t{0} >> (63 - ((j - 1) & 63));
    if (wi == wj) return (m[wi] & lo & hi) != 0;
    if ((m[wi] & lo) != 0) return true;
    for (std::size_t w = wi + 1; w < wj; ++w)
        if (m[w] != 0) return true;
    return (m[wj] & hi) != 0;
}

// The first set bit of m from i to j (excluded), in at; false for none.
[[gnu::always_inline]] inline bool NextBitBefore(const uint64_t* m, std::size_t i, std::size_t j, std::size_t& at) {
    if (i >= j) return false;
    std::size_t w = i >> 6;
    const std::size_t wj = (j - 1) >> 6;
    uint64_t x = m[w] & (~uint64_t{0} << (i & 63));
    while (x == 0 && w < wj) x = m[++w];
    if (x == 0) return false;
    at = (w << 6) + static_cast<std::size_t>(std::countr_zero(x));
    return at < j;
}

} // namespace lmx::bytescan
