#include "model/ConversionPageModel.h"

#include "core/FieldText.h"

#include "common/Basics.h"
#include "common/Text.h"
#include "common/DurableFile.h"
#include "core/LineReader.h"
#include "core/SlotLine.h"
#include "env/Settings.h"

#include <cerrno>
#include <fcntl.h>

namespace lmx {

ConversionPageModel::ConversionPageModel(ConvPageState& state, Params& params, const LangTexts& lang,
                                         IMessages& messages, Log& log, SystemPort& port)
    : st_(state), prm_(params), lang_(lang), msg_(messages), log_(log), port_(port) {}

bool ConversionPageModel::TakeFiles(const std::vector<std::string>& chosen, std::string_view logPrefix,
                                    bool stdIn) {
    std::vector<std::string> kept;
    for (const auto& named : chosen) {
        if (stdIn && IsStdInSource(named)) {
            kept.push_back(named);
            continue;
        }
        // Full paths from here on: a bare name would give an empty folder to the parameters and
        // to the proposed result file.
        const std::string f = AbsolutePath(named);
        if (port_.FileSize(f) == 0)
            msg_.ShowPaths(lang_.FormatPaths(LK::msg_fileIsEmpty, {ExtractFileName(f)}));
        else
            kept.push_back(f);
    }
    SortNames(kept);
    st_.InFiles = std::move(kept);
    log_.LogWrite(lkLine, std::string(logPrefix) + IntToStr(static_cast<int64_t>(st_.InFiles.size())));
    // A TAB, CR or LF in a name must not cut or forge a line of the log.
    for (const auto& f : st_.InFiles) log_.LogPathLine(" ", EscapePath(f));
    if (st_.InFiles.empty()) {
        st_.InChosen = false;
        return false;
    }
    // "-" sorts before every full path; it has no name to make a result name from.
    if (IsStdInSource(st_.InFiles.front())) {
        st_.InChosen = true;
        st_.OutPath.clear();
        st_.OutValid = false;
        st_.OutReplace = false;
        return true;
    }
    SetSource(st_.InFiles.front());
    return true;
}

void ConversionPageModel::SetSource(const std::string& path) {
    st_.SourceDir = ExtractFilePath(path);
    if (prm_.settings.sourceFolder != st_.SourceDir) {
        prm_.settings.sourceFolder = st_.SourceDir;
        prm_.Save();
    }
    st_.InChosen = true;
    ProposeOutPath(path);
}

std::string ConversionPageModel::ProposalFor(const std::string& path) {
    return ResultPathFor(prm_, path, st_.OutDir);
}

void ConversionPageModel::ProposeOutPath(const std::string& path) {
    st_.OutPath = ProposalFor(path);
    st_.OutReplace = false;
    if (port_.Exists(st_.OutPath)) {
        // An existing file is never proposed silently: the user confirms it through "Changer".
        st_.OutPath.clear();
        st_.OutValid = false;
    } else {
        st_.OutValid = true;
    }
    ShowOutPath();
}

void ConversionPageModel::ChooseOutPath(const std::string& path) {
    st_.OutReplace = false;
    if (IsOneOfSources(port_, path, st_.InFiles)) {
        st_.OutValid = false;
        st_.OutPath.clear();
        msg_.Show(lang_.Text(LK::msg_filesShouldDif));
        return;
    }
    if (port_.Exists(path)) {
        if (msg_.ConfirmPaths(lang_.FormatPaths(LK::msg_fileExists, {path}))) {
            st_.OutPath = path;
            st_.OutValid = true;
            st_.OutReplace = true;
        } else {
            st_.OutPath.clear();
            st_.OutValid = false;
        }
    } else {
        st_.OutPath = path;
        st_.OutValid = true;
    }
    ShowOutPath();
}

void ConversionPageModel::ShowOutPath() {
    if (!st_.OutValid) return;
    const std::string dir = ExtractFilePath(st_.OutPath);
    const std::optional<std::string>& mrd = prm_.settings.resultFolder;
    // A result beside its source keeps the choice of results beside their sources.
    if (!mrd && dir == st_.SourceDir) return;
    if (mrd != dir) {
        prm_.settings.resultFolder = dir;
        prm_.Save();
    }
}

std::string ConversionPageModel::OutDirCaption() const {
    if (st_.OutValid) return WrapPath(ExtractFilePath(st_.OutPath));
    // Results beside their source: the folder the name was looked for in.
    const std::optional<std::string>& mrd = prm_.settings.resultFolder;
    return WrapPath(mrd ? *mrd : st_.OutDir);
}

std::string ConversionPageModel::OutNameCaption() const {
    return st_.OutValid ? ExtractFileName(st_.OutPath) : std::string(" ");
}

std::string ConversionPageModel::OpenDialogDir() const {
    return DialogFolder(prm_.settings.sourceFolder, prm_.ProgramDir);
}

std::string ConversionPageModel::SaveDialogDir() const {
    if (st_.OutValid || !st_.OutDir.empty()) return st_.OutDir;
    return DialogFolder(prm_.settings.resultFolder, prm_.ProgramDir);
}

FormatChoices RefillFormatChoices(ChosenFormats& formats, const Params& params, const std::string* skip) {
    FormatChoices c;
    c.Names = formats.Catalogue.FormatNames;
    const std::string& mri = params.settings.inputFormat;
    const std::string& mro = params.settings.outputFormat;
    for (std::size_t i = 0; i < c.Names.size(); ++i) {
        if (skip && c.Names[i] == *skip) continue;
        if (c.Names[i] == mri) c.InIndex = static_cast<int>(i);
        if (c.Names[i] == mro) c.OutIndex = static_cast<int>(i);
    }
    if (c.InIndex < 0) formats.Input.reset();
    if (c.OutIndex < 0) formats.Output.reset();
    return c;
}

std::string ConversionPageModel::WrapPath(std::string_view path) {
    std::string out;
    out.reserve(path.size() + 8);
    for (char c : path) {
        out += c;
        if (c == '/') out += "\xE2\x80\x8B";
    }
    return out;
}

} // namespace lmx

