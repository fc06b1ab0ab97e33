#pragma once
// Formats and a complete engine set-up for the engine tests.
#include "core/EngineRunner.h"
#include "core/Log.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lmx::test {

// A column from the fields of its COL line; the codes are "0", "1" or "2".
inline Column Col(std::string name, std::string_view type = "AN", std::string_view casse = "0",
                  std::string_view control = "0", std::string_view fixeType = "0", std::string fixeText = "") {
    Column c;
    c.name = std::move(name);
    c.SetTypeText(type);
    c.casing = static_cast<CaseCode>(casse[0] - '0');
    c.control = static_cast<ControlCode>(control[0] - '0');
    c.affix = static_cast<AffixCode>(fixeType[0] - '0');
    c.affixText = std::move(fixeText);
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

// Two formats, the link, the engine and everything the engine reports to.
struct EngineRig {
    FormatState fs;
    Converter conv{fs};
    RecordingMessages messages;
    Log log{fs, messages};
    RunState run;
    RejectTable table;
    LineErrWriter errors{table, run, log};
    NullRunHook nullHook;
    IRunHook* hook = &nullHook;
    TempDir dir;

    // Sets the formats and their date settings (the separator is the first byte of the type).
    void Use(Format in, Format out, std::string inDate = "/DD/MM/YYYY", std::string outDate = "/DD/MM/YYYY") {
        fs.Input = std::move(in);
        fs.Output = std::move(out);
        fs.InDateSep = inDate.substr(0, 1);
        fs.InDateFmt = inDate.substr(1);
        fs.OutDateSep = outDate.substr(0, 1);
        fs.OutDateFmt = outDate.substr(1);
        conv.SetCurrentYear(2026);
        conv.TakeSeparators();
        ASSERT_TRUE(BuildIoLink(conv));
        conv.PrepareDateConv();
        table.Prepare(fs.Input, fs.InColCount);
    }

    // Converts the source bytes with the chosen engine; the result file's bytes.
    std::string Convert(const std::string& source, int32_t code = -2) {
        if (code == -2) code = SelEngine(fs);
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
