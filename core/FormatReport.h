#pragma once
// What a format file says of its formats, without a window: whether each one loads (and if not,
// where and why), what the editor's checks say of it, and a format's description line by line.
#include "core/ColumnDraft.h"
#include "core/FormatFile.h"

#include <cstddef>
#include <string>
#include <vector>

namespace lmx {

class LangTexts;

// Why the format does not load, in the language's words (Windows-1252): the reader's code and
// meaning and, where the reader knows them, the line and field at fault. The caller names the format.
std::string FmtLoadProblem(const std::string& name, StatusCode code, const FmtReadFault& fault, const LangTexts& lang);

struct FmtCheck {
    std::string name;
    Status status;                     // the reader's
    std::string problem;               // FmtLoadProblem when the format does not load
    std::vector<std::string> messages; // the editor's message lines: label, one blank, text
    std::vector<std::string> notes;    // remarks of the report's own (plain English)
    bool passed = false;               // it loads and the editor's checks find no error
};

struct FmtFileReport {
    Status list;                   // the list's: Ok, FmtNoFormat or FmtNoFile
    std::vector<FmtCheck> formats; // one per name, in the list's order
    std::size_t PassedCount() const;
    bool AllPassed() const { return list.Ok() && PassedCount() == formats.size(); }
};

// Loads every format of the file and runs the editor's checks on each. The file is only read.
FmtFileReport CheckFormatFile(const std::string& fmtPath, const LangTexts& lang);

// The editor's checks of a save, run on a loaded format as if it were saved unchanged (each
// column checked as the editor checks it when stored). Appends the message lines; true when no error.
bool CheckLoadedFormat(const Format& f, const LangTexts& lang, std::vector<std::string>& messages);

// The log's description lines of the format, then one line per column: name, type, date
// separator, control, forced case, prefix or suffix.
std::vector<std::string> FormatDescription(const Format& f);
std::string ColumnDescription(std::size_t number, const Column& c);

} // namespace lmx
