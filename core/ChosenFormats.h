#pragma once
// The formats a session has chosen and the names its format file holds.
#include "core/Format.h"

#include <optional>
#include <string>
#include <vector>

namespace lmx {

// The names the format file holds: its formats' (sorted, duplicates kept) and its columns' (file
// order until SortColNames).
struct FormatCatalogue {
    std::vector<std::string> FormatNames;
    std::vector<std::string> ColumnNames;
};

// The input and output formats a session has chosen, each empty while none is (never chosen, or
// the last choice failed), and the format file's catalogue. One instance lives for the program's
// life, owned by whoever owns the session; tests make their own.
struct ChosenFormats {
    std::optional<Format> Input;
    std::optional<Format> Output;
    FormatCatalogue Catalogue;
};

} // namespace lmx
