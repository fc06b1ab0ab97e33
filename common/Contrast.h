#pragma once
// Whether a text reads on what it is drawn on, for people with low vision too: the relative
// luminance and contrast ratio of WCAG 2 (1:1 to 21:1; 4.5:1 for ordinary text, level AA).
#include <cstdint>

namespace lmx {

struct Rgb {
    int r = 0, g = 0, b = 0; // 0 to 255
    bool operator==(const Rgb&) const = default;
};

inline constexpr double kReadableRatio = 4.5;

// From the program's colour values, 00BBGGRR.
Rgb RgbFromBgr(uint32_t bgr);

double RelativeLuminance(Rgb c);
double ContrastRatio(Rgb a, Rgb b);

// wanted itself when it reads on other; otherwise wanted taken toward black or white (whichever
// reads better on other) just far enough to read: the same hue, darker or lighter. Works both
// ways: a text colour on its background, or a background under a given text colour.
Rgb ReadableOn(Rgb wanted, Rgb other, double ratio = kReadableRatio);

// A theme's text on a background the program chose: the text itself when it reads there, else
// black or white, whichever reads better (a plain text has no hue to keep).
Rgb TextOn(Rgb text, Rgb background);

} // namespace lmx
