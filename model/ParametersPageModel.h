#pragma once
// The parameters page apart from any window: what its controls show for the parameters, the checks
// of a save, the ordered storing and the write, the language applied at once and the messages of
// the shortcut buttons. The page maps its controls to ParametersPageValues and shows what comes back.
#include "common/Text.h"

#include <string>
#include <vector>

namespace lmx {

class LangTexts;
class Params;

// What to do with the sources after a run: one of four exclusive choices.
enum AfterRun : int { arRename, arTrash, arDelete, arNothing };

// Shortcut places, as the integration buttons pass them.
enum ShortcutPlace : int { spDesktop = 1, spSendTo = 2, spStartMenu = 3 };

// The page's controls as plain data. Texts are Windows-1252; the four edit texts that end up in
// file names (folder, added text, extension, renaming text) are the file system's bytes.
struct ParametersPageValues {
    bool erlEnabled = true; // RadioButton9 / RadioButton10 usable
    bool rejectLine = false; // RadioButton9
    bool stopRun = false;    // RadioButton10
    bool dirNew = false;     // RadioButton8 (else RadioButton7)
    std::string dir;         // Edit11
    bool addText = false;    // CheckBox4
    std::string text;        // Edit12
    bool newExt = false;     // RadioButton13 (else RadioButton12)
    std::string ext;         // Edit8
    AfterRun after = arNothing; // RadioButton14 to RadioButton17
    std::string renameText;  // Edit10
    bool logSimple = false;  // RadioButton5
    bool logExtended = false; // RadioButton6
    int encoding = 0;        // ComboBox9: 0 the system's, 1 UTF-8, 2 Windows-1252 (ENC)
    bool eolLf = false;      // ComboBox10: CR LF, or LF alone (EOL)
    std::vector<std::string> languages; // items of ComboBox8
    int language = 0;        // selected item of ComboBox8, -1 when none
};

// Enabling rules: an edit whose option is on has the window colour, otherwise the button face; the
// folder button works only with a folder of its own.
inline bool DirEditOn(const ParametersPageValues& v) { return v.dirNew; } // Edit11 and Button1
inline bool TextEditOn(const ParametersPageValues& v) { return v.addText; } // Edit12
inline bool ExtEditOn(const ParametersPageValues& v) { return v.newExt; } // Edit8
inline bool RenameEditOn(const ParametersPageValues& v) { return v.after == arRename; } // Edit10

// Panels of the three categories of ListBox1.
enum PrmPanel : int { ppProcessing = 0, ppEnvironment = 1, ppIntegration = 2 };

class ParametersPageModel {
public:
    // lngFileName is read at each use: the start-up sets it after the page exists.
    ParametersPageModel(Params& params, LangTexts& lang, const std::string& lngFileName);

    // The controls' states for the parameters as they are (start-up); ComboBox8 offers "Français"
    // and then the language file's names, the first one selected whatever LNG holds.
    ParametersPageValues FromParams(const std::vector<std::string>& langNames) const;
    // The items of ListBox1.
    std::vector<std::string> Categories() const;
    // The panel that a click on the row shows (-1 when nothing is selected), and the row that
    // matches the visible panel when the page is shown.
    static PrmPanel PanelForRow(int row) { return row == 0 ? ppProcessing : row == 1 ? ppEnvironment : ppIntegration; }
    static int RowForPanel(bool environmentVisible, bool integrationVisible) {
        return environmentVisible ? 1 : integrationVisible ? 2 : 0;
    }

    struct SaveOutcome {
        std::string label;   // lines for Label53, each ending with CR LF
        TextWithPaths message; // the message box to show (the parameters file's path, when named)
        bool stored = false; // the parameters were set (the write may still have failed)
        bool written = false; // ... and the file was written
    };
    // Checks, then stores and writes. May put "." in front of v.ext, also when the save is refused.
    SaveOutcome Save(ParametersPageValues& v);

    struct LangOutcome {
        std::string message; // empty when there is nothing to say
        bool apply = false;  // the texts of the chosen language are loaded: write them into the captions
    };
    // Button5 with the language selected in ComboBox8.
    LangOutcome ApplyLanguage(const ParametersPageValues& v);

    // The message of a shortcut button after CreateShortcut answered ok.
    std::string ShortcutMessage(int place, bool ok) const;

private:
    Params& prm_;
    LangTexts& lang_;
    const std::string& lngFileName_;
};

} // namespace lmx
