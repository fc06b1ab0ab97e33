#include "core/FormatFile.h"

#include "common/Text.h"
#include "common/Basics.h"
#include "common/DurableFile.h"
#include "env/LangTexts.h"

#include <new>

namespace lmx {

FmtFile::FmtFile(ChosenFormats& state, const LangTexts& lang, IMessages& messages, SystemPort& port)
    : state_(state), lang_(lang), messages_(messages), port_(port),
      writer_([&port](const std::string& path, std::string_view content, std::string& reason) {
          return WriteFileDurably(path, content, reason, port);
      }) {}

std::string FmtFile::BackupFileName() const { return ChangeFileExt(FmtFileName, ".old"); }

Status FmtFile::FmtLoadList() {
    state_.Catalogue.FormatNames.clear();
    state_.Catalogue.ColumnNames.clear();
    try {
        if (!FileIsThere()) return Status{StatusCode::FmtNoFile, {}};
        FmtLineReader in;
        if (!in.Open(FmtFileName, port_)) return Status{StatusCode::FmtNoFormat, {}};
        std::string line;
        while (in.ReadLine(line)) {
            const std::string_view key = LineKey(line);
            const std::string_view value = LineValue(line);
            if (key == "NOM") {
                state_.Catalogue.FormatNames.emplace_back(value);
            } else if (key == "COL") {
                // A value without a bar gives an empty name: the column is malformed anyway.
                const auto bar = value.find('|');
                state_.Catalogue.ColumnNames.emplace_back(bar == std::string_view::npos ? std::string_view() : value.substr(0, bar));
            }
        }
        if (in.Failed()) {
            state_.Catalogue.FormatNames.clear();
            state_.Catalogue.ColumnNames.clear();
            return Status{StatusCode::FmtNoFormat, {}};
        }
        SortNames(state_.Catalogue.FormatNames);
        return Status{state_.Catalogue.FormatNames.empty() ? StatusCode::FmtNoFormat : StatusCode::Ok, {}};
    } catch (const std::bad_alloc&) {
        state_.Catalogue.FormatNames.clear();
        state_.Catalogue.ColumnNames.clear();
        return Status{StatusCode::FmtNoFormat, {}};
    }
}

FormatRead FmtFile::Load(const std::string& name) {
    FormatRead read;
    if (name.empty()) {
        read.status.code = StatusCode::FmtEmptyName;
    } else if (!FileIsThere()) {
        read.status.code = StatusCode::FmtNoFile;
    } else {
        try {
            FmtLineReader in;
            if (in.Open(FmtFileName, port_)) read = ReadFormat(in, name);
            else read.status.code = StatusCode::FmtOpenFailed;
        } catch (const std::bad_alloc&) {
            // A file too large to hold is one the program cannot read, not a faulty format.
            read = FormatRead{};
            read.status.code = StatusCode::FmtOpenFailed;
        }
    }
    fault_ = read.fault;
    return read;
}

Status FmtFile::FmtLoadDescription(int mode, const std::string& name) {
    FormatRead read = Load(name);
    if (mode != flmInput && mode != flmOutput) return read.status;
    std::optional<Format>& side = mode == flmInput ? state_.Input : state_.Output;
    if (read.status == StatusCode::Ok) side = std::move(read.format);
    else side.reset();
    return read.status;
}

} // namespace lmx
