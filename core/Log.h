#pragma once
// The log: lines of fixed kinds appended since the start, saved on demand to LumivexLog.txt.
#include "core/ChosenFormats.h"
#include "core/LocaleNames.h"
#include "core/Ports.h"

#include <cstddef>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lmx {

enum LogKind : int {
    lkLine = 10,   // the value as one line
    lkEnd = 11,    // pending + value as one line, pending emptied
    lkPart = 12,   // value appended to the pending part
    lkBox = 14,    // framed value
    lkSave = 15,   // save to LogFileName
    lkBegin = 16,  // BEGIN banner
    lkInFmt = 17,  // description of the input format
    lkOutFmt = 18, // description of the output format
};

// The window's view follows the log through this; the command-line converter prints from it.
class ILogObserver {
public:
    virtual ~ILogObserver() = default;
    virtual void LinesAppended(std::size_t firstNew) = 0; // lines [firstNew, Lines().size()) are new
    virtual void Cleared() = 0;
};

class Log {
public:
    // The port gives the BEGIN banner's local time and takes the saved log.
    Log(const ChosenFormats& formats, IMessages& messages, SystemPort& port = RealPort());

    void LogWrite(int kind, std::string_view value = {});

    const std::vector<std::string>& Lines() const { return lines_; }
    // A line of words followed by a path (the file system's bytes); the window shows the path as
    // a file name, the saved log holds the bytes.
    void LogPathLine(std::string_view words, std::string_view path);
    // Where the paths of line stand in it; none for most lines.
    std::vector<PathSpan> PathsOf(std::size_t line) const;
    void Clear(); // the view's Clear button; the file is not touched

    // Writes the view framed by the END banner to LogFileName. 0 on success; -1 when the file cannot
    // be created or completely written (the close included), with the system's reason in error.
    int Save(std::string& error) const;
    // The message of a Save: where the log went, or the error with the log's path marked.
    TextWithPaths SaveMessage(int result, const std::string& error) const;

    // Several lines at once, observers told once (a box, a description).
    void AddLines(std::vector<std::string> lines);

    void SetObserver(ILogObserver* observer) { observer_ = observer; }
    // The names of the banner's date; the user's locale when none is set.
    void SetLocaleNames(const ILocaleNames* names) { locale_ = names; }

    // "dddd dd mmmm yyyy  hh:mm:ss" with the long day and month names.
    static std::string BannerDate(const std::tm& t, const ILocaleNames& names);
    // The three lines of a format's description: name and comment, columns and separators, skip and
    // header counts.
    static std::vector<std::string> FormatLines(const Format& f);

    std::string LogPending;
    bool ExtendedLog = true;
    std::string LogFileName; // ProgramDir + "LumivexLog.txt"
    bool SaveMayReplace = true; // false: a save never replaces a file that has the name by then

private:
    void AddLine(std::string line);
    void WriteBegin();
    void WriteFormat(bool input);
    void WriteBox(std::string_view value);
    void WriteSave();

    const ChosenFormats& formats_;
    IMessages& messages_;
    ILogObserver* observer_ = nullptr;
    const ILocaleNames* locale_ = nullptr;
    SystemPort& port_;
    std::vector<std::string> lines_;
    std::vector<std::pair<std::size_t, PathSpan>> paths_; // by line, in order
};

} // namespace lmx
