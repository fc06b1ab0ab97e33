#include "CliRig.h"

#include "common/Basics.h"
#include "core/FmtTestFiles.h"
#include "core/FormatFile.h"
#include "env/LangTexts.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace lmx::test {

namespace {

// The environment with extra entries replacing those of the same name.
std::vector<std::string> Environment(const std::vector<std::string>& extra) {
    std::vector<std::string> env;
    auto name = [](const std::string& e) { return e.substr(0, e.find('=') + 1); };
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        bool replaced = false;
        for (const auto& x : extra) replaced = replaced || name(x) == name(entry);
        if (!replaced) env.push_back(entry);
    }
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& store) {
    std::vector<char*> p;
    for (auto& s : store) p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

} // namespace

CliResult RunProgram(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv,
                     const std::string& cwd, const std::string& input) {
    TempDir io;
    const std::string outPath = io.file("out"), errPath = io.file("err");
    std::vector<std::string> argStore = args;
    std::vector<std::string> envStore = Environment(extraEnv);
    const std::vector<char*> argv = Pointers(argStore);
    const std::vector<char*> envp = Pointers(envStore);

    const pid_t pid = ::fork();
    if (pid == 0) {
        const int o = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int e = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int in = ::open(input.empty() ? "/dev/null" : input.c_str(), O_RDONLY);
        ::dup2(o, 1);
        ::dup2(e, 2);
        ::dup2(in, 0);
        if (!cwd.empty() && ::chdir(cwd.c_str()) != 0) ::_exit(126);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    CliResult r;
    int wstatus = 0;
    ::waitpid(pid, &wstatus, 0);
    r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    r.out = ReadFile(outPath);
    r.err = ReadFile(errPath);
    return r;
}

CliResult RunCli(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv,
                 const std::string& cwd) {
    TempDir home;
    std::vector<std::string> env;
    for (const std::string& own : {"HOME=" + home.path(), "XDG_DATA_HOME=" + home.file("data")}) {
        bool given = false;
        for (const auto& x : extraEnv) given = given || x.substr(0, x.find('=') + 1) == own.substr(0, own.find('=') + 1);
        if (!given) env.push_back(own);
    }
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    std::vector<std::string> argv{LUMIVEX_CONVERT_EXE};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv, env, cwd);
}

CliProcess::CliProcess(const std::vector<std::string>& args) {
    std::vector<std::string> argStore{LUMIVEX_CONVERT_EXE};
    argStore.insert(argStore.end(), args.begin(), args.end());
    const std::vector<char*> argv = Pointers(argStore);
    pid_ = ::fork();
    if (pid_ == 0) {
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
}

CliProcess::~CliProcess() {
    if (pid_ > 0) Stop(SIGKILL);
}

int CliProcess::Stop(int sig) {
    if (pid_ <= 0) return -1;
    ::kill(pid_, sig);
    int wstatus = 0;
    for (int i = 0; i < 1000 && ::waitpid(pid_, &wstatus, WNOHANG) == 0; ++i) ::usleep(10000);
    if (::waitpid(pid_, &wstatus, WNOHANG) == 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &wstatus, 0);
    }
    pid_ = -1;
    return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
}

std::string FormatFile(const std::vector<std::vector<std::string>>& blocks) {
    std::vector<std::string> lines;
    for (const auto& b : blocks) lines.insert(lines.end(), b.begin(), b.end());
    return FmtFileText(lines);
}

