#pragma once
// Shared by the hostile-input tests: a picture of a folder to prove nothing else changed, a whole
// session set up in a temporary program folder, and the command-line converter run as a process.
#include "common/Basics.h"
#include "model/Session.h"
#include "support/FaultyPort.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace lmx::test {

// Name -> size and content hash of every entry under the folder (a folder's entry is "dir").
inline std::map<std::string, std::string> Snapshot(const std::string& folder) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> shot;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = fs::relative(it->path(), folder, ec).string();
        const auto st = it->symlink_status(ec);
        if (fs::is_directory(st)) shot[name] = "dir";
        else if (!fs::is_regular_file(st)) shot[name] = "special";
        else {
            const std::string bytes = ReadFile(it->path().string());
            shot[name] = std::to_string(bytes.size()) + ":" + std::to_string(std::hash<std::string>{}(bytes));
        }
    }
    return shot;
}

// A format file holding the given blocks (each a list of lines), banner first.
inline std::string FormatFile(const std::vector<std::vector<std::string>>& blocks) {
    std::vector<std::string> lines;
    for (const auto& b : blocks) lines.insert(lines.end(), b.begin(), b.end());
    return FileBanner(bkFormats) + "\r\n" + CrLf(lines);
}

// Two columns: "A;B" with "," as decimal separator in, "A,B" with "." out.
inline std::vector<std::string> InBlock(const std::string& ifl = "0") {
    return {"NOM=IN", "CMT=in", "CLC=2", "SEP=;", "DEC=,", "IFL=" + ifl, "COL=A|AN|0|0|0|", "COL=B|N|0|0|0|"};
}
inline std::vector<std::string> OutBlock() {
    return {"NOM=OUT", "CMT=out", "CLC=2", "SEP=,", "DEC=.", "IFL=0", "HDR=a,b", "COL=A|AN|0|0|0|", "COL=B|N|0|0|0|"};
}

class FakeTrash final : public ITrash {
public:
    bool MoveToTrash(const std::string& path) override {
        moved.push_back(path);
        return true;
    }
    std::vector<std::string> moved;
};

// The per-line hook of a run calls back into the test.
class HookView final : public IRunView {
public:
    std::function<void(const RunState&)> onLine;
    void LineDone(const RunState& run) override {
        if (onLine) onLine(run);
    }
};

// A session in its own program folder, the formats IN and OUT selected, parameters never written.
struct SessionRig {
    TempDir dir;
    RecordingMessages messages;
    FakeTrash trash;
    FaultyPort port; // the real system unless told to fail
    Session s{messages, trash, port};

    explicit SessionRig(const std::string& fmtText = FormatFile({InBlock(), OutBlock()})) {
        WriteFile(dir.file("Lumivex.fmt"), fmtText);
        s.SetProgramDir(dir.path());
        s.params.ReadOnly = true;
    }
    bool Select() { return s.SelectFormat(flmInput, "IN").Ok() && s.SelectFormat(flmOutput, "OUT").Ok(); }
    bool replaceResult = false; // the user agreed to replace a file that has the result's name

    // TakeFiles, then the run into out; the run's status, or RunNotStarted when no file was taken.
    Status Run(const std::vector<std::string>& files, const std::string& out, IRunView& view,
                const AfterProcessing& after = {}) {
        if (!s.convPage.TakeFiles(files, "Test : ")) return Status{StatusCode::RunNotStarted, {}};
        s.page.OutPath = out;
        s.page.OutValid = true;
        s.page.OutReplace = replaceResult;
        return s.runner.RunConversion(view, after);
    }
    Status Run(const std::vector<std::string>& files, const std::string& out, const AfterProcessing& after = {}) {
        HookView view;
        return Run(files, out, view, after);
    }
};

// Opens the FIFO for writing after a while, so that a reader blocked on it would be released and
// the test would fail instead of hanging. True when it had to.
class FifoWatchdog {
public:
    explicit FifoWatchdog(std::string path) : path_(std::move(path)), thread_([this] { Watch(); }) {}
    ~FifoWatchdog() {
        done_ = true;
        thread_.join();
    }
    bool Released() const { return released_; }

private:
    void Watch() {
        for (int i = 0; i < 200 && !done_; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (done_) return;
        const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            released_ = true;
            ::close(fd);
        }
    }
    std::string path_;
    std::atomic<bool> done_{false};
    std::atomic<bool> released_{false};
    std::thread thread_;
};

struct CliResult {
    int status = -1; // exit status, or -1 when it did not exit normally (or timed out)
    std::string out;
    std::string err;
};

#ifdef LUMIVEX_CONVERT_EXE
// Runs the converter with a time limit, so that a blocked read shows as a failure, not a hang.
inline CliResult RunCli(const std::vector<std::string>& args, const std::string& scratch) {
    std::string cmd = "timeout 60 '" LUMIVEX_CONVERT_EXE "'";
    for (const auto& a : args) cmd += " '" + a + "'";
    cmd += " >'" + scratch + "cli.out' 2>'" + scratch + "cli.err' </dev/null";
    CliResult r;
    const int raw = std::system(cmd.c_str());
    if (raw != -1 && WIFEXITED(raw)) r.status = WEXITSTATUS(raw);
    r.out = ReadFile(scratch + "cli.out");
    r.err = ReadFile(scratch + "cli.err");
    std::remove((scratch + "cli.out").c_str());
    std::remove((scratch + "cli.err").c_str());
    return r;
}
#endif

} // namespace lmx::test
