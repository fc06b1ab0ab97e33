// The program's own files replaced by a FIFO or a link to a device: every reader answers its
// "cannot open" code at once instead of waiting for a writer or reading without end.
#include "HostileSupport.h"

#include "env/LangTexts.h"
#include "env/Params.h"

#include <sys/stat.h>

namespace lmx::test {
namespace {

enum class Kind { Fifo, Device };

void MakeSpecial(const std::string& path, Kind kind) {
    if (kind == Kind::Fifo) {
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    } else {
        ASSERT_EQ(::symlink("/dev/zero", path.c_str()), 0);
    }
}

const std::pair<Kind, const char*> kKinds[] = {{Kind::Fifo, "FIFO"}, {Kind::Device, "link to /dev/zero"}};

TEST(HostileProgramFiles, FormatFileThatIsNoFile) {
    for (const auto& [kind, what] : kKinds) {
        SCOPED_TRACE(what);
        TempDir dir;
        MakeSpecial(dir.file("Lumivex.fmt"), kind);
        const auto before = Snapshot(dir.path());
        FifoWatchdog watchdog(dir.file("Lumivex.fmt"));
        RecordingMessages messages;
        const LangTexts lang;
        ChosenFormats state;
        FmtFile file(state, lang, messages);
        file.FmtFileName = dir.file("Lumivex.fmt");
        EXPECT_EQ(file.FmtLoadList(), StatusCode::FmtNoFormat);
        EXPECT_EQ(file.FmtLoadDescription(flmInput, "IN"), StatusCode::FmtOpenFailed);
        EXPECT_FALSE(watchdog.Released()) << "a reader waited on the FIFO";
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(Snapshot(dir.path()), before);
    }
}

TEST(HostileProgramFiles, LanguageFileThatIsNoFile) {
    for (const auto& [kind, what] : kKinds) {
        SCOPED_TRACE(what);
        TempDir dir;
        MakeSpecial(dir.file("Lumivex.lng"), kind);
        const auto before = Snapshot(dir.path());
        FifoWatchdog watchdog(dir.file("Lumivex.lng"));
        LangTexts lang;
        std::vector<std::string> names{"stale"};
        EXPECT_EQ(lang.LangList(dir.file("Lumivex.lng"), names), StatusCode::LangFileUnreadable);
        EXPECT_TRUE(names.empty());
        EXPECT_EQ(lang.LangLoad("English", dir.file("Lumivex.lng")), StatusCode::LangFileUnreadable);
        EXPECT_EQ(lang.Text(LK::btn_exit), LangTexts().Text(LK::btn_exit));
        EXPECT_FALSE(watchdog.Released()) << "a reader waited on the FIFO";
        EXPECT_EQ(Snapshot(dir.path()), before);
    }
}

TEST(HostileProgramFiles, ParametersFileThatIsNoFile) {
    for (const auto& [kind, what] : kKinds) {
        SCOPED_TRACE(what);
        TempDir dir;
        MakeSpecial(dir.file("Lumivex.prm"), kind);
        const auto before = Snapshot(dir.path());
        FifoWatchdog watchdog(dir.file("Lumivex.prm"));
        Params prm;
        prm.ProgramDir = dir.path();
        prm.PrmFileName = dir.file("Lumivex.prm");
        prm.ReadOnly = true;
        EXPECT_EQ(prm.Load().code, StatusCode::SettingsCannotOpen);
        EXPECT_EQ(prm.settings, Settings());
        EXPECT_FALSE(watchdog.Released()) << "a reader waited on the FIFO";
        EXPECT_EQ(Snapshot(dir.path()), before);
    }
}

#ifdef LUMIVEX_CONVERT_EXE
TEST(HostileProgramFiles, ConverterDoesNotWaitOnFifoProgramFiles) {
    SessionRig rig;
    WriteFile(rig.dir.file("q.txt"), "a;1,5\r\n");
    for (const char* name : {"Lumivex.lng", "Lumivex.prm"}) MakeSpecial(rig.dir.file(name), Kind::Fifo);
    TempDir scratch;
    const auto before = Snapshot(rig.dir.path());
    FifoWatchdog lng(rig.dir.file("Lumivex.lng"));
    FifoWatchdog prm(rig.dir.file("Lumivex.prm"));
    const CliResult r = RunCli({"--dir", rig.dir.path(), "--in", "IN", "--out", "OUT", "-o", scratch.file("o.txt"),
                                "-q", rig.dir.file("q.txt")}, scratch.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(scratch.file("o.txt")), "a,b\r\na,1.5\r\n");
    EXPECT_FALSE(lng.Released() || prm.Released()) << "the converter waited on a FIFO";
    EXPECT_EQ(Snapshot(rig.dir.path()), before);
}
#endif

} // namespace
} // namespace lmx::test
