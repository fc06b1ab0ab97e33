#include "core/UEngines.h"

#include "common/Text.h"
#include "core/UByteScan.h"
#include "core/ULog.h"

#include <utility>

namespace lmx {

namespace {

int32_t CodeOr0(const std::string& text) {
    int32_t v = 0;
    return StrToInt32(text, v) ? v : 0;
}

} // namespace

bool EngineRunner::OutIsDate(std::size_t k) const {
    const auto& isDate = conv_.Formats().FmtOut.IsDate;
    return k >= 1 && k - 1 < isDate.size() && isDate[k - 1] != 0;
}

bool EngineRunner::StartFile() {
    if (run_.StopRun) return false;
    run_.LineNo = 0;
    const FormatState& f = conv_.Formats();
    conv_.PrepareDateConv(); // the date values always follow the formats of this run
    errors_.SetInput(conv_.InColSep, f.InColCount);
    return true;
}

template <class Pipeline>
void EngineRunner::EngineLoop(LineReader& in, IOutSink& out, Pipeline&& convert) {
    std::string_view line;
    while (in.Next(line)) {
        int status = leOk;
        try {
            convert(line, status);
            if (status == leOk) status = conv_.WriteOutLine(out);
        } catch (...) {
            if (status == leOk) status = leDecSep;
        }
        if (status > leOk) {
            ++run_.RejectedTotal;
            errors_.WriteErrLine(status, line, run_.LineNo + 1, 0);
        }
        ++run_.LineNo;
        ++run_.LinesRead;
        hook_.LineDone(run_); // progress bars and pending window events; may set StopRun
        if (run_.StopRun) {
            run_.FileAborted = true;
            return;
        }
    }
    if (in.Error()) run_.FileAborted = true;
}

int EngineRunner::RunEngine(int32_t engineCode, LineReader& in, IOutSink& out) {
    log_.LogWrite(lkEnd, EngineLabel(engineCode));
    try {
        switch (engineCode) {
        case ecStandard: EngStandard(in, out); break;
        case ecDecimal: EngDecimal(in, out); break;
        case ecDate:
        case ecDateDecimal: EngDatePerso(in, out); break;
        case ecGlobal: EngGlobal(in, out); break;
        default:
            if (!run_.StopRun) run_.FileAborted = true;
            return -1;
        }
    } catch (...) {
        run_.FileAborted = true;
    }
    return 0;
}

void EngineRunner::EngStandard(LineReader& in, IOutSink& out) {
    if (!StartFile()) return;
    EngineLoop(in, out, [this](std::string_view line, int& status) {
        if (!conv_.Unstring(line)) status = leUnstring;
    });
}

void EngineRunner::EngDecimal(LineReader& in, IOutSink& out) {
    if (!StartFile()) return;
    const std::string inDec = conv_.Formats().FmtIn.DecSep;
    const std::string outDec = conv_.Formats().FmtOut.DecSep;
    // The date settings are equal with this engine, so a date column is copied as it is: a date
    // separator that happens to be the decimal separator must not be changed.
    std::vector<char> change(conv_.t_lineOut.size(), 0);
    for (std::size_t k = 1; k < change.size(); ++k) change[k] = OutIsDate(k) ? 0 : 1;
    EngineLoop(in, out, [&](std::string_view line, int& status) {
        if (!conv_.Unstring(line)) {
            status = leUnstring;
            return;
        }
        auto& slots = conv_.t_lineOut;
        for (std::size_t k = 1; k < slots.size() && k < change.size(); ++k) {
            if (change[k] && !Converter::DecimalChangeInPlace(slots[k], inDec, outDec)) {
                status = leDecSep;
                return;
            }
        }
    });
}

void EngineRunner::EngDatePerso(LineReader& in, IOutSink& out) {
    if (!StartFile()) return;
    const std::string inDec = conv_.Formats().FmtIn.DecSep;
    const std::string outDec = conv_.Formats().FmtOut.DecSep;
    std::vector<char> isDate(conv_.t_lineOut.size(), 0);
    for (std::size_t k = 1; k < isDate.size(); ++k) isDate[k] = OutIsDate(k) ? 1 : 0;
    // Every linked field gets the decimal change, so when one byte replaces another that is not
    // the column separator, the change can be made on the whole line at once before the split.
    const bool same = inDec == outDec;
    const bool wholeLine = !same && inDec.size() == 1 && outDec.size() == 1 && conv_.InColSep.size() == 1 &&
                           inDec[0] != conv_.InColSep[0] && outDec[0] != conv_.InColSep[0];
    const char from = inDec.empty() ? '\0' : inDec[0];
    const char to = outDec.empty() ? '\0' : outDec[0];
    EngineLoop(in, out, [&](std::string_view line, int& status) {
        if (wholeLine) {
            changed_.assign(line);
            bytescan::ReplaceByte(changed_.data(), changed_.size(), from, to);
            line = changed_;
        }
        if (!conv_.Unstring(line)) {
            status = leUnstring;
            return;
        }
        auto& slots = conv_.t_lineOut;
        for (std::size_t k = 1; k < slots.size() && k < isDate.size(); ++k) {
            std::string& slot = slots[k];
            if (!same && !wholeLine && !Converter::DecimalChangeInPlace(slot, inDec, outDec)) {
                status = leDecSep;
                return;
            }
            if (isDate[k]) {
                if (conv_.DateConvInto(slot, dateOut_))
                    slot.swap(dateOut_); // both keep their storage for the next lines
                else
                    status = leDate;
            }
        }
    });
}

namespace {

// EngGlobal's decisions for one output column, taken once per file.
struct ColumnPlan {
    int32_t fixe = 0;  // 1 prefix, 2 suffix
    int32_t casse = 0; // 1 upper, 2 lower
    int32_t control = 0;
    bool isDate = false;
    ControlKind kind = ckAnyText;
    std::string fixeText;
};

} // namespace

void EngineRunner::EngGlobal(LineReader& in, IOutSink& out) {
    if (!StartFile()) return;
    const FormatState& f = conv_.Formats();
    const std::string inDec = f.FmtIn.DecSep;
    const std::string outDec = f.FmtOut.DecSep;
    const bool decimal = inDec != outDec;
    const std::string dateSep = conv_.OutDateSepText;

    std::vector<ColumnPlan> plan(conv_.t_lineOut.size());
    for (std::size_t k = 1; k < plan.size() && k - 1 < f.FmtOut.Cols.size(); ++k) {
        const ColEntry& col = f.FmtOut.Cols[k - 1];
        ColumnPlan& p = plan[k];
        p.fixe = CodeOr0(col[cfFixeType]);
        p.casse = CodeOr0(col[cfCasse]);
        p.control = CodeOr0(col[cfControl]);
        p.isDate = OutIsDate(k);
        p.kind = conv_.ControlKindOf(static_cast<int32_t>(k - 1));
        if (p.fixe == fxPrefix || p.fixe == fxSuffix) p.fixeText = col[cfFixeText];
    }

    EngineLoop(in, out, [&](std::string_view line, int& status) {
        if (!conv_.Unstring(line)) {
            status = leUnstring;
            return;
        }
        auto& slots = conv_.t_lineOut;
        for (std::size_t k = 1; k < slots.size() && k < plan.size(); ++k) {
            std::string& slot = slots[k];
            const ColumnPlan& p = plan[k];
            if (decimal && !Converter::DecimalChangeInPlace(slot, inDec, outDec)) {
                if (status == leOk) status = leDecSep;
                return;
            }
            if (p.fixe == fxPrefix || p.fixe == fxSuffix) Converter::AddFixeInPlace(slot, p.fixe, p.fixeText);
            if (p.casse == csUpper || p.casse == csLower) Converter::ForceCaseInPlace(slot, p.casse);
            if (p.isDate) {
                if (conv_.DateConvInto(slot, dateOut_))
                    slot.swap(dateOut_);
                else
                    status = leDate; // a date failure outranks an earlier "#Type"
            }
            // Only "always" is checked: "if filled" picks the engine but controls nothing.
            if (status == leOk && p.control == ctAlways && !Converter::ControlValue(slot, p.kind, outDec, dateSep))
                status = leType;
        }
    });
}

} // namespace lmx
