#pragma once
// The engines that convert an open source file line by line into the result.
#include "core/Converter.h"
#include "core/DirectLine.h"
#include "core/SlotLine.h"
#include "core/LineError.h"
#include "core/LineReader.h"
#include "core/OutputSink.h"
#include "core/RunState.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace lmx {

class Log;

// The log label of an engine code; empty for a code without engine.
std::string_view EngineLabel(EngineCodeValue engineCode);

class EngineRunner {
public:
    EngineRunner(const Converter& conv, RunState& run, LineErrWriter& errors, Log& log, IRunHook& hook)
        : conv_(conv), run_(run), errors_(errors), log_(log), hook_(hook), slots_(conv) {}

    // Completes the pending log line with the engine's label, then converts the lines of in into
    // out until the end of the file, a stop or a read failure (FileAborted). Returns 0, or -1 for
    // a code without engine (the file is then left unread and counted as aborted).
    int RunEngine(EngineCodeValue engineCode, LineReader& in, IOutSink& out);

private:
    bool StartFile(); // false when the run is already stopped
    // The plain records after the line just read, many at a time; false when the run stopped.
    bool ConvertAhead(LineReader& in, IOutSink& out);

    const Converter& conv_;
    RunState& run_;
    LineErrWriter& errors_;
    Log& log_;
    IRunHook& hook_;
    DirectLine line_;
    SlotLine slots_;
};

} // namespace lmx
