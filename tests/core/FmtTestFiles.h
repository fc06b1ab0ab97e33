#pragma once
// Small format files for the format-file tests.
#include "common/UCommuns.h"
#include "support/TestSupport.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace lmx::test {

// A block: NOM, CMT, CLC, SEP ";", DEC ",", IFL 0, then the extra lines as given.
inline std::vector<std::string> Block(const std::string& name, const std::string& clc,
                                      std::initializer_list<std::string> rest, const std::string& comment = "c") {
    std::vector<std::string> b{"NOM=" + name, "CMT=" + comment, "CLC=" + clc, "SEP=;", "DEC=,", "IFL=0"};
    b.insert(b.end(), rest);
    return b;
}

inline std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

} // namespace lmx::test
