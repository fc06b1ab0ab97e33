#pragma once
// Formats and a complete engine set-up for the engine tests.
#include "core/UEngines.h"
#include "core/ULog.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lmx::test {

inline ColEntry Col(std::string name, std::string type = "AN", std::string casse = "0", std::string control = "0",
                    std::string fixeType = "0", std::string fixeText = "") {
    return ColEntry{std::move(name), std::move(type), std::move(casse), std::move(control), std::move(fixeType),
                    std::move(fixeText)};
}

inline TFmtDef Fmt(std::string colSep, std::string decSep, std::vector<ColEntry> cols) {
    TFmtDef f;
    f.Name = "T";
    f.ColSep = std::move(colSep);
    f.DecSep = std::move(decSep);
    f.ColCount = std::to_string(cols.size());
    f.JmpLines = "0";
    f.HdrLn = "0";
    for (const ColEntry& c : cols) {
        const std::string& t = c[cfType];
        f.IsDate.push_back(t == "N" || t == "AN" || t == "A" ? 0 : 1);
    }
    f.Cols = std::move(cols);
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
    void Use(TFmtDef in, TFmtDef out, std::string inDate = "/DD/MM/YYYY", std::string outDate = "/DD/MM/YYYY") {
        fs.FmtIn = std::move(in);
        fs.FmtOut = std::move(out);
        fs.InDateSep = inDate.substr(0, 1);
        fs.InDateFmt = inDate.substr(1);
        fs.OutDateSep = outDate.substr(0, 1);
        fs.OutDateFmt = outDate.substr(1);
        conv.SetCurrentYear(2026);
        conv.TakeSeparators();
        ASSERT_TRUE(BuildIoLink(conv));
        conv.PrepareDateConv();
        table.Prepare(fs.FmtIn, fs.InColCount);
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
