#pragma once
// Pictures of every page of the main window, for checking the layout without a display.
#include <QString>

namespace lmx {

class TForm1;

// Saves one PNG per page (main pages, then the lower pages of the conversion page) into folder;
// false when a file could not be written.
bool SaveScreenshots(TForm1& form, const QString& folder);

} // namespace lmx
