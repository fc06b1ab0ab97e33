// The writer of the format file and the recovery after a failed save.
#include "common/Text.h"
#include "common/Basics.h"
#include "common/DurableFile.h"
#include "core/FormatCheck.h"
#include "core/FormatFile.h"
#include "core/OutputSink.h"
#include "env/LangTexts.h"

#include <cerrno>
#include <new>

namespace lmx {

bool FmtFile::SplitFile(const std::string& name, std::vector<std::string>* kept, FmtBlockSeen& block) {
    block = FmtBlockSeen{};
    FmtLineReader in;
    if (!in.Open(FmtFileName, port_)) return false;
    bool keep = false;
    bool seenNom = false;
    std::string line;
    while (in.ReadLine(line)) {
        if (LineKey(line) == "NOM") {
            seenNom = true;
            keep = LineValue(line) != name;
            block.present = block.present || !keep;
        }
        if (keep) {
            if (kept) kept->push_back(line);
        } else if (seenNom) {
            block.lines += line;
            block.lines += '\n';
        }
    }
    return !in.Failed();
}

FmtBlockSeen FmtFile::BlockSeen(const std::string& name) {
    FmtBlockSeen block;
    try {
        if (!FileIsThere() || !SplitFile(name, nullptr, block)) return FmtBlockSeen{};
    } catch (const std::bad_alloc&) {
        return FmtBlockSeen{};
    }
    return block;
}

Status FmtFile::FmtSaveFile(int mode, const std::string& editFmtName, const Format& format,
                          const FmtBlockSeen* expected) {
    conflict_ = FmtConflict::None;
    // A value that would not read back as written is refused before the file is touched.
    if ((mode != fsmSave && mode != fsmDelete) || (mode == fsmSave && !FormatWritable(format)))
        return Status{StatusCode::FmtSaveRefused, {}};
    try {
        const std::string fmtPath = FmtFileName;
        const std::string oldPath = BackupFileName();
        // Another window saving at the same instant waits: neither loses the other's format nor
        // finds the backup gone under its feet.
        const FileLock lock(port_, fmtPath);
        const bool fmtExists = port_.Exists(fmtPath);

        // Every block but the one named editFmtName; the banner is written anew.
        std::vector<std::string> kept;
        FmtBlockSeen onDisk;
        if (fmtExists && !SplitFile(editFmtName, &kept, onDisk)) {
            messages_.Show(lang_.Text(LK::err_fmtFileAccess));
            return Status{StatusCode::FmtSaveCannotRead, {}};
        }
        if (expected && onDisk != *expected) {
            conflict_ = !onDisk.present ? FmtConflict::Deleted
                        : expected->present ? FmtConflict::Changed
                                            : FmtConflict::Added;
            return Status{StatusCode::FmtSaveConflict, {}};
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
            return Status{StatusCode::FmtSaveNoBackup, {}};
        }
        if (port_.Exists(oldPath)) {
            if (const SysStatus removed = port_.RemoveFile(oldPath); !removed.Ok() || port_.Exists(oldPath)) {
                messages_.Show(lang_.Text(LK::err_fmtDelOld));
                return Status{StatusCode::FmtSaveNoBackup, removed.Ok() ? std::string() : removed.Reason()};
            }
        }
        // The backup is made beside the format file, which stays in place until the new content
        // has reached the disk; the folder's flush after the new file's rename keeps the link too.
        // A format file reached through a symbolic link is copied: a hard link would name the link
        // itself, and so show whatever the link's file holds after the save.
        const bool linked = port_.KindOf(fmtPath, false) != EntryKind::Link &&
                            port_.Link(fmtPath.c_str(), oldPath.c_str()) == 0;
        if (!linked && !CopyToExt(fmtPath, ".old", port_)) {
            messages_.Show(lang_.Text(LK::err_fmtChgOld));
            return Status{StatusCode::FmtSaveNoBackup, {}};
        }
        std::string reason;
        if (!writer_ || !writer_(fmtPath, content, reason)) return Status{StatusCode::FmtSaveCannotWrite, reason};
        return Status{};
    } catch (const std::bad_alloc&) {
        return Status{StatusCode::FmtSaveCannotWrite, SysErrorText(ENOMEM)};
    }
}

void FmtFile::RecoverAfterFailedSave() {
    const std::string& updt = lang_.Text(LK::err_fmtFileUpdt);
    if (FmtLoadList() == StatusCode::Ok && !state_.Catalogue.FormatNames.empty()) {
        messages_.Show(updt + lang_.Text(LK::err_fmtFilePres));
        return;
    }
    // CopyToExt never overwrites: a format file that is there but unreadable stays as it is.
    if (CopyToExt(BackupFileName(), ".fmt", port_)) messages_.Show(updt + lang_.Text(LK::err_fmtFilePres));
    else messages_.Show(updt + lang_.Text(LK::err_fmtFileLoosed));
}

} // namespace lmx