namespace {

struct ExampleFormat {
    const char* name;
    const char* comment;
    const char* sep;
    const char* dec;
    const char* skip;
    std::vector<std::string> hdr;
    std::vector<std::string> cols;
    QuoteMode quoting = QuoteMode::None;
    std::string group;
};

// Realistic quote layouts: the formats a new user finds beside the program.
std::vector<ExampleFormat> ExampleFormats() {
    return {
        {"FRJOUR", "Cours journaliers, style fran\xE7" "ais", ";", ",", "1",
         {"Date;Valeur;Ouverture;Haut;Bas;Cl\xF4ture;Volume"},
         {"DATE|/DD/MM/YYYY|0|1|0|", "TICKER|AN|0|0|0|", "OPEN|N|0|0|0|", "HIGH|N|0|0|0|", "LOW|N|0|0|0|",
          "CLOSE|N|0|0|0|", "VOLUME|N|0|0|0|"}, QuoteMode::None, ""},
        {"ISOTAB", "ISO dates, tab separated, dot decimals", "\t", ".", "1",
         {"Date\tTicker\tOpen\tHigh\tLow\tClose\tVolume"},
         {"DATE|-YYYY/MM/DD|0|0|0|", "TICKER|AN|0|0|0|", "OPEN|N|0|0|0|", "HIGH|N|0|0|0|", "LOW|N|0|0|0|",
          "CLOSE|N|0|0|0|", "VOLUME|N|0|0|0|"}, QuoteMode::None, ""},
        {"COMPACT", "Ticker first, YYYYMMDD dates, comma separated", ",", ".", "0", {},
         {"TICKER|AN|1|0|0|", "DATE|0YYYYMMDD|0|0|0|", "OPEN|N|0|1|0|", "HIGH|N|0|1|0|", "LOW|N|0|1|0|",
          "CLOSE|N|0|1|0|", "VOLUME|N|0|1|0|"}, QuoteMode::None, ""},
        {"FRCOURT", "Date sur deux chiffres, cl\xF4ture et volume", ";", ",", "0", {},
         {"DATE|/DD/MM/YY|0|0|0|", "TICKER|AN|0|0|0|", "CLOSE|N|0|0|0|", "VOLUME|N|0|0|0|"}, QuoteMode::None, ""},
        // The two layouts of the widespread free daily downloads.
        {"TICKER10", "Daily download: ticker, period, YYYYMMDD date, time, prices, volume", ",", ".", "1",
         {"<TICKER>,<PER>,<DATE>,<TIME>,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOL>,<OPENINT>"},
         {"TICKER|AN|0|0|0|", "PER|AN|0|0|0|", "DATE|0YYYYMMDD|0|0|0|", "TIME|AN|0|0|0|", "OPEN|N|0|0|0|",
          "HIGH|N|0|0|0|", "LOW|N|0|0|0|", "CLOSE|N|0|0|0|", "VOLUME|N|0|0|0|", "OPENINT|N|0|0|0|"}, QuoteMode::None, ""},
        {"ADJCLOSE", "Daily download: ISO date, prices, adjusted close, volume", ",", ".", "1",
         {"Date,Open,High,Low,Close,Adj Close,Volume"},
         {"DATE|-YYYY/MM/DD|0|0|0|", "OPEN|N|0|0|0|", "HIGH|N|0|0|0|", "LOW|N|0|0|0|", "CLOSE|N|0|0|0|",
          "ADJ CLOSE|N|0|0|0|", "VOLUME|N|0|0|0|"}, QuoteMode::None, ""},
        // Downloads with every field in quotes, grouped thousands, K/M/B volumes and a percent change.
        {"QUOTED_EN", "Quoted download: MM/DD/YYYY, 1,948.00, volumes in K/M/B, change in %", ",", ".", "1",
         {"\"Date\",\"Price\",\"Open\",\"High\",\"Low\",\"Vol.\",\"Change %\""},
         {"DATE|/MM/DD/YYYY|0|0|0|", "CLOSE|N|0|0|0|", "OPEN|N|0|0|0|", "HIGH|N|0|0|0|", "LOW|N|0|0|0|",
          "VOLUME|NK|0|0|0|", "CHANGE PCT|N%|0|0|0|"},
         QuoteMode::Always, ","},
        {"QUOTED_FR", "T\xE9l\xE9" "chargement entre guillemets : JJ/MM/AAAA, 4.913,94, volumes en K/M/B", ",", ",", "1",
         {"\"Date\",\"Dernier\",\"Ouv.\",\" Plus Haut\",\"Plus Bas\",\"Vol.\",\"Variation %\""},
         {"DATE|/DD/MM/YYYY|0|0|0|", "CLOSE|N|0|0|0|", "OPEN|N|0|0|0|", "HIGH|N|0|0|0|", "LOW|N|0|0|0|",
          "VOLUME|NK|0|0|0|", "CHANGE PCT|N%|0|0|0|"},
         QuoteMode::Always, "."},
        {"INTRADAY", "Intraday download: YYYYMMDD date, time kept as text, prices, volume", ";", ".", "1",
         {"<DATE>;<TIME>;<OPEN>;<HIGH>;<LOW>;<CLOSE>;<VOL>"},
         {"DATE|0YYYYMMDD|0|0|0|", "TIME|AN|0|0|0|", "OPEN|N|0|0|0|", "HIGH|N|0|0|0|", "LOW|N|0|0|0|",
          "CLOSE|N|0|0|0|", "VOLUME|N|0|0|0|"}, QuoteMode::None, ""},
    };
}

} // namespace

std::string ExampleFormatFile() {
    FmtFileRig rig;
    FmtFile& file = rig.file;
    // The writer replaces an existing file only: start from a file holding nothing but the banner.
    WriteFile(file.FmtFileName, FileBanner(bkFormats) + "\r\n");
    for (const auto& f : ExampleFormats()) {
        Format format = FormatOf(f.name, f.sep, f.dec, f.cols, f.comment, f.skip, f.hdr);
        format.quoting = f.quoting;
        format.groupSep = f.group;
        if (!file.FmtSaveFile(fsmSave, f.name, format).Ok()) return {};
    }
    return ReadFile(file.FmtFileName);
}

} // namespace lmx::test
