// Code page 850: every text inside the program is CP850 bytes, as in the tables.
// Conversion to and from UTF-8 happens only at the edges (terminal, clipboard, files
// whose format says so). Literals with accents are written "Não"_cp.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vormel::core::cp850 {

// The 256 code points of CP850, glyph view (bytes 1–31 and 127 show as their OEM glyphs).
extern const std::array<char32_t, 256> kToUnicode;

char32_t to_unicode(uint8_t byte);
// -1 when the code point has no CP850 byte.
int from_unicode(char32_t cp);

// Tab, line feed, form feed and carriage return stay themselves; the other bytes below
// 32 become their glyphs, as on screen.
std::string to_utf8(std::string_view cp850_text);
// Characters without a CP850 byte become `replacement`.
std::string from_utf8(std::string_view utf8_text, char replacement = '?');

// The upper-case rule of the program: a–z and the accented small letters to their
// capitals (á→Á, ç→Ç, …). The same rule builds index keys and seeks.
uint8_t upper(uint8_t byte);
std::string upper(std::string_view text);
uint8_t lower(uint8_t byte);
bool is_letter(uint8_t byte);


}  // namespace vormel::core::cp850

#include "core/cp850_literal.h"
