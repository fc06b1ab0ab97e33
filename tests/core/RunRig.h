#pragma once
// What the run tests share: a session over a two-format file, and a view that records what a run shows.
#include "model/Session.h"

#include "common/Cp1252.h"
#include "common/Basics.h"
#include "common/DurableFile.h"
#include "support/FaultyPort.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace lmx::test {

class FakeTrash final : public ITrash {
public:
    bool MoveToTrash(const std::string& path) override {
        trashed.push_back(path);
        return std::remove(path.c_str()) == 0;
    }
    std::vector<std::string> trashed;
};

// Records what a run shows; can press "Annuler" after a given number of lines.
class RecordingView final : public IRunView {
public:
    explicit RecordingView(RunState& run) : run_(run) {}
    void LineDone(const RunState& r) override {
        if (cancelAfter > 0 && r.LinesRead >= cancelAfter) run_.StopRun = run_.UserCancel = true;
        if (onLine) onLine();
    }
    // Between two files: the window lets its events through there too.
    void SetBars(int64_t, int64_t runPos) override {
        if (cancelBetweenFiles && runPos > 0) run_.StopRun = run_.UserCancel = true;
    }
    void ResetCounters() override { events.push_back("reset"); }
    void ShowCounters(int64_t f, int64_t r, int64_t j, int64_t w) override { counters = {f, r, j, w}; }
    void ShowPage(RunPage p) override { events.push_back(p == RunPage::Output ? "page4" : "page5"); }
    void ShowFileNumber(int64_t number, int64_t count) override { status.push_back(IntToStr(number) + "/" + IntToStr(count)); }
    void ShowRunEnded() override { status.push_back("ended"); }
    void SetConvertEnabled(bool e) override { events.push_back(e ? "enable" : "disable"); }
    void ChooseOutputFile() override { events.push_back("chooser"); }
    void ReadingFrom(const LineReader* in, int64_t before) override { reading.push_back({in != nullptr, before}); }
    std::vector<std::string> events, status;
    std::vector<std::pair<bool, int64_t>> reading; // a source open, the bytes read before it
    std::vector<int64_t> counters;
    int64_t cancelAfter = 0;
    bool cancelBetweenFiles = false;
    std::function<void()> onLine;

private:
    RunState& run_;
};

class Run : public ::testing::Test {
protected:
    Run() : s(messages, trash), view(s.run) {
        s.SetProgramDir(dir.path());
        WriteFile(dir.file("Lumivex.fmt"),
                  FmtFileText({"NOM=IN", "CMT=", "CLC=2", "SEP=;", "DEC=,", "IFL=1", "COL=D|/DD/MM/YY|0|0|0|",
                               "COL=V|N|0|0|0|", "NOM=OUT", "CMT=", "CLC=2", "SEP=;", "DEC=.", "IFL=0", "HDR=H1",
                               "HDR=H2", "COL=V|N|0|0|0|", "COL=D|-YYYY/MM/DD|0|0|0|"}));
        EXPECT_EQ(s.SelectFormat(1, "IN"), StatusCode::Ok);
        EXPECT_EQ(s.SelectFormat(2, "OUT"), StatusCode::Ok);
        s.conv.SetCurrentYear(2026);
    }
    std::string Src(const std::string& name, const std::string& content) {
        WriteFile(dir.file(name), content);
        return dir.file(name);
    }
    void Choose(std::vector<std::string> files, const std::string& out) {
        s.page.InFiles = std::move(files);
        s.page.InChosen = true;
        s.page.OutPath = out;
        s.page.OutValid = true;
    }
    std::vector<std::string> LogFrom(const std::string& first) const {
        const auto& l = s.log.Lines();
        auto it = std::find(l.begin(), l.end(), first);
        return {it, l.end()};
    }
    TempDir dir;
    RecordingMessages messages;
    FakeTrash trash;
    Session s;
    RecordingView view;
};

} // namespace lmx::test
