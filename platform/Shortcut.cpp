#include "platform/Shortcut.h"

#include "common/Basics.h"
#include "platform/OpenWith.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace lmx {
namespace {

constexpr const char* kMakerFolder = "Corvandale";
constexpr const char* kIconName = "Lumivex.png";
constexpr const char* kOpenWithTypes = "text/plain;text/csv;text/tab-separated-values;";

std::vector<std::string> SplitTypes(std::string_view list) {
    std::vector<std::string> types;
    for (std::size_t pos = 0, end = 0; (end = list.find(';', pos)) != std::string_view::npos; pos = end + 1)
        types.emplace_back(list.substr(pos, end - pos));
    return types;
}

std::string Reason(int err) { return std::strerror(err != 0 ? err : EIO); }

QString FromBytes(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}
std::string ToBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A desktop entry is UTF-8 text of single lines: a path that does not survive as such cannot be named.
bool Writable(const std::string& path) {
    if (ToBytes(FromBytes(path)) != path) return false;
    for (const char c : path)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

// The escapes of a string value.
std::string StringValue(const std::string& s) {
    std::string out;
    for (const char c : s) {
        if (c == '\\') out += '\\';
        out += c;
    }
    return out;
}

// The program as the first argument of Exec: always quoted, so that blanks and reserved characters
// stay part of the path; the quoting's escapes come first, then the string value's.
std::string ExecProgram(const std::string& path) {
    std::string quoted = "\"";
    for (const char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return StringValue(quoted);
}

std::string ApplicationsFolder() {
    return ToBytes(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation));
}

bool MakeFolder(const std::string& folder, std::string& error) {
    if (folder.empty()) {
        error = Reason(ENOENT);
        return false;
    }
    if (QDir().mkpath(FromBytes(folder)) && QFileInfo(FromBytes(folder)).isDir()) return true;
    error = "the folder cannot be created";
    return false;
}

// The entry reaches its name whole: a temporary file of the same folder, created exclusively,
// flushed to disk and renamed over the old entry, then the folder flushed.
bool WriteEntry(const std::string& path, const std::string& text, mode_t mode, std::string& error) {
    const std::string folder = ExtractFilePath(path);
    std::string tmpl = folder + "." + ExtractFileName(path) + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = Reason(errno);
        return false;
    }
    const std::string temp(name.data());
    bool ok = true;
    int err = 0;
    std::size_t done = 0;
    while (ok && done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            err = n < 0 ? errno : EIO;
        } else {
            done += static_cast<std::size_t>(n);
        }
    }
    const auto step = [&](bool succeeded) {
        if (ok && !succeeded) {
            ok = false;
            err = errno;
        }
    };
    step(!ok || ::fchmod(fd, mode) == 0);
    step(!ok || ::fsync(fd) == 0);
    step(::close(fd) == 0);
    step(!ok || ::rename(temp.c_str(), path.c_str()) == 0);
    if (!ok) {
        ::unlink(temp.c_str());
        error = Reason(err);
        return false;
    }
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

constexpr const char* kCacheTool = "update-desktop-database";

// File managers offer an entry in "Open with" only once the folder's MIME cache names it.
bool RefreshMimeCache(const std::string& folder, std::string& error) {
    const QString tool = QStandardPaths::findExecutable(QString::fromLatin1(kCacheTool));
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(tool, {QStringLiteral("-q"), FromBytes(folder)});
    if (p.waitForFinished(15000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0) return true;
    p.kill();
    p.waitForFinished(1000);
    error = std::string(kCacheTool) + " failed: the file manager would not offer the program";
    return false;
}

// A desktop icon starts without "Allow launching" once marked trusted; where the desktop keeps no
// such mark (no metadata service), the entry simply stays as it is.
void MarkTrusted(const std::string& path) {
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty()) return;
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(gio, {QStringLiteral("set"), FromBytes(path), QStringLiteral("metadata::trusted"), QStringLiteral("true")});
    if (!p.waitForFinished(5000)) p.kill();
}

} // namespace

