#pragma once
// Writes the current language texts into the captions of the controls under root (the main
// window), found by their object names; controls that do not exist (yet) are skipped.
class QWidget;

namespace lmx {

class LangTexts;

void LangApply(QWidget& root, const LangTexts& lang);

} // namespace lmx
