#pragma once
// The checks a format passes before the editor writes it, and the editor's message list.
#include "core/UDataFormats.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

class LangTexts;

// The label of a column's detail lines: ten blanks, an asterisk, a blank.
inline constexpr const char* kDetailLabel = "          * ";

// The values of the format editor at the moment of a save.
struct FmtEditorValues {
    std::string EditFmtName;
    std::string Comment;
    std::string ColCountText;
    bool TabSep = false;      // the tabulation is the column separator
    std::string ColSepText;   // used when TabSep is off
    std::string DecSepText;
    std::string JmpLinesText; // lines skipped on reading
    bool HdrOn = false;
    std::vector<std::string> HdrLines;
    // The editor's columns. StoreShown, called before they are read, may change them.
    const ColList* Columns = nullptr;
    int ShownTab = -1; // position of the column tab shown, -1 for none
    // Stores the shown tab's controls into its column; false when that fails. None: nothing to store.
    std::function<bool(int tab)> StoreShown;
};

// True when the column passes every column rule. The reasons go to errList only when addMessages
// is true and errList is given.
bool CheckColonne(const TColonne& col, const std::string& decSep, const std::string& colSep, bool addMessages,
                  ErrList* errList, const LangTexts& lang);

// Fills work's texts, Hdr and HdrCount from the editor's values, builds colLines and errList (made
// anew); true when no error was found. work is updated step by step even when the result is false.
bool CheckFormatForSave(const FmtEditorValues& values, TFmtDef& work, std::vector<std::string>& colLines,
                        ErrList& errList, const LangTexts& lang);

// A value holding CR or LF would end its line in the format file.
bool HasLineBreak(std::string_view text);
// A COL value reads back as written: six fields (no "|" inside one) and no line break.
bool ColLineWritable(std::string_view colLine);
// Every value of work's block and every COL value that a save writes reads back as it is: nothing is
// cut off, no line is split, no block is made up. Checked before anything is written.
bool FmtBlockWritable(const TFmtDef& work, const std::vector<std::string>& colLines);

// One memo line per message: Label, one blank, Text. An absent list gives no line.
std::vector<std::string> ErrListToMemo(const ErrList* list);

} // namespace lmx