namespace lmx {

namespace {

// A line cut at every separator of one byte; a longer separator never cuts.
std::vector<std::string> CutAt(std::string_view line, const std::string& sep) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (sep.size() == 1) {
        const std::size_t hit = line.find(sep[0], start);
        if (hit == std::string_view::npos) break;
        cells.emplace_back(line.substr(start, hit - start));
        start = hit + 1;
    }
    cells.emplace_back(line.substr(start));
    return cells;
}

// The fields of a line as the previews show them: fields in quotes without them; a line whose
// quotes do not close is cut as read.
std::vector<std::string> CellsOf(std::string_view line, const std::string& sep, QuoteMode quoting) {
    std::vector<std::string> cells;
    if (quoting != QuoteMode::None && sep.size() == 1 &&
        ForEachQuotedField(line, sep[0],
                           [&](std::string_view raw, bool quoted) { AppendUnquoted(cells.emplace_back(), raw, quoted); }))
        return cells;
    return CutAt(line, sep);
}

} // namespace

int ConversionPageModel::FeedInPreview(const ChosenFormats& formats,
                                       std::vector<std::vector<std::string>>& rows) {
    rows.clear();
    if (!formats.Input) return -1;
    LineReader in(64 * 1024);
    if (st_.InFiles.empty() || !in.Open(st_.InFiles.front(), port_)) {
        st_.InChosen = false;
        return -1;
    }
    // The same line reader as the engine: lines end at CR LF, LF or a lone CR, and a byte-order
    // mark before the first line is dropped.
    const std::string& sep = formats.Input->colSep;
    int64_t chars = 0;
    std::string_view line;
    while (rows.size() < kPreviewRows && in.Next(line)) {
        chars += static_cast<int64_t>(line.size());
        rows.push_back(CellsOf(line, sep, formats.Input->quoting));
    }
    if (in.Error()) {
        st_.InChosen = false;
        return -1;
    }
    st_.AvgLineLen = rows.empty() ? 0 : static_cast<int32_t>(chars / static_cast<int64_t>(rows.size()));
    return 0;
}

std::vector<std::vector<std::string>> FeedOutPreview(Converter& conv, const ChosenFormats& formats, Log& log,
                                                     const std::vector<std::vector<std::string>>& inRows) {
    std::vector<std::vector<std::string>> out;
    conv.TakePlan(ConversionPlan(formats));
    const ConversionPlan& f = conv.Plan();
    // No input format loaded yet has no link, and no line to convert either: nothing to report.
    if (!f.Linked() && !inRows.empty()) {
        log.LogWrite(lkLine, "#STRG2 Probl\xE8me lors alimentation StrGrid2 ");
        return out;
    }
    const bool decimal = f.Input().decSep != f.Output().decSep;
    const std::vector<char> fed = conv.FedSlots();
    SlotLine converted(conv);
    for (const auto& cells : inRows) {
        // The line as read, from every field the preview holds: a line with another number of
        // fields than the format's then fails to split and shows unconverted.
        std::string line;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) line += f.Input().colSep;
            AppendQuoted(line, cells[c], f.Input().quoting != QuoteMode::None ? QuoteMode::AsNeeded : QuoteMode::None,
                         f.Input().colSep);
        }
        const bool split = converted.Unstring(line);
        const bool convert = split && f.BothChosen();
        if (convert) {
            for (std::size_t k = 1; k < converted.Slots().size(); ++k) {
                // By the column's type, as the run changes it.
                if (decimal) converted.ShowDecimalChange(k);
                // Each date column with its own pair of layouts, as the run converts it; one that
                // nothing feeds stays empty.
                if (IsDateColumn(f.Output(), k) && fed[k]) converted.ShowDate(k);
            }
        }
        auto& row = out.emplace_back(converted.Slots().begin() + 1, converted.Slots().end());
        // Numbers with the grouping separators the result will hold.
        if (convert)
            for (std::size_t k = 0; k < row.size(); ++k) row[k] = converted.WrittenText(k + 1);
    }
    return out;
}

std::vector<std::vector<std::string>> ResultPreview(Converter& conv, const ChosenFormats& formats, Log& log,
                                                   const std::vector<std::vector<std::string>>& inRows) {
    const Format& input = formats.Input.value_or(Format{});
    const Format& output = formats.Output.value_or(Format{});
    // The lines a run converts: past the input format's leading lines, empty lines left out.
    std::vector<std::vector<std::string>> data;
    const auto skip = static_cast<std::size_t>(input.SkipCount() > 0 ? input.SkipCount() : 0);
    for (std::size_t r = skip; r < inRows.size(); ++r)
        if (!(inRows[r].size() == 1 && inRows[r][0].empty())) data.push_back(inRows[r]);
    std::vector<std::vector<std::string>> rows;
    for (const std::string& header : output.headers) rows.push_back(CellsOf(conv.AddedText(header), output.colSep, output.quoting));
    for (auto& row : FeedOutPreview(conv, formats, log, data)) rows.push_back(std::move(row));
    if (rows.size() > kPreviewRows) rows.resize(kPreviewRows);
    return rows;
}

} // namespace lmx
