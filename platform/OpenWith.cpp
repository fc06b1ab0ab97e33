#include "platform/OpenWith.h"

#include "common/Basics.h"
#include "common/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace lmx {
namespace {

constexpr std::string_view kSection = "[Default Applications]";

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

} // namespace

std::string PinDefaults(std::string_view mimeapps, const std::vector<std::pair<std::string, std::string>>& defaults) {
    // Where the section's last key line ends (its keys go after it), and the keys it has.
    std::size_t insertAt = std::string_view::npos;
    std::vector<std::string> present;
    bool inSection = false;
    for (std::size_t pos = 0; pos < mimeapps.size();) {
        std::size_t end = mimeapps.find('\n', pos);
        end = end == std::string_view::npos ? mimeapps.size() : end + 1;
        const std::string_view line = Trimmed(mimeapps.substr(pos, end - pos - (mimeapps[end - 1] == '\n')));
        if (!line.empty() && line.front() == '[') {
            inSection = line == kSection;
            if (inSection) insertAt = end;
        } else if (inSection && !line.empty() && line.front() != '#') {
            present.emplace_back(Trimmed(line.substr(0, line.find('='))));
            insertAt = end;
        }
        pos = end;
    }
    std::string keys;
    for (const auto& [type, app] : defaults) {
        bool known = false;
        for (const std::string& p : present) known = known || p == type;
        if (known || app.empty()) continue;
        keys += type + "=" + app + ";\n";
        present.push_back(type);
    }
    if (keys.empty()) return std::string(mimeapps);
    std::string out(mimeapps);
    if (insertAt == std::string_view::npos) {
        if (!out.empty() && out.back() != '\n') out += '\n';
        out += std::string(kSection) + "\n" + keys;
        return out;
    }
    if (insertAt > 0 && out[insertAt - 1] != '\n') { // the section's last line ends the file
        out.insert(insertAt, "\n");
        ++insertAt;
    }
    out.insert(insertAt, keys);
    return out;
}

bool CurrentDefault(const std::string& type, std::string& app, std::string& error) {
    app.clear();
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty()) {
        error = "gio is not installed: the current default applications cannot be kept";
        return false;
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C")); // the answer's words untranslated
    p.setProcessEnvironment(env);
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(gio, {QStringLiteral("mime"), QString::fromStdString(type)});
    if (!p.waitForFinished(15000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        error = "gio could not tell the default application of " + type;
        return false;
    }
    // "Default application for 'type': app.desktop", or a line saying there is none.
    const std::string first = p.readLine().trimmed().toStdString();
    const std::size_t colon = first.rfind(": ");
    if (first.rfind("Default application for ", 0) == 0 && colon != std::string::npos) app = first.substr(colon + 2);
    return true;
}

bool KeepCurrentDefaults(const std::vector<std::string>& types, const std::string& ownEntry, std::string& error) {
    std::vector<std::pair<std::string, std::string>> defaults;
    for (const std::string& type : types) {
        std::string app;
        if (!CurrentDefault(type, app, error)) return false;
        if (!app.empty() && app != ownEntry) defaults.emplace_back(type, app);
    }
    if (defaults.empty()) return true;
    const std::string config =
        QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).toStdString();
    if (config.empty()) {
        error = "no configuration folder";
        return false;
    }
    const std::string path = IncludeTrailingSlash(config) + "mimeapps.list";
    std::string before;
    if (std::ifstream in(path, std::ios::binary); in) {
        std::ostringstream all;
        all << in.rdbuf();
        before = all.str();
    } else if (EntryExists(path)) {
        error = SysErrorText(EACCES); // a file that is there but unreadable is never written over
        return false;
    } else if (!QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(config)))) {
        error = "the configuration folder cannot be created";
        return false;
    }
    const std::string after = PinDefaults(before, defaults);
    return after == before || WriteFileDurably(path, after, error);
}

} // namespace lmx
