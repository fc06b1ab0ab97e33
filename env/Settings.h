#pragma once
// The user's settings and remembered choices as values. Only the settings file (env/Params.h)
// turns them into its texts and back.
#include "common/Cp1252.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lmx {

// What a bad input line does; Unset when the file holds neither choice (no button is checked).
enum class BadLineRule { Unset, Reject, Stop };
// What happens to the sources after a run.
enum SourceDisposal : int { sdKeep = 0, sdTrash = 1, sdDelete = 2 };
// The encoding of data files: the system's (UTF-8 when the locale's character set is), or a fixed one.
enum class DataEncoding { System, Utf8, Windows1252 };

// The log's detail: simple, extended; another whole number above 0 also extends the log but matches
// no button; Unreadable matches nothing.
enum class LogDetail { Unreadable, Simple, Extended, ExtendedOther };
inline bool ExtendsLog(LogDetail d) { return d == LogDetail::Extended || d == LogDetail::ExtendedOther; }

struct Settings {
    std::string language = "Fran\xE7" "ais";     // the user interface's, Windows-1252
    std::optional<std::string> sourceFolder;      // of the last chosen source; none: the program's folder
    std::optional<std::string> resultFolder;      // none: each result beside its source
    std::string addedText = "_conv";              // inserted before the extension of a proposed result
    std::optional<std::string> resultExtension;   // none: the source's own
    SourceDisposal disposal = sdKeep;
    std::optional<std::string> renameText;        // inserted into source names after a run; none: no renaming
    BadLineRule badLine = BadLineRule::Reject;
    std::string inputFormat;                      // last chosen, "" when none
    std::string outputFormat;
    std::optional<uint32_t> logTextColor = 0x00B7C9A7; // BGR; none: a text that names no colour
    std::optional<uint32_t> logBackColor = 0x00494248;
    LogDetail log = LogDetail::Extended;
    DataEncoding encoding = DataEncoding::System;
    bool lfOnly = false;                          // results and rejects end their lines with LF alone

    bool operator==(const Settings&) const = default;
};

bool SystemIsUtf8();
bool DataIsUtf8(DataEncoding encoding);
// How the window shows data lines: with the system's encoding on a UTF-8 system, a line that is no
// UTF-8 shows as Windows-1252, so that a file from another system reads.
DataShown DataShownOf(DataEncoding encoding);

// A folder setting for a dialog to open in: none stands for the program's folder.
inline std::string DialogFolder(const std::optional<std::string>& folder, const std::string& programDir) {
    return folder ? *folder : programDir;
}
// The extension of a result of this source.
std::string ResultExtension(const Settings& s, std::string_view source);

// The texts the converter's options and its data settings still speak ("UTF-8", "LF").
DataEncoding DataEncodingOf(std::string_view text);
std::string_view EncodingText(DataEncoding encoding);
inline std::string_view LineEndText(bool lfOnly) { return lfOnly ? "LF" : "CRLF"; }
// Kept for callers that hold the texts.
inline bool DataIsUtf8(std::string_view text) { return DataIsUtf8(DataEncodingOf(text)); }
inline DataShown DataShownOf(std::string_view text) { return DataShownOf(DataEncodingOf(text)); }
inline bool DataEndsLf(std::string_view eol) { return eol == "LF"; }

} // namespace lmx
