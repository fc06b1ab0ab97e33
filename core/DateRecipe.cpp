// The date rewrite of the engines' hot path: bytes moved to fixed places.
#include "core/DateRecipe.h"

#include "core/ByteScan.h"

#include <cstring>

#if LMX_SSE2
#include <tmmintrin.h>
#endif

namespace lmx {

namespace {

#if LMX_SSE2
// One byte shuffle does the whole rewrite where the processor has it (every x86-64 made since
// 2006); the check is done once per file.
__attribute__((target("ssse3"))) void Shuffle16(const char* value, const char* pick, const char* fill, char* out) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(value));
    const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pick));
    const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fill));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_or_si128(_mm_shuffle_epi8(v, m), f));
}

// The same over the bytes already at out: those past the date (keep) stay as they are.
__attribute__((target("ssse3"))) void ShuffleOver(const char* value, const char* pick, const char* fill,
                                                   const char* keep, char* out) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(value));
    const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pick));
    const __m128i f = _mm_loadu_si128(reinterpret_cast<const __m128i*>(fill));
    const __m128i k = _mm_loadu_si128(reinterpret_cast<const __m128i*>(keep));
    const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out));
    const __m128i date = _mm_or_si128(_mm_shuffle_epi8(v, m), f);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_or_si128(_mm_and_si128(k, old), _mm_andnot_si128(k, date)));
}

bool CanShuffle() { return __builtin_cpu_supports("ssse3"); }
#else
void Shuffle16(const char*, const char*, const char*, char*) {}
void ShuffleOver(const char*, const char*, const char*, const char*, char*) {}
bool CanShuffle() { return false; }
#endif

} // namespace

void DateRecipe::Prepare(const Converter& conv) { Prepare(conv, conv.Pair()); }

void DateRecipe::Prepare(const Converter& conv, const DateConvValues& v) {
    conv_ = &conv;
    d_ = v;
    const std::string& layout = v.InFmt;
    const std::string& sep = v.OutSepText;
    inLen_ = layout.size();
    outLen_ = v.OutLen > 0 ? static_cast<std::size_t>(v.OutLen) : 0;
    widen_ = !v.CutYear && v.WidenYear;
    from_.clear();
    fill_.clear();
    shuffle_ = false;
    never_ = inLen_ > kMaxLen || v.OutLen < 0;
    // A month by its name is no move of bytes: the primitive reads and writes it.
    general_ = HasMonthName(v.InFmt) || HasMonthName(v.OutFmt);
    if (never_ || widen_ || general_) return;

    std::vector<int8_t> y, m, d;
    for (std::size_t i = 0; i < inLen_; ++i) {
        const auto at = static_cast<int8_t>(i);
        if (layout[i] == 'Y') y.push_back(at);
        else if (layout[i] == 'M') m.push_back(at);
        else if (layout[i] == 'D') d.push_back(at);
    }
    if (v.CutYear && y.size() > 2) y.erase(y.begin(), y.end() - 2);
    const std::vector<int8_t>* parts[3] = {};
    switch (v.Order) {
    case 1: parts[0] = &y, parts[1] = &m, parts[2] = &d; break;
    case 2: parts[0] = &y, parts[1] = &d, parts[2] = &m; break;
    case 3: parts[0] = &d, parts[1] = &m, parts[2] = &y; break;
    case 4: parts[0] = &m, parts[1] = &d, parts[2] = &y; break;
    default: never_ = true; return;
    }
    for (int p = 0; p < 3; ++p) {
        if (p > 0) {
            from_.insert(from_.end(), sep.size(), int8_t{-1});
            fill_.append(sep);
        }
        from_.insert(from_.end(), parts[p]->begin(), parts[p]->end());
        fill_.append(parts[p]->size(), '\0');
    }
    never_ = from_.size() != outLen_;
    shuffle_ = !never_ && inLen_ <= 16 && outLen_ <= 16 && CanShuffle();
    if (!shuffle_) return;
    // A pick byte with its high bit set gives 0, where the fill puts the separator.
    pick_.fill(static_cast<char>(0x80));
    fill16_.fill('\0');
    keep16_.fill(static_cast<char>(0xFF));
    for (std::size_t j = 0; j < outLen_; ++j) {
        keep16_[j] = '\0';
        if (from_[j] >= 0) pick_[j] = static_cast<char>(from_[j]);
        else fill16_[j] = fill_[j];
    }
}

std::size_t DateRecipe::RewriteOther(const char* value, std::size_t len, char* out) {
    if (len > kMaxLen || !conv_->DateConvInto(std::string_view(value, len), d_, widened_)) return kNoDate;
    std::memcpy(out, widened_.data(), widened_.size());
    return widened_.size();
}

void DateRecipe::RewriteWide(const char* value, char* out) const {
    ShuffleOver(value, pick_.data(), fill16_.data(), keep16_.data(), out);
}

bool DateRecipe::Rewrite(const char* value, char* out) {
    if (never_) return false;
    if (widen_) {
        if (!conv_->DateConvInto(std::string_view(value, inLen_), d_, widened_) || widened_.size() != outLen_) return false;
        std::memcpy(out, widened_.data(), outLen_);
        return true;
    }
    if (shuffle_) {
        char moved[16];
        Shuffle16(value, pick_.data(), fill16_.data(), moved);
        bytescan::CopyBytes<false>(out, moved, outLen_ < 16 ? outLen_ : 16); // never more: see Prepare
        return true;
    }
    const int8_t* from = from_.data();
    const char* fill = fill_.data();
    for (std::size_t j = 0; j < outLen_; ++j) out[j] = from[j] >= 0 ? value[from[j]] : fill[j];
    return true;
}

} // namespace lmx
