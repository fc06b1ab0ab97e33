#include "UiFixture.h"

namespace lmx::test {

std::vector<std::string> Program::LogFrom(const std::string& prefix, std::size_t count) const {
    std::vector<std::string> out;
    const auto& lines = log.Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind(prefix, 0) != 0) continue;
        for (std::size_t j = i; j < lines.size() && out.size() < count; ++j) out.push_back(lines[j]);
        break;
    }
    return out;
}

std::unique_ptr<TForm1> Program::Open(std::vector<std::string> args) {
    ctx.Args = std::move(args);
    return std::make_unique<TForm1>(ctx);
}

} // namespace lmx::test
