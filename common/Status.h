#pragma once
// The outcome of reading or writing one of the program's files: a code, and the system's reason
// when the system gave one. Each code's meaning is written here once; the numbers are those the
// logs and messages have always shown.
#include <string>

namespace lmx {

enum class StatusCode : int {
    Ok = 0,
    SettingsCannotOpen = -109,  // the settings file could not be opened for reading; nothing changed
    SettingsCannotWrite = -110, // it could not be created or completely written; the old one is kept
    SettingsReadFailed = -111,  // reading failed part-way; the keys read before keep their new values
};

struct Status {
    StatusCode code = StatusCode::Ok;
    std::string reason; // the system's text, Windows-1252; empty when it gave none

    bool Ok() const { return code == StatusCode::Ok; }
    int Number() const { return static_cast<int>(code); }
};

} // namespace lmx
