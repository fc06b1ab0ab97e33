#pragma once
// The --rejects file, written while the run goes: one line per rejected line, nothing kept in
// memory. It reaches its name whole, like the result.
#include "common/DurableFile.h"
#include "core/OutputSink.h"
#include "core/RejectTable.h"

#include <string>

namespace lmx::cli {

class RejectsFile final : public IRejectSink {
public:
    explicit RejectsFile(SystemPort& port) : file_(port), port_(port) {}
    // Opens the temporary file beside path (see DurableFile::Open for mayReplace). False with the
    // system's reason.
    bool Open(const std::string& path, std::string& error, bool mayReplace);
    // Each line: the source (escaped, see EscapePath), the line number, the code name and the
    // line as read, separated by tabs, the line end after.
    void FileStarts(std::string_view path) override;
    void Rejected(int64_t lineNo, LineError code, std::string_view line,
                  std::span<const std::string_view> cells) override;
    // The lines end with LF alone (else CR LF), as the result's.
    bool LfOnly = false;
    // Puts the file under its name; false with the reason when anything failed (it is then dropped).
    bool Commit(std::string& error);
    int ErrorNo() const { return file_.ErrorNo(); }

private:
    DurableFile file_;
    SystemPort& port_;
    FileWriter out_;
    std::string source_;
    std::string row_;
};

} // namespace lmx::cli
