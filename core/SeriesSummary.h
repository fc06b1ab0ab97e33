#pragma once
// The words of a series' summary, the same for the chart page and the converter's --summary: the
// column, its number of points, its first and last dates, its minimum and maximum and its largest
// jump with the line it lands on ("ligne 4 321 : ×100").
#include "core/Series.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

class LangTexts;

// n with its digits grouped by three, sep between the groups.
std::string GroupedNumber(int64_t n, std::string_view sep);

// A ratio for the eye: three significant digits at most, decSep as the decimal separator.
std::string RatioText(double ratio, std::string_view decSep);

// The summary of one column, one field each: name, points, first date, last date, minimum,
// maximum, largest jump. Values as the file writes them; decSep for the jump's ratio.
std::vector<std::string> SummaryFields(const ColumnSummary& s, std::string_view decSep, const LangTexts& lang);

// One point of the series: its line's number, date and value ("ligne 12, 03/01/2000 : 101,5").
std::string PointText(int64_t lineNo, std::string_view date, std::string_view value, const LangTexts& lang);

} // namespace lmx
