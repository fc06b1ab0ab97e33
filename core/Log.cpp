#include "core/Log.h"

#include "common/Cp1252.h"
#include "common/DurableFile.h"
#include "common/Basics.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

namespace lmx {

namespace {

std::string TwoDigits(int v) {
    std::string s;
    if (v < 0) v = 0;
    if (v < 10) s += '0';
    s += std::to_string(v);
    return s;
}

const char* const kEndBanner = "************  Lumivex :  END  LOG  ************";

} // namespace

Log::Log(const ChosenFormats& formats, IMessages& messages, SystemPort& port)
    : formats_(formats), messages_(messages), port_(port) {}

void Log::AddLine(std::string line) {
    lines_.push_back(std::move(line));
    if (observer_) observer_->LinesAppended(lines_.size() - 1);
}

void Log::AddLines(std::vector<std::string> lines) {
    if (lines.empty()) return;
    const std::size_t first = lines_.size();
    for (std::string& l : lines) lines_.push_back(std::move(l));
    if (observer_) observer_->LinesAppended(first);
}

void Log::LogPathLine(std::string_view words, std::string_view path) {
    std::string line(words);
    line += path;
    if (!path.empty()) paths_.emplace_back(lines_.size(), PathSpan{words.size(), path.size()});
    AddLine(std::move(line));
}

std::vector<PathSpan> Log::PathsOf(std::size_t line) const {
    std::vector<PathSpan> out;
    auto it = std::lower_bound(paths_.begin(), paths_.end(), line,
                               [](const auto& entry, std::size_t l) { return entry.first < l; });
    for (; it != paths_.end() && it->first == line; ++it) out.push_back(it->second);
    return out;
}

void Log::Clear() {
    lines_.clear();
    paths_.clear();
    if (observer_) observer_->Cleared();
}

void Log::LogWrite(int kind, std::string_view value) {
    switch (kind) {
    case lkLine:
        AddLine(std::string(value));
        break;
    case lkEnd:
        LogPending += value;
        AddLine(std::move(LogPending));
        LogPending.clear();
        break;
    case lkPart:
        LogPending += value;
        break;
    case lkBox:
        WriteBox(value);
        break;
    case lkSave:
        WriteSave();
        break;
    case lkBegin:
        WriteBegin();
        break;
    case lkInFmt:
        WriteFormat(true);
        break;
    case lkOutFmt:
        WriteFormat(false);
        break;
    default:
        AddLine("#LOG(CALL) BadArg : " + std::string(value));
        break;
    }
}

std::string Log::BannerDate(const std::tm& t, const ILocaleNames& names) {
    return names.LongDayName(t.tm_wday) + " " + TwoDigits(t.tm_mday) + " " + names.LongMonthName(t.tm_mon + 1) + " " +
           std::to_string(t.tm_year + 1900) + "  " + TwoDigits(t.tm_hour) + ":" + TwoDigits(t.tm_min) + ":" +
           TwoDigits(t.tm_sec);
}

void Log::WriteBegin() {
    const std::tm now = port_.LocalTime();
    std::string date;
    if (locale_) {
        date = BannerDate(now, *locale_);
    } else {
        const StdLocaleNames userNames;
        date = BannerDate(now, userNames);
    }
    AddLines({"************  Lumivex : BEGIN LOG  ************", "START    " + date,
              "Version  " + ProgramVersion(), " "});
}

void Log::WriteFormat(bool input) {
    const std::optional<Format>& f = input ? formats_.Input : formats_.Output;
    if (!f) {
        if (input)
            AddLines({" ", "INFILE  description : INVALID (inFmt_state(" + BoolText(false, 2) + "))."});
        else
            AddLines({" ", "#Display(FMT(OUT)) Ko : OutFmtState(" + BoolText(false, 2) + ")"});
        return;
    }
    std::vector<std::string> lines{" ", input ? "INFILE description :" : "OUTFILE description :"};
    for (std::string& l : FormatLines(*f)) lines.push_back(std::move(l));
    AddLines(std::move(lines));
}

std::vector<std::string> Log::FormatLines(const Format& f) {
    std::vector<std::string> lines{
        " Name     >" + f.name + "< (" + f.comment + ")",
        " ColCount >" + f.countText + "<  |  ColSep >" + f.colSep + "<  |  DecSep >" + f.decSep + "<",
        " JmpLines >" + f.skipText + "<  |  HdrLn  >" + IntToStr(static_cast<int64_t>(f.headers.size())) + "<"};
    // Only a format that uses them says so: the description of the others is unchanged.
    if (f.quoting != QuoteMode::None || !f.groupSep.empty())
        lines.push_back(std::string(" Quotes   >") + (f.quoting == QuoteMode::Always ? "always" : f.quoting == QuoteMode::AsNeeded ? "when needed" : "never") +
                        "<  |  GroupSep >" + f.groupSep + "<");
    return lines;
}

void Log::WriteBox(std::string_view value) {
    const std::string bar(value.size() + 6, '!');
    AddLines({"", bar, "!  " + std::string(value) + "  !", bar});
}

void Log::WriteSave() {
    std::string error;
    const int r = Save(error);
    messages_.ShowPaths(SaveMessage(r, error));
}

TextWithPaths Log::SaveMessage(int result, const std::string& error) const {
    TextWithPaths msg;
    if (result == 0) return msg.Words("Log saved (").Path(LogFileName).Words(")");
    // The errors of Save start with the log's path.
    if (!LogFileName.empty() && error.compare(0, LogFileName.size(), LogFileName) == 0)
        return msg.Path(LogFileName).Words(std::string_view(error).substr(LogFileName.size()));
    return msg.Words(error);
}

int Log::Save(std::string& error) const {
    error.clear();
    std::string content;
    try {
        for (const std::string& l : lines_) {
            content += l;
            content += "\r\n";
        }
        content += "\r\n \r\n";
        content += kEndBanner;
        content += "\r\n";
    } catch (const std::bad_alloc&) {
        error = LogFileName + " : out of memory";
        return -1;
    }

    // The saved log reaches its name whole: a crash or a full disk never leaves half a log.
    std::string reason;
    if (!WriteFileDurably(LogFileName, content, reason, port_, SaveMayReplace)) {
        error = LogFileName + " : " + reason;
        return -1;
    }
    return 0;
}

} // namespace lmx
