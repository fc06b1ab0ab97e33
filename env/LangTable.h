#pragma once
#include "env/LangKeys.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace lmx {

inline constexpr std::size_t kLangTextCount = static_cast<std::size_t>(LK::Count);

struct LangEntry {
    std::string_view key;
    std::string_view frenchUtf8;
};

const std::array<LangEntry, kLangTextCount>& LangTable();

} // namespace lmx
