#pragma once
// Being offered in "Open with" without taking double-click over: before the program's entry
// declares a type, the application that opens that type by default today is written down as the
// user's explicit choice (mimeapps.list, [Default Applications]), so that the entry only adds an
// offer.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lmx {

// The mimeapps.list text with "type=app;" added to [Default Applications] for each pair whose type
// has no key there yet (the section made at the end when missing); every other byte kept.
std::string PinDefaults(std::string_view mimeapps, const std::vector<std::pair<std::string, std::string>>& defaults);

// The desktop entry that opens the type by default today ("" for none), as the desktop's own
// library answers it (the gio tool). False with the reason when the tool cannot be run.
bool CurrentDefault(const std::string& type, std::string& app, std::string& error);

// Writes down the current default of each type, unless it is the entry itself (ownEntry, for
// example "Lumivex.desktop") or there is none. False with the reason on any failure.
bool KeepCurrentDefaults(const std::vector<std::string>& types, const std::string& ownEntry, std::string& error);

} // namespace lmx
