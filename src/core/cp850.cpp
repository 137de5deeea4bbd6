#include "core/cp850.h"

#include <algorithm>
#include <utility>

namespace vormel::core::cp850 {

constexpr std::array<char32_t, 256> kToUnicode = {
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,  // 00
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,  // 08
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,  // 10
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,  // 18
    0x0020, 0x0021, 0x0022, 0x0023, 0x0024, 0x0025, 0x0026, 0x0027,  // 20
    0x0028, 0x0029, 0x002A, 0x002B, 0x002C, 0x002D, 0x002E, 0x002F,  // 28
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,  // 30
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,  // 38
    0x0040, 0x0041, 0x0042, 0x0043, 0x0044, 0x0045, 0x0046, 0x0047,  // 40
    0x0048, 0x0049, 0x004A, 0x004B, 0x004C, 0x004D, 0x004E, 0x004F,  // 48
    0x0050, 0x0051, 0x0052, 0x0053, 0x0054, 0x0055, 0x0056, 0x0057,  // 50
    0x0058, 0x0059, 0x005A, 0x005B, 0x005C, 0x005D, 0x005E, 0x005F,  // 58
    0x0060, 0x0061, 0x0062, 0x0063, 0x0064, 0x0065, 0x0066, 0x0067,  // 60
    0x0068, 0x0069, 0x006A, 0x006B, 0x006C, 0x006D, 0x006E, 0x006F,  // 68
    0x0070, 0x0071, 0x0072, 0x0073, 0x0074, 0x0075, 0x0076, 0x0077,  // 70
    0x0078, 0x0079, 0x007A, 0x007B, 0x007C, 0x007D, 0x007E, 0x2302,  // 78
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,  // B0
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,  // C8
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,  // D0
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,  // D8
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,  // E0
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,  // E8
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,  // F0
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,  // F8
};

namespace {

// Latin-1 capitals U+00C0–U+00DE (but ×) have their small letter 0x20 above. CP850 holds
// all thirty of these pairs; with ASCII they are the whole upper/lower rule.
constexpr bool is_latin_capital(char32_t cp) { return cp >= 0xC0 && cp <= 0xDE && cp != 0xD7; }

constexpr int byte_of(char32_t cp) {
  for (int b = 0x80; b < 0x100; ++b)
    if (kToUnicode[b] == cp) return b;
  return -1;
}

struct CaseTables {
  std::array<uint8_t, 256> upper{}, lower{};
  std::array<bool, 256> letter{};
};

constexpr CaseTables build_case_tables() {
  CaseTables t;
  for (int b = 0; b < 256; ++b) {
    t.upper[b] = t.lower[b] = static_cast<uint8_t>(b);
    t.letter[b] = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
  }
  for (int b = 'a'; b <= 'z'; ++b) t.upper[b] = static_cast<uint8_t>(b - 0x20);
  for (int b = 'A'; b <= 'Z'; ++b) t.lower[b] = static_cast<uint8_t>(b + 0x20);
  for (int cap = 0x80; cap < 0x100; ++cap) {
    if (!is_latin_capital(kToUnicode[cap])) continue;
    int small = byte_of(kToUnicode[cap] + 0x20);
    if (small < 0) continue;
    t.upper[small] = static_cast<uint8_t>(cap);
    t.lower[cap] = static_cast<uint8_t>(small);
    t.letter[small] = t.letter[cap] = true;
  }
  // Small letters whose capital CP850 lacks: ß, ÿ, dotless ı.
  for (char32_t cp : {U'\u00DF', U'\u00FF', U'\u0131'}) t.letter[byte_of(cp)] = true;
  return t;
}

constexpr CaseTables kCase = build_case_tables();

// Code points above ASCII with their bytes, sorted by code point, for from_unicode. The
// glyphs of 0x14 and 0x15 (¶ §) also have bytes of their own above 0x80, which win.
using ReverseTable = std::array<std::pair<char32_t, uint8_t>, 31 + 1 + 128>;
const ReverseTable& reverse_table() {
  static const ReverseTable table = [] {
    ReverseTable t{};
    size_t n = 0;
    for (int b = 1; b < 0x20; ++b) t[n++] = {kToUnicode[b], static_cast<uint8_t>(b)};
    t[n++] = {kToUnicode[0x7F], 0x7F};
    for (int b = 0x80; b < 0x100; ++b) t[n++] = {kToUnicode[b], static_cast<uint8_t>(b)};
    std::sort(t.begin(), t.end(), [](const auto& a, const auto& b) {
      return a.first != b.first ? a.first < b.first : a.second > b.second;
    });
    return t;
  }();
  return table;
}

void append_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Decodes the UTF-8 sequence at s[i] and moves i past it; an invalid byte gives -1 and
// moves i by one, so decoding resumes at the next byte.
long decode_utf8(std::string_view s, size_t& i) {
  auto c = static_cast<unsigned char>(s[i]);
  int extra;
  char32_t cp;
  if (c < 0x80) { ++i; return c; }
  if (c >= 0xC2 && c <= 0xDF) { extra = 1; cp = c & 0x1F; }
  else if (c >= 0xE0 && c <= 0xEF) { extra = 2; cp = c & 0x0F; }
  else if (c >= 0xF0 && c <= 0xF4) { extra = 3; cp = c & 0x07; }
  else { ++i; return -1; }
  if (i + extra >= s.size()) { ++i; return -1; }
  for (int k = 1; k <= extra; ++k) {
    auto cc = static_cast<unsigned char>(s[i + k]);
    if ((cc & 0xC0) != 0x80) { ++i; return -1; }
    cp = (cp << 6) | (cc & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) { ++i; return -1; }
  i += extra + 1;
  return static_cast<long>(cp);
}

// Layout controls stay controls in converted text; other low bytes show their glyphs.
bool is_layout_control(uint8_t b) { return b == '\t' || b == '\n' || b == '\f' || b == '\r'; }

}  // namespace

char32_t to_unicode(uint8_t byte) { return kToUnicode[byte]; }

int from_unicode(char32_t cp) {
  if (cp <= 0x7F) return static_cast<int>(cp);  // ASCII, control codes and DEL as themselves
  const auto& t = reverse_table();
  auto it = std::lower_bound(t.begin(), t.end(), cp,
                             [](const auto& entry, char32_t c) { return entry.first < c; });
  return it != t.end() && it->first == cp ? it->second : -1;
}

std::string to_utf8(std::string_view cp850_text) {
  std::string out;
  out.reserve(cp850_text.size());
  for (char ch : cp850_text) {
    auto b = static_cast<uint8_t>(ch);
    append_utf8(out, is_layout_control(b) ? char32_t{b} : kToUnicode[b]);
  }
  return out;
}

std::string from_utf8(std::string_view utf8_text, char replacement) {
  std::string out;
  out.reserve(utf8_text.size());
  for (size_t i = 0; i < utf8_text.size();) {
    long cp = decode_utf8(utf8_text, i);
    int b = cp < 0 ? -1 : from_unicode(static_cast<char32_t>(cp));
    out.push_back(b < 0 ? replacement : static_cast<char>(b));
  }
  return out;
}

uint8_t upper(uint8_t byte) { return kCase.upper[byte]; }
uint8_t lower(uint8_t byte) { return kCase.lower[byte]; }
bool is_letter(uint8_t byte) { return kCase.letter[byte]; }

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(upper(static_cast<uint8_t>(c)));
  return out;
}

}  // namespace vormel::core::cp850
