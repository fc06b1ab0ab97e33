#pragma once
// A date rewrite prepared once per file, for the engines' hot path.
#include "core/Converter.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lmx {

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
    bool Rewrite(const char* value, char* out);
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
    std::size_t RewriteOther(const char* value, std::size_t len, char* out);
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
    std::string widened_; // a date rewritten by the primitive; each line converter has its recipes
};

} // namespace lmx
