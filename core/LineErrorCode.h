#pragma once
// Why a line was rejected: the code travels as this value and becomes its name ("#Date") only
// where it is shown or written out.
#include <array>
#include <string_view>

namespace lmx {

// leLength: a line longer than the reader's bound (LineReader::kMaxLine), of which only the start
// was kept. leDecClash: a number already holds the output decimal separator, so that the change of
// separator would write another number. leUnknown: a code no engine gives, named "".
enum LineError : int {
    leUnknown = -1,
    leOk = 0,
    leUnstring = 1,
    leDecSep = 2,
    leWrite = 3,
    leDate = 4,
    leValue = 5,
    leType = 6,
    leLength = 7,
    leDecClash = 8,
};

// "#ok", "#Unstring", "#Dec Sep.", "#Write", "#Date", "#Value", "#Type", "#Length", "#Dec Clash":
// index = line-error code.
const std::array<std::string_view, 9>& LineErrorNames();
inline std::string_view LineErrorName(LineError code) {
    return code >= 0 && code < static_cast<int>(LineErrorNames().size()) ? LineErrorNames()[static_cast<std::size_t>(code)]
                                                                         : std::string_view();
}

} // namespace lmx
