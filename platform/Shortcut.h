#pragma once
// Shortcuts to the program on a freedesktop desktop: a desktop entry named after the program file
// (Lumivex gives Lumivex.desktop) that starts it by its full path from its own folder, files given
// to it arriving on its command line.
//   Desktop:   the user's desktop folder (XDG desktop directory), made executable and marked
//              trusted where gio can, so that desktops start it without asking;
//   StartMenu: the user's applications folder followed by "/Corvandale", both created when missing;
//   SendTo:    the file manager's "Open with" list: an entry of the applications folder for plain
//              text, CSV and TSV files that adds no menu item, then the folder's MIME cache rebuilt
//              (update-desktop-database is needed). The applications that open these types by
//              default keep doing so (OpenWith.h).
// Every entry names the window's class (the application's name) for docks.
#include <string>

namespace lmx {

// Where a shortcut goes.
enum class ShortcutTarget { Desktop, SendTo, StartMenu };

// The entry's text for the program at programPath (file system bytes), or "" with the reason when
// the path cannot be written into an entry (not UTF-8, control characters, "%"). The icon beside the
// program ("Lumivex.png") is named when it exists.
std::string DesktopEntryText(ShortcutTarget place, const std::string& programPath, std::string& error);

// The file the place's entry goes to ("" with the reason when the place has no folder).
std::string ShortcutPath(ShortcutTarget place, const std::string& programPath, std::string& error);

// Writes (or replaces) the entry of the place; false with the system's reason in error on any failure.
bool CreateShortcut(ShortcutTarget place, const std::string& programPath, std::string* error = nullptr);

} // namespace lmx
