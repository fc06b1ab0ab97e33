// One source file through the whole conversion: the first bytes of the input choose a pair of
// small formats (separators, decimal separators, date layouts and separators, two of each a format,
// column names and types, case, control, prefix/suffix, leading lines, header lines, quoted fields,
// grouping separators, number suffixes and percent signs), which are written to a format file and
// loaded by the real reader; the rest of the input is the source, read by the line reader and
// converted by whichever engine the pair selects, into memory. Unless the first rejected line stops
// the run, the result must be the slot pipeline's, line for line; a quoting output's lines must read
// back with its own number of fields.
#include "FuzzSupport.h"

#include "common/Basics.h"
#include "core/DirectLine.h"
#include "core/SlotLine.h"
#include "core/EngineRunner.h"
#include "core/FormatFile.h"
#include "core/Log.h"
#include "env/LangTexts.h"

#include <array>
#include <string_view>
#include <sys/mman.h>

using namespace lmx;

namespace {

constexpr std::size_t kHeader = 28;

template <std::size_t N>
std::string Pick(const std::array<std::string_view, N>& table, uint8_t b) {
    return std::string(table[b % N]);
}

constexpr std::array<std::string_view, 9> kColSeps{";", ",", "\t", "|", " ", "::", ".", "\xA0", "/"};
constexpr std::array<std::string_view, 7> kDecSeps{",", ".", ";", "::", "\xE9", "'", "/"};
constexpr std::array<std::string_view, 8> kDateSeps{"/", "-", ".", " ", ";", ":", ",", "\t"};
constexpr std::array<std::string_view, 6> kNames{"DATE", "OPEN", "HIGH", "LOW", "CLOSE", "VOL"};
constexpr std::array<std::string_view, 6> kFixes{"", "x", "EUR", "|", ";", "\xE9t\xE9"};
constexpr std::array<std::string_view, 4> kHeaders{"Date;Open", "", "\xFF\x01", "#"};
constexpr std::array<std::string_view, 4> kGroups{",", ".", " ", "'"};
constexpr std::array<std::string_view, 4> kNumbers{"N", "NK", "N%", "NK%"};

// One block of the format file. layout picks the format's date layout (or none) and, with the
// column byte, a second one; colBytes the name and type of each column, codeBytes (output only)
// case, control and prefix/suffix.
std::string Block(const char* name, uint8_t sep, uint8_t dec, uint8_t count, uint8_t layout, uint8_t dsep,
                  const uint8_t* colBytes, const uint8_t* codeBytes, uint8_t affix, int ifl, int headers,
                  int quoting, int group) {
    const int n = 1 + count % 5;
    const bool hasDate = layout % 12 < 10;
    const std::string dateType = Pick(kDateSeps, dsep) + std::string(DateLayouts()[layout % 12 % 10]);
    // Several date columns may each have their own layout and separator.
    auto otherDate = [&](uint8_t c) {
        const auto step = static_cast<uint8_t>(1 + (c >> 6));
        return Pick(kDateSeps, static_cast<uint8_t>(dsep + step)) + std::string(DateLayouts()[(layout % 12 % 10 + step) % 10]);
    };
    std::string b = "NOM=" + std::string(name) + "\r\nCMT=fuzz\r\nCLC=" + std::to_string(n) + "\r\nSEP=" +
                    Pick(kColSeps, sep) + "\r\nDEC=" + Pick(kDecSeps, dec) + "\r\nIFL=" + std::to_string(ifl) + "\r\n";
    if (quoting > 0) b += "GUI=" + std::to_string(quoting) + "\r\n";
    if (group > 0) b += "MIL=" + Pick(kGroups, static_cast<uint8_t>(group)) + "\r\n";
    for (int h = 0; h < headers; ++h) b += "HDR=" + Pick(kHeaders, static_cast<uint8_t>(h + affix)) + "\r\n";
    for (int k = 0; k < n; ++k) {
        const uint8_t c = colBytes[k];
        std::string type;
        switch ((c >> 3) % 4) {
        case 0: type = Pick(kNumbers, static_cast<uint8_t>(c >> 6)); break;
        case 1: type = "AN"; break;
        case 2: type = "A"; break;
        default: type = !hasDate ? "N" : (c >> 5) & 1 ? otherDate(c) : dateType; break;
        }
        std::string codes = "0|0|0|";
        if (codeBytes != nullptr) {
            const uint8_t d = codeBytes[k];
            const int fx = (d / 9) % 3;
            codes = std::to_string(d % 3) + "|" + std::to_string((d / 3) % 3) + "|" + std::to_string(fx) + "|" +
                    (fx == 0 ? std::string() : Pick(kFixes, static_cast<uint8_t>(affix + k)));
            if (fx != 0 && codes.back() == '|') codes += "s";
        }
        b += "COL=" + Pick(kNames, c) + "|" + type + "|" + codes + "\r\n";
    }
    return b;
}

int SourceFd() {
    static const int fd = [] {
        const int f = ::memfd_create("lumivex-fuzz-source", 0);
        if (f < 0) std::abort();
        return f;
    }();
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < kHeader) return 0;
    const uint8_t* h = data;
    const int ifl = (h[10] >> 1) & 3;
    const int headers = (h[10] >> 3) & 3;
    // Quotes in and out, a grouping separator in and out (a refused one makes the pair not load).
    const int quoting = (h[10] >> 5) & 3;
    const int group = (h[10] >> 7) & 1 ? 1 + h[26] % 4 : 0;
    const std::string fmt = FileBanner(bkFormats) + "\r\n" +
                            Block("IN", h[0], h[2], h[4], h[6], h[7], h + 11, nullptr, 0, ifl, 0, quoting & 1,
                                  group) +
                            Block("OUT", h[1], h[3], h[5], h[8], h[9], h + 16, h + 21, h[26], 0, headers,
                                  quoting & 2 ? 1 + (h[27] & 1) : 0, group ? 4 - group % 4 : 0);

