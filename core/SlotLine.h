#pragma once
// One line converted through the slots (Unstring, the per-slot operations, WriteOutLine): the
// reference that DirectLine, what the engines run, matches byte for byte.
#include "core/Converter.h"
#include "core/OutputSink.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

class SlotLine {
public:
    explicit SlotLine(Converter& conv) : conv_(conv) {}
    // False for a code without engine.
    bool Prepare(int32_t engineCode);
    // Converts one line through the slots and writes it: leOk, or the line's error code.
    int Convert(std::string_view line, IOutSink& out);

private:
    // EngGlobal's decisions for one output column.
    struct Plan {
        AffixCode affix = AffixCode::None;
        CaseCode casing = CaseCode::None;
        ControlCode control = ControlCode::Never;
        bool isDate = false;   // rewritten: the column is a date and an input column feeds it
        bool calendar = false; // the date control
        ControlKind kind = ckAnyText;
        std::string affixText;
    };
    // The pipelines, after Unstring.
    void Decimal(int& status);
    void DatePerso(int& status);
    void Global(int& status);
    // The decimal change of slot k by its column's mode: leOk, or the line's code.
    int ChangeDecimal(std::size_t k, std::string& slot) const;
    // The output separator when a byte taken from the source could be written as one, else none.
    const char* WatchedSep() const;
    // A field as read, other than a date, that would bring the output column separator.
    bool ReadHoldsSep() const;
    // A rewritten date that holds it besides its own separators.
    bool DatesHoldSep() const;

    Converter& conv_;
    int32_t code_ = -1;
    std::string inDec_, outDec_;
    std::vector<char> flag_; // per slot: date column (EngDatePerso)
    std::vector<Plan> plan_;
    std::string dateOut_; // reused by the date rewrite
    // Per slot: the decimal change (a DecimalMode), the case forced on it, the slot holds a
    // rewritten date.
    std::vector<char> decimalOf_;
    std::vector<CaseCode> casseOf_;
    std::vector<char> dateOf_;
};

} // namespace lmx
