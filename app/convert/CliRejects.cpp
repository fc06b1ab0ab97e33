#include "CliRejects.h"

#include "common/Text.h"
#include "core/USession.h"

#include <cstring>

namespace lmx::cli {

bool WriteRejects(const Session& s, const std::string& path, std::string& error) {
    FileWriter out;
    if (!out.Create(path)) {
        error = std::strerror(out.ErrorNo());
        return false;
    }
    const RejectTable& t = s.rejects;
    const std::string& sep = s.conv.InColSep;
    std::string file;
    std::string line;
    // Row 0 holds the titles and row 1 the "..." mark.
    for (std::size_t row = 2; row < t.rows(); ++row) {
        if (t.cell(row, 0).empty()) {
            file.assign(t.cell(row, 1));
            continue;
        }
        const std::string_view name = t.cell(row, 1);
        line.clear();
        if (name == "#Unstring" || name == "#Dec Sep." || name == "#Write") {
            line.assign(t.cell(row, 2));
        } else {
            // These lines split into exactly the input columns: joining them gives the line back.
            for (std::size_t c = 2; c < t.cols(); ++c) {
                if (c > 2) line += sep;
                line += t.cell(row, c);
            }
        }
        std::string text = file;
        text += '\t';
        text += t.cell(row, 0);
        text += '\t';
        text += name;
        text += '\t';
        text += line;
        text += "\r\n";
        out.Write(text);
    }
    if (!out.Close()) {
        error = std::strerror(out.ErrorNo());
        return false;
    }
    return true;
}

} // namespace lmx::cli
