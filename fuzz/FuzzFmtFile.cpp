// The format file readers on any bytes: the list of names, then the load by name of a few of the
// names found (every load mode), and of one name that is not in the file.
#include "FuzzSupport.h"

#include "core/FormatFile.h"
#include "env/LangTexts.h"

#include <algorithm>

using namespace lmx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const std::string path = fuzz::ScratchDir() + "Lumivex.fmt";
    fuzz::WriteBytes(path, data, size);

    static const LangTexts lang;
    fuzz::QuietMessages messages;
    ChosenFormats state;
    FmtFile file(state, lang, messages);
    file.FmtFileName = path;

    const Status list = file.FmtLoadList();
    if (list != StatusCode::Ok && list != StatusCode::FmtNoFormat) std::abort();
    if (list == StatusCode::Ok && state.Catalogue.FormatNames.empty()) std::abort();
    if (!std::is_sorted(state.Catalogue.FormatNames.begin(), state.Catalogue.FormatNames.end())) std::abort();

    // Copies: each load rebuilds the state the names live in.
    const std::vector<std::string> names(state.Catalogue.FormatNames.begin(),
                                         state.Catalogue.FormatNames.begin() + std::min<std::size_t>(state.Catalogue.FormatNames.size(), 4));
    int mode = flmInput;
    for (const std::string& name : names) {
        const Status r = file.FmtLoadDescription(mode, name);
        // The file is there and readable. (A name may still be "not found": a NOM line that is the
        // file's last line is listed but never loaded.)
        if (r == StatusCode::FmtNoFile || r == StatusCode::FmtOpenFailed) std::abort();
        if (r == StatusCode::Ok && mode != flmReadOnly) {
            const std::optional<Format>& chosen = mode == flmInput ? state.Input : state.Output;
            if (!chosen || chosen->columns.empty()) std::abort();
            const Format& f = *chosen;
            // What was read is written back as it was.
            if (!FormatWritable(f)) std::abort();
            for (const Column& c : f.columns) {
                FormatRead again;
                Column back;
                if (!ReadColumn(1, c.Text(), back, again) || back.Text() != c.Text()) std::abort();
            }
            // The whole block, its quotes and grouping separator too, reads back as it is written.
            static const std::string blockPath = fuzz::ScratchDir() + "Block.fmt";
            const std::string block = f.BlockText();
            fuzz::WriteBytes(blockPath, reinterpret_cast<const uint8_t*>(block.data()), block.size());
            ChosenFormats blockState;
            FmtFile blockFile(blockState, lang, messages);
            blockFile.FmtFileName = blockPath;
            const FormatRead again = blockFile.Load(f.name);
            if (!again.status.Ok() || again.format.BlockText() != block) std::abort();
        }
        mode = mode == flmReadOnly ? flmInput : mode + 1;
    }
    if (file.FmtLoadDescription(flmReadOnly, "\x01 not a format name \x01") == StatusCode::Ok) std::abort();
    return 0;
}
