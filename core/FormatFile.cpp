#include "core/FormatFile.h"

#include "common/Text.h"
#include "common/Basics.h"
#include "common/DurableFile.h"
#include "env/LangTexts.h"

#include <new>

namespace lmx {

FmtFile::FmtFile(FormatState& state, const LangTexts& lang, IMessages& messages, SystemPort& port)
    : state_(state), lang_(lang), messages_(messages), port_(port),
      writer_([&port](const std::string& path, std::string_view content) {
          std::string error;
          return WriteFileDurably(path, content, error, port);
      }) {}

std::string FmtFile::BackupFileName() const { return ChangeFileExt(FmtFileName, ".old"); }

int FmtFile::FmtLoadList() {
    state_.FmtNames.clear();
    state_.ColNames.clear();
    try {
        if (!FileIsThere()) return frNoFile;
        FmtLineReader in;
        if (!in.Open(FmtFileName, port_)) return frNoFormat;
        std::string line;
        while (in.ReadLine(line)) {
            const std::string_view key = LineKey(line);
            const std::string_view value = LineValue(line);
            if (key == "NOM") {
                state_.FmtNames.emplace_back(value);
            } else if (key == "COL") {
                // A value without a bar gives an empty name: the column is malformed anyway.
                const auto bar = value.find('|');
                state_.ColNames.emplace_back(bar == std::string_view::npos ? std::string_view() : value.substr(0, bar));
            }
        }
        if (in.Failed()) {
            state_.FmtNames.clear();
            state_.ColNames.clear();
            return frNoFormat;
        }
        SortNames(state_.FmtNames);
        return state_.FmtNames.empty() ? frNoFormat : frOk;
    } catch (const std::bad_alloc&) {
        state_.FmtNames.clear();
        state_.ColNames.clear();
        return frNoFormat;
    }
}

FormatRead FmtFile::Load(const std::string& name) {
    FormatRead read;
    if (name.empty()) {
        read.code = frEmptyName;
    } else if (!FileIsThere()) {
        read.code = frNoFile;
    } else {
        try {
            FmtLineReader in;
            if (in.Open(FmtFileName, port_)) read = ReadFormat(in, name);
            else read.code = frOpenFailed;
        } catch (const std::bad_alloc&) {
            // A file too large to hold is one the program cannot read, not a faulty format.
            read = FormatRead{};
            read.code = frOpenFailed;
        }
    }
    if (read.metDate) {
        state_.DateRemembered = true;
        state_.RememberedDateSep = read.lastDateSep;
        state_.RememberedDateFmt = read.lastDateLayout;
    }
    fault_ = read.fault;
    return read;
}

int FmtFile::FmtLoadDescription(int mode, const std::string& name) {
    FormatRead read = Load(name);
    if (read.code != frOk || (mode != flmInput && mode != flmOutput)) return read.code;
    const bool input = mode == flmInput;
    (input ? state_.Input : state_.Output) = std::move(read.format);
    (input ? state_.InColCount : state_.OutColCount) = (input ? state_.Input : state_.Output).ColumnCount();
    if (state_.DateRemembered) {
        (input ? state_.InDateSep : state_.OutDateSep) = state_.RememberedDateSep.substr(0, 1);
        (input ? state_.InDateFmt : state_.OutDateFmt) = state_.RememberedDateFmt;
    }
    return frOk;
}

} // namespace lmx
