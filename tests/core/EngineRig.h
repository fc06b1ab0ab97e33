#pragma once
// Formats and a complete engine set-up for the engine tests.
#include "core/EngineRunner.h"
#include "core/Log.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace lmx::test {

// A column from the fields of its COL line; the codes are "0", "1" or "2".
inline Column Col(std::string name, std::string_view type = "AN", std::string_view casing = "0",
                  std::string_view control = "0", std::string_view affixType = "0", std::string affixText = "") {
    Column c;
    c.name = std::move(name);
    c.SetTypeText(type);
    c.casing = static_cast<CaseCode>(casing[0] - '0');
    c.control = static_cast<ControlCode>(control[0] - '0');
    c.affix = static_cast<AffixCode>(affixType[0] - '0');
    c.affixText = std::move(affixText);
    return c;
}

inline Format Fmt(std::string colSep, std::string decSep, std::vector<Column> cols) {
    Format f;
    f.name = "T";
    f.colSep = std::move(colSep);
    f.decSep = std::move(decSep);
    f.countText = std::to_string(cols.size());
    f.skipText = "0";
    f.columns = std::move(cols);
    return f;
}

// A converter, at the year 2026, whose two formats hold one date column each, of these types (the
// separator, then the layout).
inline Converter DatedConverter(std::string_view inType, std::string_view outType) {
    Converter conv;
    conv.SetCurrentYear(2026);
    conv.TakePlan(ConversionPlan(Fmt(";", ",", {Col("D", inType)}), Fmt(";", ",", {Col("D", outType)})));
    return conv;
}

// Two formats, their plan and everything the engine reports to.
struct EngineRig {
    ChosenFormats fs;
    Converter conv;
    SlotLine line{conv}; // the split and join of the tests that look at the slots
    RecordingMessages messages;
    Log log{fs, messages};
    RunState run;
    RejectTable table;
    LineErrWriter errors{table, run, log};
    NullRunHook nullHook;
    IRunHook* hook = &nullHook;
    TempDir dir;

    // Sets the formats; the converter takes their plan.
    void Use(Format in, Format out) {
        fs.Input = std::move(in);
        fs.Output = std::move(out);
        conv.SetCurrentYear(2026);
        conv.TakePlan(ConversionPlan(fs));
        ASSERT_TRUE(conv.Plan().Linked());
        table.Prepare(*fs.Input, conv.Plan().InColCount());
    }
    EngineCodeValue Engine() const { return conv.Plan().Engine(); }

    // Converts the source bytes with the chosen engine; the result file's bytes.
    std::string Convert(const std::string& source, std::optional<EngineCodeValue> engine = std::nullopt) {
        const EngineCodeValue code = engine.value_or(Engine());
        const std::string src = dir.file("in.txt");
        WriteFile(src, source);
        LineReader reader;
        EXPECT_TRUE(reader.Open(src));
        run.SourcePath = src;
        run.FileRowShown = false;
        StringSink sink;
        EngineRunner runner(conv, run, errors, log, *hook);
        runner.RunEngine(code, reader, sink);
        return sink.data;
    }
};

} // namespace lmx::test
