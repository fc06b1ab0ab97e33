#pragma once
// The parameter slots that hold a code rather than a plain text: "$Q" (the value is taken from
// elsewhere) and the "0"/"1"/"2" choices are read and written here only.
#include <string>
#include <string_view>

namespace lmx {

class Params;

// "$Q" in MRS, MRD, EXT or ENC: the source's folder or extension, the program's folder, or the
// system's encoding stands in for a value of the user's.
inline constexpr std::string_view kPrmElsewhere = "$Q";
inline bool IsElsewhere(std::string_view value) { return value == kPrmElsewhere; }

// ERL: what a bad input line does. Any other text sets neither choice.
enum class BadLineRule { Unset, Reject, Stop };
BadLineRule BadLineRuleOf(const Params& prm);
std::string_view BadLineCode(BadLineRule rule); // "1", "2"; "" for Unset

// SDL: what happens to the sources after a run. Any other text leaves them.
enum SourceDisposal : int { sdKeep = 0, sdTrash = 1, sdDelete = 2 };
SourceDisposal SourceDisposalOf(const Params& prm);
std::string_view SourceDisposalCode(SourceDisposal disposal);

// SRN: the text inserted into source names after a run; "0" renames nothing.
inline constexpr std::string_view kNoRenaming = "0";
inline bool RenamesSources(std::string_view srn) { return srn != kNoRenaming; }

// MRS or MRD as a folder to open a dialog in: "$Q" stands for the program's folder.
std::string DialogFolder(const Params& prm, int index);
// EXT for a result of this source: "$Q" keeps the source's own extension.
std::string ResultExtension(const Params& prm, std::string_view source);

} // namespace lmx