    static const std::string fmtPath = fuzz::ScratchDir() + "Lumivex.fmt";
    fuzz::WriteBytes(fmtPath, reinterpret_cast<const uint8_t*>(fmt.data()), fmt.size());
    static const LangTexts lang;
    fuzz::QuietMessages messages;
    ChosenFormats state;
    FmtFile file(state, lang, messages);
    file.FmtFileName = fmtPath;
    if (file.FmtLoadDescription(flmInput, "IN") != StatusCode::Ok) return 0;
    if (file.FmtLoadDescription(flmOutput, "OUT") != StatusCode::Ok) return 0;

    // The source: the rest of the input, read through a descriptor like a file.
    const int fd = SourceFd();
    const uint8_t* src = data + kHeader;
    const std::size_t srcSize = size - kHeader;
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, src, srcSize, 0) != static_cast<ssize_t>(srcSize) ||
        ::lseek(fd, 0, SEEK_SET) != 0)
        std::abort();

    Converter conv;
    conv.SetCurrentYear(2000 + h[27] % 100);
    conv.TakePlan(ConversionPlan(state));
    const ConversionPlan& plan = conv.Plan();
    if (!plan.Linked()) std::abort(); // both formats loaded without error
    RejectTable rejects;
    rejects.Prepare(plan.Input(), plan.InColCount());
    RunState run;
    run.StopOnBadLine = (h[10] & 1) != 0;
    Log log(state, messages);
    LineErrWriter errors(rejects, run, log);
    errors.SetInput(conv.InColSep(), plan.InColCount());
    const EngineCodeValue engine = plan.Engine();
    if (engine == ecNone) std::abort(); // loaded codes are typed

    StringSink out;
    NullRunHook hook;
    EngineRunner runner(conv, run, errors, log, hook);
    // A small buffer so that lines cross buffer edges often.
    LineReader in(16 + h[27] % 64);
    in.Attach(fd);
    if (ifl > 0) in.Skip(ifl);
    for (const std::string& h : plan.Output().headers) out.WriteLine(h);
    if (runner.RunEngine(engine, in, out) != 0) std::abort();

    if (run.RejectedTotal < 0 || run.RejectedTotal > run.LinesRead) std::abort();
    if (!run.FileAborted && !in.AtEnd()) std::abort(); // unless stopped or failed, the engine read it all
    if (run.StopOnBadLine || run.FileAborted) return 0;

    // The same lines through the slots.
    SlotLine slots(conv);
    if (!slots.Prepare(engine)) std::abort();
    StringSink reference;
    LineReader again(4096);
    if (::lseek(fd, 0, SEEK_SET) != 0) std::abort();
    again.Attach(fd);
    if (ifl > 0) again.Skip(ifl);
    for (const std::string& h : plan.Output().headers) reference.WriteLine(h);
    int64_t rejected = 0;
    std::string_view line;
    while (again.Next(line))
        if (!line.empty() && slots.Convert(line, reference) != leOk) ++rejected; // an empty line is no record
    if (reference.data != out.data || rejected != run.RejectedTotal) std::abort();

    // Whatever the fields held, a quoting output reads back with its own number of fields.
    if (plan.Output().quoting == QuoteMode::None || plan.Output().colSep.size() != 1) return 0;
    Converter reader;
    reader.TakePlan(ConversionPlan(plan.Output(), plan.Output()));
    if (!reader.Plan().Linked()) std::abort();
    SlotLine readBack(reader);
    std::size_t at = 0;
    for (std::size_t skip = plan.Output().headers.size(); skip > 0 && at < out.data.size(); --skip)
        at = out.data.find("\r\n", at) + 2;
    while (at < out.data.size()) {
        const std::size_t end = out.data.find("\r\n", at);
        if (end == std::string::npos) std::abort();
        if (!readBack.Unstring(std::string_view(out.data).substr(at, end - at))) std::abort();
        at = end + 2;
    }
    return 0;
}