std::string DesktopEntryText(ShortcutTarget place, const std::string& programPath, std::string& error) {
    if (programPath.empty() || !Writable(programPath)) {
        error = "the program's path cannot be written into a desktop entry";
        return {};
    }
    // A "%" passes the validator even doubled, but launchers then fail to load the entry.
    if (programPath.find('%') != std::string::npos) {
        error = "the program's path holds \"%\", which desktop launchers cannot start";
        return {};
    }
    const std::string dir = ExtractFilePath(programPath);
    std::string t = "[Desktop Entry]\n"
                    "Type=Application\n"
                    "Version=1.4\n"
                    "Name=Lumivex\n"
                    "GenericName=Quote file converter\n"
                    "Comment=Converts delimited quote files from one layout into another\n";
    t += "Exec=" + ExecProgram(programPath) + " %F\n";
    t += "Path=" + StringValue(dir) + "\n";
    if (QFileInfo::exists(FromBytes(dir + kIconName))) t += "Icon=" + StringValue(dir + kIconName) + "\n";
    t += "Terminal=false\n"
         "Categories=Office;\n";
    // Docks tie the running window to its entry by the window's class, the application's name.
    const std::string wmClass = QCoreApplication::applicationName().toStdString();
    if (!wmClass.empty()) t += "StartupWMClass=" + StringValue(wmClass) + "\n";
    if (place == ShortcutTarget::SendTo) {
        t += "MimeType=" + std::string(kOpenWithTypes) + "\n";
        t += "NoDisplay=true\n";
    }
    return t;
}

std::string ShortcutPath(ShortcutTarget place, const std::string& programPath, std::string& error) {
    std::string folder;
    switch (place) {
    case ShortcutTarget::Desktop:
        folder = ToBytes(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
        break;
    case ShortcutTarget::SendTo:
        folder = ApplicationsFolder();
        break;
    case ShortcutTarget::StartMenu:
        folder = ApplicationsFolder();
        if (!folder.empty()) folder = IncludeTrailingSlash(folder) + kMakerFolder;
        break;
    default:
        break;
    }
    if (folder.empty()) {
        error = "no folder for this place";
        return {};
    }
    return IncludeTrailingSlash(folder) + ChangeFileExt(ExtractFileName(programPath), ".desktop");
}

bool CreateShortcut(ShortcutTarget place, const std::string& programPath, std::string* error) {
    std::string why;
    const auto fail = [&] {
        if (error) *error = why;
        return false;
    };
    const std::string text = DesktopEntryText(place, programPath, why);
    if (text.empty()) return fail();
    const std::string path = ShortcutPath(place, programPath, why);
    if (path.empty()) return fail();
    const std::string folder = ExtractFilePath(path);
    if (place == ShortcutTarget::Desktop) {
        // The desktop is the user's own folder: it is used as it is, never made up.
        if (!QFileInfo(FromBytes(folder)).isDir()) {
            why = Reason(ENOENT);
            return fail();
        }
    } else if (!MakeFolder(folder, why)) {
        return fail();
    }
    if (place == ShortcutTarget::SendTo) {
        // Without the cache the entry is never offered; and whatever opens these types by default
        // today goes on doing so (the entry adds an offer, never a takeover of double-click).
        if (QStandardPaths::findExecutable(QString::fromLatin1(kCacheTool)).isEmpty()) {
            why = std::string(kCacheTool) + " is not installed: the file manager would not offer the program";
            return fail();
        }
        if (!KeepCurrentDefaults(SplitTypes(kOpenWithTypes), ExtractFileName(path), why)) return fail();
    }
    if (!WriteEntry(path, text, place == ShortcutTarget::Desktop ? 0755 : 0644, why)) return fail();
    if (place == ShortcutTarget::SendTo && !RefreshMimeCache(folder, why)) return fail();
    if (place == ShortcutTarget::Desktop) MarkTrusted(path);
    return true;
}

} // namespace lmx
