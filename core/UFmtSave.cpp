// The writer of the format file and the recovery after a failed save.
#include "common/Text.h"
#include "common/UCommuns.h"
#include "common/UDurable.h"
#include "core/UFmtCheck.h"
#include "core/UFmtFile.h"
#include "core/UOutput.h"
#include "env/ULang.h"

#include <filesystem>
#include <new>

namespace fs = std::filesystem;

namespace lmx {

namespace {

// A copy that reaches its name whole, for file systems without hard links; never replaces a file.
bool CopyDurably(const std::string& from, const std::string& to) {
    if (EntryExists(to)) return false;
    std::FILE* in = OpenForReading(from);
    if (in == nullptr) return false;
    DurableFile file;
    std::string error;
    bool ok = file.Open(to, error);
    if (ok) {
        FileWriter out;
        out.Attach(file.Fd(), false);
        char buf[65536];
        std::size_t n = 0;
        while (ok && (n = std::fread(buf, 1, sizeof buf, in)) > 0) ok = out.Write(std::string_view(buf, n));
        ok = ok && std::ferror(in) == 0 && out.Close() && file.Commit(error);
    }
    std::fclose(in);
    return ok;
}

} // namespace

bool FmtFile::FmtSaveFile(int mode, const std::string& editFmtName, const Format& format) {
    if (mode != fsmSave && mode != fsmDelete) return false;
    // A value that would not read back as written is refused before the file is touched.
    if (mode == fsmSave && !FormatWritable(format)) return false;
    try {
        const std::string fmtPath = FmtFileName;
        const std::string oldPath = BackupFileName();
        const bool fmtExists = EntryExists(fmtPath);

        // Every block but the one named editFmtName; the banner is written anew.
        std::vector<std::string> kept;
        if (fmtExists) {
            FmtLineReader in;
            if (!in.Open(fmtPath)) {
                messages_.Show(lang_.Text(LK::err_fmtFileAccess));
                return false;
            }
            bool keep = false;
            std::string line;
            while (in.ReadLine(line)) {
                if (LineKey(line) == "NOM") keep = LineValue(line) != editFmtName;
                if (keep) kept.push_back(line);
            }
            if (in.Failed()) {
                messages_.Show(lang_.Text(LK::err_fmtFileAccess));
                return false;
            }
        }

        std::string content = FileBanner(bkFormats);
        content += "\r\n";
        for (const std::string& line : kept) {
            content += line;
            content += "\r\n";
        }
        if (mode == fsmSave) content += format.BlockText();

        // Without a format file there is nothing to back up; the old backup is then left alone,
        // since it may be the only copy of the formats left.
        if (!fmtExists) {
            messages_.Show(lang_.Text(LK::err_fmtChgOld));
            return false;
        }
        std::error_code ec;
        if (EntryExists(oldPath)) {
            fs::remove(oldPath, ec);
            if (ec || EntryExists(oldPath)) {
                messages_.Show(lang_.Text(LK::err_fmtDelOld));
                return false;
            }
        }
        // The backup is made beside the format file, which stays in place until the new content
        // has reached the disk; the folder's flush after the new file's rename keeps the link too.
        // A format file reached through a symbolic link is copied: a hard link would name the link
        // itself, and so show whatever the link's file holds after the save.
        if (fs::is_symlink(fs::symlink_status(fmtPath, ec))) ec = std::make_error_code(std::errc::not_supported);
        else fs::create_hard_link(fmtPath, oldPath, ec);
        if (ec && !CopyDurably(fmtPath, oldPath)) {
            messages_.Show(lang_.Text(LK::err_fmtChgOld));
            return false;
        }
        return writer_ && writer_(fmtPath, content);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void FmtFile::RecoverAfterFailedSave() {
    const std::string& updt = lang_.Text(LK::err_fmtFileUpdt);
    if (FmtLoadList() == frOk && state_.FmtCount() > 0) {
        messages_.Show(updt + lang_.Text(LK::err_fmtFilePres));
        return;
    }
    // CopyToExt never overwrites: a format file that is there but unreadable stays as it is.
    if (CopyToExt(BackupFileName(), ".fmt")) messages_.Show(updt + lang_.Text(LK::err_fmtFilePres));
    else messages_.Show(updt + lang_.Text(LK::err_fmtFileLoosed));
}

} // namespace lmx
