#pragma once
// The window's edge: core texts are Windows-1252 bytes, Qt wants Unicode; colours are kept as 00BBGGRR.
#include <QColor>
#include <QPalette>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/Text.h"

class QWidget;

namespace lmx {

QString Qs(const std::string& cp1252);
std::string Cp(const QString& text);
// File paths are the file system's own bytes, not Windows-1252 texts: a name with accents or
// outside Windows-1252 must still open.
QString PathText(const std::string& path);
std::string PathBytes(const QString& path);
// A text of the program that holds paths: Windows-1252 words, paths as the file system's names.
QString Qs(const TextWithPaths& text);
QString Qs(std::string_view text, const std::vector<PathSpan>& paths);

QColor ColorFromBgr(uint32_t bgr);
uint32_t BgrFromColor(const QColor& color);

// wanted itself when it reads on other (WCAG AA, 4.5:1), else just enough darker or lighter to read:
// a colour the program chooses stays readable in a dark theme as in a light one.
QColor ReadableOn(const QColor& wanted, const QColor& other);
// The theme's text on a background the program chose: itself when it reads, else black or white.
QColor TextOn(const QColor& text, const QColor& background);
// A background the program chooses for w and the text on it, set together in every colour group:
// the text is the theme's own, made readable on that background where it is not.
void SetReadableBackground(QWidget* w, QPalette::ColorRole back, const QColor& background, QPalette::ColorRole text);

// The preview grids' fixed colour (sky blue) and the rejected-lines grid's (light pink), as 00BBGGRR.
inline constexpr uint32_t kSkyBlue = 0xF0CAA6;
inline constexpr uint32_t kLightPink = 0xD2D2FF;

} // namespace lmx
