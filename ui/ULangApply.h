#pragma once
// Writes the current language texts into the captions of the main window's controls; controls
// that do not exist (yet) are skipped.
namespace lmx {

class LangTexts;
class TForm1;

void LangApply(TForm1& form, const LangTexts& lang);

} // namespace lmx
