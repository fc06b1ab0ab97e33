#pragma once
// Small format files for the format-file tests.
#include "common/Basics.h"
#include "core/FormatReader.h"
#include "core/FormatFile.h"
#include "env/LangTexts.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

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

// A format file in a folder of its own, and its reader and writer.
struct FmtFileRig {
    FmtFileRig() { file.FmtFileName = dir.file("Lumivex.fmt"); }

    TempDir dir;
    ChosenFormats state;
    LangTexts lang;
    RecordingMessages messages;
    FmtFile file{state, lang, messages};
};

// A format with the columns of the COL values given (each must read).
inline Format FormatOf(std::string name, std::string colSep, std::string decSep, const std::vector<std::string>& cols,
                       std::string comment = "c", std::string skip = "0", std::vector<std::string> headers = {}) {
    Format f;
    f.name = std::move(name);
    f.comment = std::move(comment);
    f.countText = std::to_string(cols.size());
    f.colSep = std::move(colSep);
    f.decSep = std::move(decSep);
    f.skipText = std::move(skip);
    f.headers = std::move(headers);
    FormatRead read;
    for (const std::string& col : cols)
        if (!ReadColumn(1, col, f.columns.emplace_back(), read)) ADD_FAILURE() << "unreadable column " << col;
    return f;
}

} // namespace lmx::test
