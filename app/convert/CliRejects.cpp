#include "CliRejects.h"

#include "common/Text.h"

namespace lmx::cli {

bool RejectsFile::Open(const std::string& path, std::string& error, bool mayReplace) {
    if (!file_.Open(path, error, mayReplace)) return false;
    out_.Attach(file_.Fd(), false, port_);
    return true;
}

void RejectsFile::FileStarts(std::string_view path) { source_ = EscapePath(path); }

void RejectsFile::Rejected(int64_t lineNo, LineError code, std::string_view line,
                           std::span<const std::string_view>) {
    row_.assign(source_);
    row_ += '\t';
    row_ += IntToStr(lineNo);
    row_ += '\t';
    row_ += LineErrorName(code);
    row_ += '\t';
    row_ += line;
    row_ += LfOnly ? "\n" : "\r\n";
    out_.Write(row_);
}

bool RejectsFile::Commit(std::string& error) {
    if (!out_.Close()) {
        error = SysErrorText(out_.ErrorNo());
        file_.Abandon();
        return false;
    }
    return file_.Commit(error);
}

} // namespace lmx::cli
