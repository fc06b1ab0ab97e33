#include "core/EngineRunner.h"

#include "core/Log.h"

#include <array>
#include <new>

namespace lmx {

namespace {

struct EngineName {
    EngineCodeValue code;
    std::string_view label;
};

constexpr std::array<EngineName, 5> kEngines{{
    {ecStandard, " (Standard)"},
    {ecDecimal, " (DecimalChange)"},
    {ecDate, " (DateConv(Perso) + DecimalChange)"},
    {ecDateDecimal, " (DateConv(Perso) + DecimalChange)"},
    {ecGlobal, " (Eng. Global)"},
}};

} // namespace

std::string_view EngineLabel(EngineCodeValue engineCode) {
    for (const EngineName& e : kEngines)
        if (e.code == engineCode) return e.label;
    return {};
}

bool EngineRunner::StartFile() {
    if (run_.StopRun) return false;
    run_.LineNo = 0;
    const ConversionPlan& plan = conv_.Plan();
    errors_.SetInput(conv_.InColSep(), plan.InColCount(), plan.Input().quoting != QuoteMode::None);
    return true;
}

bool EngineRunner::ConvertAhead(LineReader& in, IOutSink& out) {
    // Each line converted counts as the loop counts one, the hook seeing it.
    auto lineDone = [](void* self) {
        RunState& run = static_cast<EngineRunner*>(self)->run_;
        ++run.LinesRead;
        ++run.LineNo;
        static_cast<EngineRunner*>(self)->hook_.LineDone(run);
        return !run.StopRun;
    };
    while (const std::size_t n = line_.ConvertRun(in.Ahead(), in.MaxLine(), out, lineDone, this)) {
        in.Pass(n);
        if (run_.StopRun) return false;
    }
    return true;
}

int EngineRunner::RunEngine(EngineCodeValue engineCode, LineReader& in, IOutSink& out) {
    log_.LogWrite(lkEnd, EngineLabel(engineCode));
    if (EngineLabel(engineCode).empty()) {
        if (!run_.StopRun) run_.FileAborted = true;
        return -1;
    }
    try {
        if (!StartFile()) return 0;
        // Quotes, grouping separators, number suffixes: through the slots. All other formats
        // straight from the read buffer.
        const bool fields = conv_.FieldsPath();
        bool runs = false;
        char watched = '\0';
        bool watch = false;
        if (fields) {
            slots_.Prepare(engineCode);
        } else {
            line_.Prepare(conv_, engineCode);
            runs = line_.Runs();
            // The reader finds the lines that may hold a byte written as an output separator.
            watch = line_.Watches(watched);
            if (watch) in.Watch(watched);
        }
        std::string_view line;
        while (in.Next(line)) {
            // A line end alone is no record (downloads often end with one): it keeps its number,
            // so that the lines after it are named as the file numbers them.
            if (line.empty()) {
                ++run_.EmptyTotal;
            } else {
                // A line cut to the reader's bound is no line of the format: never converted.
                const int status = in.Cut() ? leLength
                                   : fields ? slots_.Convert(line, out)
                                            : line_.Convert(line, out, watch && in.Holds(line));
                if (status > leOk) {
                    ++run_.RejectedTotal;
                    errors_.WriteErrLine(status, line, run_.LineNo + 1, 0);
                }
                ++run_.LinesRead;
            }
            ++run_.LineNo;
            hook_.LineDone(run_); // progress bars and pending window events; may set StopRun
            if (run_.StopRun || (runs && !ConvertAhead(in, out))) {
                run_.FileAborted = true;
                return 0;
            }
        }
        if (in.Error()) run_.FileAborted = true;
    } catch (const std::bad_alloc&) {
        // The file is not converted; its lines are not at fault.
        run_.FileAborted = true;
        log_.LogWrite(lkLine, "#CONV out of memory");
    } catch (...) {
        // Nothing thrown on the way may reach the window: the file is not converted.
        run_.FileAborted = true;
    }
    return 0;
}

} // namespace lmx
