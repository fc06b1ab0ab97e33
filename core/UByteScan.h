#pragma once
// Word-at-a-time byte search and replace for the hot loop: eight bytes per step in plain C++.
#include <bit>
#include <cstdint>
#include <cstring>

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
