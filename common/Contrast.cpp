#include "common/Contrast.h"

#include <cmath>

namespace lmx {

namespace {

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int Toward(int from, int to, int step, int steps) {
    // Rounded toward the end, so that the last step is the end itself.
    const int delta = to - from;
    const int moved = (std::abs(delta) * step + steps - 1) / steps;
    return from + (delta < 0 ? -moved : moved);
}

} // namespace

Rgb RgbFromBgr(uint32_t bgr) {
    return {static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF)};
}

double RelativeLuminance(Rgb c) { return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b); }

double ContrastRatio(Rgb a, Rgb b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

Rgb TextOn(Rgb text, Rgb background) {
    if (ContrastRatio(text, background) >= kReadableRatio) return text;
    const Rgb black{0, 0, 0}, white{255, 255, 255};
    return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}

Rgb ReadableOn(Rgb wanted, Rgb other, double ratio) {
    if (ContrastRatio(wanted, other) >= ratio) return wanted;
    const Rgb black{0, 0, 0}, white{255, 255, 255};
    const Rgb end = ContrastRatio(black, other) >= ContrastRatio(white, other) ? black : white;
    // Every colour reads at 4.58:1 at least on black or on white: the end is always reached.
    constexpr int kSteps = 256;
    for (int s = 1; s < kSteps; ++s) {
        const Rgb c{Toward(wanted.r, end.r, s, kSteps), Toward(wanted.g, end.g, s, kSteps),
                    Toward(wanted.b, end.b, s, kSteps)};
        if (ContrastRatio(c, other) >= ratio) return c;
    }
    return end;
}

} // namespace lmx
