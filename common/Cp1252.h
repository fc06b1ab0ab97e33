#pragma once
// Windows-1252 is the byte encoding of every file and text the program keeps;
// Unicode only appears at the window's edge.
#include <string>
#include <string_view>

namespace lmx {

// Each byte becomes its UTF-8 form; the five unassigned bytes map to the C1 controls of the same value,
// so that any byte string survives a round trip.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte become "?"; invalid UTF-8 sequences too.
std::string Utf8ToCp1252(std::string_view utf8);

// True when the bytes hold at least one character beyond ASCII and are well-formed UTF-8 throughout
// (shortest forms, no surrogates, nothing past U+10FFFF). Windows-1252 text almost never does: an
// accented letter is followed by a letter, not by one of the bytes 0x80 to 0xBF.
bool IsUtf8Text(std::string_view bytes);

// True when the character has a byte of its own in Windows-1252 (the five unassigned bytes count,
// as their C1 controls): what a file of the program can hold.
bool Cp1252Holds(char32_t cp);

// Case mapping of Windows-1252 letters, accented ones included (a-z, à-þ except ÷, š, œ, ž, ÿ).
char Cp1252Upper(char c);
char Cp1252Lower(char c);
std::string Cp1252Upper(std::string_view s);
std::string Cp1252Lower(std::string_view s);

} // namespace lmx
