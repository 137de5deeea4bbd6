#include "core/text.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

namespace vormel::core {

namespace {

constexpr long kDay = 24L * 60 * 60;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// VAL of a short field: its leading digits after blanks; 0 when there are none.
int leading_number(std::string_view s) {
  size_t i = s.find_first_not_of(' ');
  int n = 0;
  for (; i < s.size() && is_digit(s[i]); ++i) n = n * 10 + (s[i] - '0');
  return n;
}

std::string two_digits(long n) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%02ld", n);
  return buf;
}

// The digits of `digits` poured into `mask`, whose '9's take one digit each.
std::string apply_mask(std::string_view digits, std::string_view mask) {
  std::string out;
  size_t d = 0;
  for (char m : mask) out.push_back(m == '9' ? digits[d++] : m);
  return out;
}

constexpr std::string_view kCpfMask = "999.999.999-99";
constexpr std::string_view kCnpjMask = "99.999.999/9999-99";
constexpr std::string_view kNitMask = "999.99999.99-9";
constexpr std::string_view kFourBlanks = "    ";

}  // namespace

std::string TRAZ_MES(int month) {
  static constexpr std::string_view kMonths[] = {
      "Janeiro  ", "Fevereiro", "Marco    ", "Abril    ", "Maio     ", "Junho    ",
      "Julho    ", "Agosto   ", "Setembro ", "Outubro  ", "Novembro ", "Dezembro "};
  if (month < 1 || month > 12) return "";
  return std::string(kMonths[month - 1]);
}

std::string DIA_SEMANA(const Date& d) {
  static constexpr std::string_view kDays[] = {"Domingo",     "Segunda feira", "Terca feira",
                                               "Quarta feira", "Quinta feira", "Sexta feira",
                                               "Sabado"};
  if (d.is_empty()) return "";
  return std::string(kDays[d.weekday() - 1]);
}

int HORA_SEG(std::string_view hh_mm_ss) {
  auto field = [&](size_t pos) {
    return pos < hh_mm_ss.size() ? leading_number(hh_mm_ss.substr(pos, 2)) : 0;
  };
  return field(0) * 3600 + field(3) * 60 + field(6);
}

std::string SEG_HORA(long seconds) {
  seconds = ((seconds % kDay) + kDay) % kDay;
  return two_digits(seconds / 3600) + ":" + two_digits(seconds / 60 % 60) + ":" +
         two_digits(seconds % 60);
}

std::string SEG_HOR_2(long seconds) {
  seconds = std::max(seconds, 0L);
  return two_digits(seconds / kDay) + "D" + two_digits(seconds % kDay / 3600) + "h" +
         two_digits(seconds % 3600 / 60) + "m";
}

long TEMPO_PAS(std::string_view start, std::string_view end) {
  long s = HORA_SEG(start), e = HORA_SEG(end);
  return e < s ? e + kDay - s : e - s;
}

std::string TEMPO_PAS_TEXT(std::string_view start, std::string_view end) {
  return SEG_HORA(TEMPO_PAS(start, end));
}

std::string BAR_DIR(std::string_view path) {
  std::string p(path);
  if (p.empty() || p.back() != '/') p.push_back('/');
  return p;
}

