#pragma once
// The checks a format passes before the editor writes it, and the editor's message list.
#include "core/ColumnDraft.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

class LangTexts;

// The label of a column's detail lines: ten blanks, an asterisk, a blank.
inline constexpr const char* kDetailLabel = "          * ";

// The general controls of the page, as texts.
struct FmtGeneralValues {
    std::string FmtName;             // shown only
    std::string Comment;
    std::string ColCountText = "1";  // shown only
    bool TabSep = false;             // the tabulation is the column separator
    std::string ColSepText;
    std::string DecSepText;
    std::string DecSample = "(0?00)"; // a decimal number written with the decimal separator
    std::string JmpLinesText = "0";
    bool HdrOn = false;
    std::vector<std::string> HdrLines;
    QuoteMode Quoting = QuoteMode::None; // the quote list's item index
    std::string GroupSepText;            // empty: no grouping separator
};

// The general values that show a format.
FmtGeneralValues GeneralValuesOf(const Format& f);

// The values of the format editor at the moment of a save.
struct FmtEditorValues {
    std::string EditFmtName;
    FmtGeneralValues General;
    // The editor's columns. StoreShown, called before they are read, may change them.
    const ColList* Columns = nullptr;
    int ShownTab = -1; // position of the column tab shown, -1 for none
    // Stores the shown tab's controls into its column; false when that fails. None: nothing to store.
    std::function<bool(int tab)> StoreShown;
};

// True when the column passes every column rule. The reasons go to errList only when addMessages
// is true and errList is given.
bool CheckDraft(const ColumnDraft& col, const std::string& decSep, const std::string& colSep, bool addMessages,
                  ErrList* errList, const LangTexts& lang);

// Fills work from the editor's values (its texts, headers and columns) and builds errList (made
// anew); true when no error was found. work is updated step by step even when the result is false.
bool CheckFormatForSave(const FmtEditorValues& values, Format& work, ErrList& errList, const LangTexts& lang);

// One memo line per message: Label, one blank, Text. An absent list gives no line.
std::vector<std::string> ErrListToMemo(const ErrList* list);

} // namespace lmx
