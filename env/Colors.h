#pragma once
// Colours as the parameters file keeps them: "$" and eight hexadecimal digits 00BBGGRR, or the name
// of one of the sixteen standard colours.
#include <cstdint>
#include <string>
#include <string_view>

namespace lmx {

// Accepts a standard name (any case), "$" with one or more hexadecimal digits (any case), or a
// plain decimal number; the value must fit in 24 bits (blue, green, red). No blanks around it.
bool ColorFromText(std::string_view text, uint32_t& bgr);

// The standard name when the colour has one, else "$00BBGGRR" in upper case.
std::string ColorToText(uint32_t bgr);

} // namespace lmx