std::string BAR_FORA(std::string_view path) {
  if (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return std::string(path);
}

std::string BAR_ESQ(std::string_view path) {
  if (!path.empty() && path.front() == '/') return std::string(path);
  return "/" + std::string(path);
}

std::string TIRA_DIR(std::string_view path) {
  size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool VERDIR(std::string_view path) {
  std::string p = BAR_FORA(path);
  if (p.empty()) return false;
  struct stat st {};
  return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string TIRA_PONTO(std::string_view text) {
  std::string digits;
  for (char c : text)
    if (is_digit(c)) digits.push_back(c);
  return digits.empty() ? " " : digits;
}

// Already punctuated texts (a point in the 3rd or 4th place, a blank in the 4th) stay as
// they are. Otherwise the text without its surrounding blanks decides: 11 digits are a
// CPF, 14 a CNPJ; anything else is left as typed.
std::string CONTAPONTO(std::string_view doc) {
  bool punctuated = (doc.size() > 2 && doc[2] == '.') ||
                    (doc.size() > 3 && (doc[3] == '.' || doc[3] == ' '));
  if (punctuated) return std::string(doc);
  std::string core = trim(doc);
  if (!std::all_of(core.begin(), core.end(), is_digit)) return std::string(doc);
  if (core.size() == 11) return apply_mask(core, kCpfMask) + std::string(kFourBlanks);
  if (core.size() == 14) return apply_mask(core, kCnpjMask);
  return std::string(doc);
}

// Mode 1: the payment code decides the layout. When the typed digits do not fill that
// layout, the text is handled as in the other modes, so no digit is ever cut off.
std::string POEPONTO(std::string_view doc, int mode, int payment_code) {
  if (mode == 1) {
    static constexpr int kCnpjCodes[] = {1, 21, 26, 36, 37, 38, 40, 41, 42, 43, 98};
    static constexpr int kCpfCodes[] = {9,  10, 11, 12, 13, 14, 15, 30,
                                        31, 33, 34, 66, 76, 80, 81, 94};
    auto among = [&](const auto& codes) {
      return std::find(std::begin(codes), std::end(codes), payment_code) != std::end(codes);
    };
    std::string_view mask;
    std::string_view tail;
    if (among(kCnpjCodes)) {
      mask = kCnpjMask;
    } else if (among(kCpfCodes)) {
      mask = kCpfMask;
      tail = kFourBlanks;
    } else if (payment_code == 50) {
      mask = kNitMask;
      tail = kFourBlanks;
    }
    std::string digits = TIRA_PONTO(doc);
    if (!mask.empty() &&
        digits.size() == static_cast<size_t>(std::count(mask.begin(), mask.end(), '9')))
      return apply_mask(digits, mask) + std::string(tail);
  }
  return CONTAPONTO(doc);
}

std::string AJUS_CAR(std::string_view text, int mode) {
  struct Pair {
    unsigned char windows, cp850;
    bool both_ways;  // false when the CP850 side is a plain letter
  };
  // The CP850 side of ã and õ is their own CP850 byte (0xC6, 0xE4): those are the bytes
  // every text of the program holds; 0x84 and 0x94 would be ä and ö.
  static constexpr Pair kPairs[] = {
      {0xE1, 0xA0, true},  {0xE9, 0x82, true},  {0xED, 0xA1, true},  {0xF3, 0xA2, true},
      {0xFA, 0xA3, true},  {0xC1, 'A', false},  {0xC9, 0x90, true},  {0xCD, 'I', false},
      {0xD3, 'O', false},  {0xDA, 'U', false},  {0xE0, 0x85, true},  {0xE3, 0xC6, true},
      {0xF5, 0xE4, true},  {0xC3, 'A', false},  {0xD5, 'O', false},  {0xE7, 0x87, true},
      {0xC7, 0x80, true},  {0xE2, 0x83, true},  {0xEA, 0x88, true},  {0xF4, 0x93, true},
      {0xFB, 0x96, true},  {0xC2, 'A', false},  {0xCA, 'E', false},  {0xD4, 'O', false},
      {0xDB, 'U', false},
  };
  const bool to_850 = mode == 1;
  std::string out;
  out.reserve(text.size());
  for (char ch : rtrim(text)) {
    auto c = static_cast<unsigned char>(ch);
    for (const auto& p : kPairs) {
      if (to_850 && c == p.windows) {
        c = p.cp850;
        break;
      }
      if (!to_850 && p.both_ways && c == p.cp850) {
        c = p.windows;
        break;
      }
    }
    out.push_back(static_cast<char>(c));
  }
  return out;
}

std::string LELINHA(std::FILE* file) {
  std::string line;
  if (!file) return line;
  for (int c; (c = std::fgetc(file)) != EOF;) {
    line.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  return line;
}

std::string trim(std::string_view s) { return ltrim(rtrim(s)); }

std::string rtrim(std::string_view s) {
  size_t end = s.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view{} : s.substr(0, end + 1));
}

std::string ltrim(std::string_view s) {
  size_t begin = s.find_first_not_of(' ');
  return std::string(begin == std::string_view::npos ? std::string_view{} : s.substr(begin));
}

std::string pad_right(std::string_view s, size_t width, char fill) {
  if (s.size() >= width) return std::string(s.substr(0, width));
  return std::string(s) + std::string(width - s.size(), fill);
}

std::string pad_left(std::string_view s, size_t width, char fill) {
  if (s.size() >= width) return std::string(s.substr(0, width));
  return std::string(width - s.size(), fill) + std::string(s);
}

std::string pad_center(std::string_view s, size_t width, char fill) {
  if (s.size() >= width) return std::string(s.substr(0, width));
  size_t left = (width - s.size()) / 2;
  return std::string(left, fill) + std::string(s) + std::string(width - s.size() - left, fill);
}

}  // namespace vormel::core
