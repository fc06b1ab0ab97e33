#pragma once
// Small stateless services shared by every part of the converter.
#include "common/SystemPort.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace lmx {

enum BannerKind : int { bkParameters = 10, bkFormats = 11, bkHistory = 12 };

// The seven 69-character lines heading every file the program maintains, joined by CR LF,
// without a line end after the last one.
std::string FileBanner(int kind);

// The date layouts, in the order the column-type list offers them: the ten numeric ones, then two
// with an English month abbreviation (MMM).
const std::array<std::string_view, 12>& DateLayouts();
// A layout written without a separator of its own ("/" places the separator): the two compact
// layouts, and "MMM DD, YYYY", whose blank and comma are part of it. Its separator is "0".
bool LayoutWithoutSeparator(std::string_view layout);

enum CheckRule : int {
    ckZero = 51,
    ckPositiveInt = 52,
    ckNonNegativeInt = 53,
    ckDirectory = 55,
    ckZeroText = 56,
    ckDateLayout = 60,
};

// Unknown rule codes answer false; nothing here throws.
bool CheckValue(int rule, std::string_view value);
bool CheckValue(int rule, int32_t value);

// Style 2: "Ok"/"Ko"; any other style: "True"/"False".
std::string BoolText(bool flag, int style);

// True when name matches pattern (wildcards * and ?).
bool WildMatch(std::string_view pattern, std::string_view name);

// The real system's answers (see SystemPort), for whoever has no port at hand.
// Size in bytes of the first entry matching path (wildcards * and ? in the name part; a name that
// exists as written is taken literally first, otherwise the first match in name order).
// 0 when nothing matches; a directory has no size (0).
int64_t FileSize(const std::string& path);

// True when something of any kind, a dangling link included, has this name: the link itself is
// looked at, never followed. An entry the system will not tell about counts as absent.
bool EntryExists(const std::string& path);

// "major.minor.patch.tweak" of the running program.
std::string ProgramVersion();

// Copies path to the same folder and name with the extension replaced by ext (".fmt"); never overwrites.
bool CopyToExt(const std::string& path, std::string_view ext, SystemPort& port = RealPort());

// Path helpers in the manner of the original file routines ("/" is the folder separator).
std::string ExtractFilePath(std::string_view path); // folder with its trailing "/", or empty
std::string ExtractFileName(std::string_view path); // name without folder
std::string ExtractFileExt(std::string_view path);  // extension with its dot, or empty
std::string ChangeFileExt(std::string_view path, std::string_view ext);
std::string IncludeTrailingSlash(std::string_view dir); // "" stays ""

// fopen(path, "rb") that never waits: a FIFO, a device or a socket is refused (nullptr, errno
// EINVAL) without blocking, since one of them in a file's place would hang or flood the reader.
// A regular file or a folder opens as with fopen.
std::FILE* OpenForReading(const std::string& path);
// Full path of the running executable, or empty when the system does not tell.
std::string ExecutablePath();

} // namespace lmx
