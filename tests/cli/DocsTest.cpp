#include "CliRig.h"

#include "common/Cp1252.h"
#include "core/LineError.h"

#include <gtest/gtest.h>

namespace lmx::test {
namespace {

const std::string kSource = std::string(LUMIVEX_SOURCE_DIR) + "/";

struct Fence {
    std::string info; // what follows the opening ```
    std::string body; // lines with their LF
};

std::vector<Fence> Fences(const std::string& markdown) {
    std::vector<Fence> fences;
    std::size_t at = 0;
    while ((at = markdown.find("\n```", at)) != std::string::npos) {
        const std::size_t infoEnd = markdown.find('\n', at + 4);
        const std::size_t close = markdown.find("\n```\n", infoEnd);
        if (infoEnd == std::string::npos || close == std::string::npos) break;
        fences.push_back({markdown.substr(at + 4, infoEnd - at - 4), markdown.substr(infoEnd + 1, close - infoEnd)});
        at = close + 4;
    }
    return fences;
}

// A guide's block as the format file holds it: Windows-1252, CR LF.
std::string FormatFileOf(const std::string& body) {
    std::string out;
    for (std::size_t start = 0, end; (end = body.find('\n', start)) != std::string::npos; start = end + 1)
        out += body.substr(start, end - start) + "\r\n";
    return Utf8ToCp1252(out);
}

// Every example of the guide passes --check; every mistake gives the output the guide shows.
TEST(Docs, FormatGuideBlocksSayWhatTheGuideSays) {
    const std::vector<Fence> fences = Fences(ReadFile(kSource + "docs/formats.md"));
    TempDir dir;
    WriteFile(dir.file("Lumivex.lng"), ReadFile(kSource + "examples/Lumivex.lng"));
    std::string examples;
    std::size_t exampleCount = 0, mistakeCount = 0;
    for (std::size_t i = 0; i < fences.size(); ++i) {
        if (fences[i].info == "fmt") {
            examples += FormatFileOf(fences[i].body);
            ++exampleCount;
        } else if (fences[i].info == "fmt-mistake") {
            ASSERT_LT(i + 1, fences.size());
            ASSERT_EQ(fences[i + 1].info, "text") << "the output follows the mistake";
            WriteFile(dir.file("Lumivex.fmt"), FormatFileOf(fences[i].body));
            const CliResult r = RunCli({"--dir", dir.path(), "--check", "--lang", "English"});
            const std::string shown = r.out.substr(0, r.out.rfind('\n', r.out.size() - 2) + 1); // less the count line
            EXPECT_EQ(shown, fences[i + 1].body) << fences[i].body;
            ++mistakeCount;
        }
    }
    EXPECT_EQ(exampleCount, 8u);
    EXPECT_GE(mistakeCount, 8u);
    WriteFile(dir.file("Lumivex.fmt"), examples);
    const CliResult r = RunCli({"--dir", dir.path(), "--check"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("8 formats sur 8 passent"), std::string::npos) << r.out;
}

// Every line-error code a run can list is explained where the user meets it: the guide and the
// converter's manual page.
TEST(Docs, EveryLineErrorCodeIsExplained) {
    const std::string guide = ReadFile(kSource + "docs/formats.md");
    const std::string manual = ReadFile(kSource + "app/convert/lumivex-convert.h2m");
    for (std::size_t code = leOk + 1; code < LineErrorNames().size(); ++code) {
        const std::string name(LineErrorNames()[code]);
        EXPECT_NE(guide.find("| `" + name + "` |"), std::string::npos) << name;
        EXPECT_NE(manual.find("\n.B " + name + "\n"), std::string::npos) << name;
    }
}

} // namespace
} // namespace lmx::test
