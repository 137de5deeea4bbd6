#include "screen/colour.h"

#include <cctype>

namespace vormel::screen {
namespace {

constexpr const char* kNames[8] = {"N", "B", "G", "BG", "R", "BR", "GR", "W"};

std::string side_name(int v) {
  std::string s = kNames[v & 7];
  if (v >= 8) s += '+';
  return s;
}

// One side of "fg/bg": letters in any order ("BG"/"GB", "BR"/"RB", "GR"/"RG") and "+"/"*".
int side_value(std::string_view s) {
  bool r = false, g = false, b = false, w = false, bright = false;
  for (char c : s) {
    switch (std::toupper(static_cast<unsigned char>(c))) {
      case 'R': r = true; break;
      case 'G': g = true; break;
      case 'B': b = true; break;
      case 'W': w = true; break;
      case '+': case '*': bright = true; break;
      default: break;  // N, blanks and unknown letters add nothing
    }
  }
  int v = w ? 7 : (b ? 1 : 0) | (g ? 2 : 0) | (r ? 4 : 0);
  return v + (bright ? 8 : 0);
}

}  // namespace

std::string ACHACOR(int attribute) {
  attribute &= 0xFF;
  return side_name(attribute % 16) + "/" + side_name(attribute / 16);
}

std::string colour_part(std::string_view set, int n) {
  size_t start = 0;
  for (int i = 0; i < n; ++i) {
    size_t comma = set.find(',', start);
    if (comma == std::string_view::npos) return "";
    start = comma + 1;
  }
  size_t end = set.find(',', start);
  return std::string(set.substr(start, end == std::string_view::npos ? set.size() - start : end - start));
}

Attr attr_of(std::string_view colour) {
  std::string first = colour_part(colour, 0);
  size_t slash = first.find('/');
  if (first.find_first_not_of(' ') == std::string::npos) return 7;
  std::string_view fg = std::string_view(first).substr(0, slash);
  std::string_view bg = slash == std::string::npos ? std::string_view() : std::string_view(first).substr(slash + 1);
  return static_cast<Attr>(side_value(fg) + 16 * side_value(bg));
}

}  // namespace vormel::screen
