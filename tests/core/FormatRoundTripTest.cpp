// Every format the project ships reads and writes back to the very bytes of its block.
#include "FmtTestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace lmx;
using namespace lmx::test;

namespace {

std::string Command(const std::string& command) {
    std::string out;
    std::FILE* p = ::popen(command.c_str(), "r");
    if (p == nullptr) return out;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    ::pclose(p);
    return out;
}

// The blocks of the file (from its first NOM line) are the written blocks of its formats, in order.
void ExpectBlocksRoundTrip(const std::string& text) {
    ASSERT_FALSE(text.empty());
    FmtFileRig rig;
    WriteFile(rig.file.FmtFileName, text);

    const std::size_t first = text.find("\r\nNOM=") + 2;
    std::string written;
    for (std::size_t at = first, end = 0; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
        if (text.compare(at, 4, "NOM=") != 0) continue;
        const FormatRead read = rig.file.Load(text.substr(at + 4, end - at - 4));
        ASSERT_EQ(read.status, StatusCode::Ok) << text.substr(at, end - at);
        written += read.format.BlockText();
    }
    EXPECT_EQ(written, text.substr(first));
}

TEST(FormatRoundTrip, ExampleFormats) { ExpectBlocksRoundTrip(ReadFile(LUMIVEX_SOURCE_DIR "/examples/Lumivex.fmt")); }

TEST(FormatRoundTrip, BenchFormats) {
    ExpectBlocksRoundTrip(Command("bash -c 'source \"" LUMIVEX_SOURCE_DIR "/bench/jobs.sh\" && bench_formats'"));
}

} // namespace
