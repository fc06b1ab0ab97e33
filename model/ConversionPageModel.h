#pragma once
// The conversion page's model: the operations behind its buttons, apart from any window. The
// window, the command-line converter and the tests drive the same code.
#include "core/ConversionFiles.h"
#include "core/ColumnDraft.h"
#include "core/EngineRunner.h"
#include "core/Log.h"
#include "core/Ports.h"
#include "env/LangTexts.h"
#include "env/Params.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

class ConversionPageModel {
  public:
    ConversionPageModel(ConvPageState& state, Params& params, const LangTexts& lang, IMessages& messages,
                        Log& log, SystemPort& port = RealPort());

    // Files picked with "Ouvrir" (logPrefix "FilesToConvert : ") or named on the command line
    // (logPrefix "Param(FilesToConv.) : "): made absolute, empty files refused one by one, the rest
    // sorted and logged (escaped, see EscapePath), the first taken as the source. False when no
    // file is left. With stdIn, "-" is standard input, kept as it is (its size cannot be known
    // beforehand); it sorts first and proposes no result file.
    bool TakeFiles(const std::vector<std::string>& chosen, std::string_view logPrefix, bool stdIn = false);

    void SetSource(const std::string& path);
    void ProposeOutPath(const std::string& path);
    // The proposed result path for a source (sets OutDir), whether or not it exists.
    std::string ProposalFor(const std::string& path);
    // The result file chosen with "Changer".
    void ChooseOutPath(const std::string& path);
    // Remembers the result folder in MRD when a result file is accepted.
    void ShowOutPath();

    // What the two output controls show: the wrapped folder, and the file name or a single blank
    // (on red) when there is no accepted result file.
    std::string OutDirCaption() const;
    std::string OutNameCaption() const;

    // Starting folders of the two file dialogs.
    std::string OpenDialogDir() const;
    std::string SaveDialogDir() const;

    // Up to three lines of the first source cut by the input format's separator, and AvgLineLen.
    // 0, or -1 when the input format is not usable or the file cannot be read (InChosen then false).
    int FeedInPreview(const ChosenFormats& formats, std::vector<std::vector<std::string>>& rows);

    // The folder as its label shows it: a zero-width break opportunity (U+200B, in the file
    // system's UTF-8) after every "/", so that a long path wraps at its separators and reads as
    // it is named.
    static std::string WrapPath(std::string_view path);

private:
    ConvPageState& st_;
    Params& prm_;
    const LangTexts& lang_;
    IMessages& msg_;
    Log& log_;
    SystemPort& port_;
};

// The conversion page's two format lists: every format name of the catalogue in order, the names of
// MRI and MRO selected (the last equal name; none equal: no selection), a name equal to *skip never
// selected. A list left without selection leaves its side without format until one is chosen
// again. Shared by the start-up and by the format editor after a save or a deletion.
struct FormatChoices {
    std::vector<std::string> Names;
    int InIndex = -1;
    int OutIndex = -1;
};
FormatChoices RefillFormatChoices(ChosenFormats& formats, const Params& params, const std::string* skip);

// The output preview: the input preview's rows, rejoined, split through the link of the formats'
// plan (which conv takes) and given the decimal change and the date rewrite of a run (no control,
// case or prefix). A date that cannot be read shows as "0"; a row that does not split shows its
// fields unconverted.
std::vector<std::vector<std::string>> FeedOutPreview(Converter& conv, const ChosenFormats& formats, Log& log,
                                                     const std::vector<std::vector<std::string>>& inRows);

// The rows the preview grids show.
inline constexpr std::size_t kPreviewRows = 3;

// What the result will hold, as far as the output preview's rows go: the output format's header
// lines cut at its separator, then the input preview's data lines (those past the input format's
// leading lines, empty lines left out) as FeedOutPreview converts them.
std::vector<std::vector<std::string>> ResultPreview(Converter& conv, const ChosenFormats& formats, Log& log,
                                                    const std::vector<std::vector<std::string>>& inRows);

} // namespace lmx
