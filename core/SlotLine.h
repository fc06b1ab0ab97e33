#pragma once
// The line converter through the slots (Unstring, the per-slot operations, WriteOutLine): it owns
// the line's buffers and only reads the run's Converter. The engines run it for the formats with
// quotes or grouped numbers; for all others it is the reference that DirectLine matches byte for
// byte. The preview and the series split their lines with one.
#include "core/Converter.h"
#include "core/OutputSink.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

class SlotLine {
public:
    // Reads conv, which must outlive the line and stays as it is while the line converts.
    explicit SlotLine(const Converter& conv) : conv_(conv) {}
    // False for a code without engine.
    bool Prepare(EngineCodeValue engineCode);
    // Converts one line through the slots and writes it: leOk, or the line's error code.
    int Convert(std::string_view line, IOutSink& out);

    // The steps of Convert on their own, for the preview, the series and the tests.
    // Splits the line into the slots through the plan's link; true when it has exactly InColCount
    // fields. A format with quotes has its fields unquoted; its numbers are read by ReadNumber when
    // it asks.
    bool Unstring(std::string_view line);
    // Joins slots 1..OutColCount with the output separator, the line end after: leOk or leWrite.
    int WriteOutLine(IOutSink& sink);
    // The slots of the line, 0..OutColCount (0 takes the unlinked fields).
    const std::vector<std::string>& Slots() const { return slots_; }
    // The preview's changes of slot k: the decimal change of its column (never a failure: the
    // preview shows what the run would write), and a date rewritten by its column's layouts, or
    // "0" when it is no date.
    void ShowDecimalChange(std::size_t k);
    void ShowDate(std::size_t k);
    // Slot k as the output format writes it (grouping separators).
    std::string WrittenText(std::size_t k) const;

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
    bool UnstringQuoted(std::string_view line);
    int WriteFields(IOutSink& sink);
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

    const Converter& conv_;
    // The line being converted: its slots, one output field and the joined line when the sink has
    // no room of its own. They keep their storage from line to line.
    std::vector<std::string> slots_;
    std::string field_;
    std::string join_;
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
