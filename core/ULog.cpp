#include "core/ULog.h"

namespace lmx {

Log::Log(const FormatState& formats, IMessages& messages) : formats_(formats), messages_(messages) {}

void Log::AddLine(std::string line) {
    lines_.push_back(std::move(line));
    if (observer_) observer_->LinesAppended(lines_.size() - 1);
}

void Log::Clear() {
    lines_.clear();
    if (observer_) observer_->Cleared();
}

void Log::LogWrite(int kind, std::string_view value) {
    switch (kind) {
    case lkLine:
        AddLine(std::string(value));
        break;
    case lkEnd:
        LogPending += value;
        AddLine(std::move(LogPending));
        LogPending.clear();
        break;
    case lkPart:
        LogPending += value;
        break;
    default:
        AddLine("#LOG(CALL) BadArg : " + std::string(value));
        break;
    }
}

int Log::Save(std::string& error) const {
    error = "not implemented";
    return -1;
}

} // namespace lmx
