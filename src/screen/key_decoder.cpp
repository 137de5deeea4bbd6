#include "screen/key_decoder.h"

#include <vector>

#include "core/cp850.h"

namespace vormel::screen {
namespace {

using core::Key;

constexpr char kEsc = '\x1b';
constexpr std::string_view kPasteEnd = "\x1b[201~";
// A sequence still without its final byte after this many bytes is garbage, not slow input.
constexpr size_t kLongestSequence = 64;

enum class Status { Key, Drop, Need, PasteStart, PasteEnd };

struct Step {
  Status status;
  size_t length = 0;  // bytes consumed
  Key key{};
};

Step key_step(size_t length, Key key) { return {Status::Key, length, key}; }
Step drop(size_t length) { return {Status::Drop, length, {}}; }
Step need() { return {Status::Need, 0, {}}; }

unsigned char uc(char c) { return static_cast<unsigned char>(c); }
bool in_range(char c, unsigned lo, unsigned hi) { return uc(c) >= lo && uc(c) <= hi; }
bool is_char_code(uint32_t base) { return base >= 0x20 && base <= 0xFF; }

// Modifiers spelled the way the program names keys: Shift on a character is the shifted
// character; Alt and Ctrl carry the ASCII capital. Ctrl+Fn arrives as Alt+Fn: desktops keep
// Alt+F-keys for themselves and the program has no Ctrl+F-key, so Ctrl is the way to type them.
Key with_mods(Key key, uint32_t mods) {
  uint32_t base = key.base();
  uint32_t m = key.mods() | mods;
  if (is_char_code(base)) {
    if (m & Key::Shift) base = core::cp850::upper(static_cast<uint8_t>(base));
    m &= ~static_cast<uint32_t>(Key::Shift);
    if (m) base = Key::upper_ascii(static_cast<unsigned char>(base));
  }
  if (base >= Key::F1 && base <= Key::F12 && (m & Key::Ctrl))
    m = (m & ~static_cast<uint32_t>(Key::Ctrl)) | Key::Alt;
  return Key(base | m);
}

// The xterm modifier parameter: 1 + (Shift 1 | Alt 2 | Ctrl 4 | Meta 8); Meta counts as Alt.
uint32_t modifier_param(int m) {
  if (m <= 1) return 0;
  const int bits = m - 1;
  uint32_t mods = 0;
  if (bits & 1) mods |= Key::Shift;
  if (bits & (2 | 8)) mods |= Key::Alt;
  if (bits & 4) mods |= Key::Ctrl;
  return mods;
}

// "1;5" → {1, 5}; a missing number is 0 and sub-parameters after ':' are ignored.
std::vector<int> numbers(std::string_view params) {
  std::vector<int> out{0};
  bool in_sub = false;
  for (char c : params) {
    if (c == ';') {
      out.push_back(0);
      in_sub = false;
    } else if (c == ':') {
      in_sub = true;
    } else if (!in_sub && c >= '0' && c <= '9' && out.back() < 100000) {
      out.back() = out.back() * 10 + (c - '0');
    }
  }
  return out;
}

int number(const std::vector<int>& p, size_t i, int fallback) {
  return i < p.size() && p[i] > 0 ? p[i] : fallback;
}

std::optional<Key> char_of_code_point(char32_t cp) {
  if (cp >= 0x20 && cp < 0x7F) return Key::ch(static_cast<unsigned char>(cp));
  if (cp < 0xA0) return std::nullopt;
  const int byte = core::cp850::from_unicode(cp);
  if (byte < 0x20 || byte == 0x7F) return std::nullopt;
  return Key::ch(static_cast<unsigned char>(byte));
}

// The key of a code point reported by CSI-u or modifyOtherKeys.
std::optional<Key> key_of_code_point(int code) {
  switch (code) {
    case 13: return Key(Key::Enter);
    case 9: return Key(Key::Tab);
    case 27: return Key(Key::Esc);
    case 8:
    case 127: return Key(Key::Backspace);
    default: return code > 0 ? char_of_code_point(static_cast<char32_t>(code)) : std::nullopt;
  }
}

std::optional<Key> single_byte(unsigned char c) {
  switch (c) {
    case 0x0D: return Key(Key::Enter);
    case 0x0A: return Key(Key::Ctrl | Key::Enter);  // Ctrl+J, and what several terminals send for Ctrl+Enter
    case 0x09: return Key(Key::Tab);
    case 0x08:
    case 0x7F: return Key(Key::Backspace);
    default: break;
  }
  if (c >= 0x01 && c <= 0x1A) return Key::ctrl(static_cast<unsigned char>('A' + c - 1));
  if (c >= 0x20 && c < 0x7F) return Key::ch(c);
  return std::nullopt;
}

Step decode_utf8(std::string_view s, bool idle) {
  const unsigned char lead = uc(s[0]);
  const size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
  if (length == 0) return drop(1);
  char32_t cp = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if (i >= s.size()) return idle ? drop(i) : need();
    if ((uc(s[i]) & 0xC0) != 0x80) return drop(i);
    cp = (cp << 6) | (uc(s[i]) & 0x3F);
  }
  constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kShortest[length]) return drop(length);
  auto key = char_of_code_point(cp);
  return key ? key_step(length, *key) : drop(length);
}

// Anything but ESC: a control byte, ASCII or a UTF-8 character.
Step decode_plain(std::string_view s, bool idle) {
  if (uc(s[0]) >= 0x80) return decode_utf8(s, idle);
  auto key = single_byte(uc(s[0]));
  return key ? key_step(1, *key) : drop(1);
}

std::optional<uint32_t> tilde_key(int n) {
  switch (n) {
    case 1: case 7: return Key::Home;
    case 2: return Key::Ins;
    case 3: return Key::Del;
    case 4: case 8: return Key::End;
    case 5: return Key::PgUp;
    case 6: return Key::PgDn;
    case 23: return Key::F11;
    case 24: return Key::F12;
    default: break;
  }
  if (n >= 11 && n <= 15) return Key::F1 + (n - 11);
  if (n >= 17 && n <= 21) return Key::F6 + (n - 17);
  return std::nullopt;
}

std::optional<uint32_t> cursor_or_function_key(char final) {
  switch (final) {
    case 'A': return Key::Up;
    case 'B': return Key::Down;
    case 'C': return Key::Right;
    case 'D': return Key::Left;
    case 'H': return Key::Home;
    case 'F': return Key::End;
    case 'P': return Key::F1;
    case 'Q': return Key::F2;
    case 'R': return Key::F3;
    case 'S': return Key::F4;
    default: return std::nullopt;
  }
}

// A press of the first button is a click; releases, motion, the wheel and other buttons are not.
Step mouse_step(int button, int x, int y, size_t length) {
  if ((button & (3 | 32 | 64 | 128)) != 0 || x < 1 || y < 1) return drop(length);
  return key_step(length, Key::mouse(y - 1, x - 1));
}

Step csi_step(std::string_view params, bool has_intermediates, char final, size_t length) {
  if (has_intermediates) return drop(length);
  if (!params.empty() && params[0] == '<') {  // SGR mouse; 'm' is a release
    const auto p = numbers(params.substr(1));
    return final == 'M' ? mouse_step(p[0], number(p, 1, 0), number(p, 2, 0), length) : drop(length);
  }
  if (params.find_first_of("<=>?") != std::string_view::npos) return drop(length);  // terminal reports
  const auto p = numbers(params);
  std::optional<Key> key;
  if (final == '~') {
    if (p[0] == 200) return {Status::PasteStart, length, {}};
    if (p[0] == 201) return {Status::PasteEnd, length, {}};
    if (p[0] == 27) {
      key = key_of_code_point(number(p, 2, 0));  // modifyOtherKeys: 27 ; modifiers ; code
    } else if (auto code = tilde_key(p[0])) {
      key = Key(*code);
    }
  } else if (final == 'u') {
    key = key_of_code_point(p[0]);
  } else if (final == 'Z') {
    key = Key(Key::Shift | Key::Tab);
  } else if (auto code = cursor_or_function_key(final)) {
    key = Key(*code);
  }
  if (!key) return drop(length);
  return key_step(length, with_mods(*key, modifier_param(number(p, 1, 1))));
}

Step ss3_step(std::string_view params, char final, size_t length) {
  const auto p = numbers(params);
  // "ESC O 1;5P" and the older "ESC O 5P" both carry modifiers.
  const uint32_t mods = modifier_param(p.size() >= 2 ? number(p, 1, 1) : number(p, 0, 1));
  std::optional<Key> key;
  if (auto code = cursor_or_function_key(final)) {
    key = Key(*code);
  } else if (final == 'M') {
    key = Key(Key::Enter);  // keypad Enter in application mode
  } else if (final >= 'p' && final <= 'y') {
    key = Key::ch(static_cast<unsigned char>('0' + (final - 'p')));
  } else {
    constexpr std::string_view kKeypad = "j*k+l,m-n.o/X=";
    for (size_t i = 0; i < kKeypad.size(); i += 2)
      if (kKeypad[i] == final) key = Key::ch(static_cast<unsigned char>(kKeypad[i + 1]));
  }
  if (!key) return drop(length);
  return key_step(length, with_mods(*key, mods));
}

// ESC [ : parameter bytes 0x30–0x3F, intermediate bytes 0x20–0x2F, one final byte 0x40–0x7E.
Step decode_csi(std::string_view s, bool idle) {
  if (s.size() < 3) return idle ? key_step(2, Key::alt('[')) : need();
  if (s[2] == '[') {  // Linux console F1–F5: ESC [ [ A..E
    if (s.size() < 4) return idle ? drop(3) : need();
    if (s[3] >= 'A' && s[3] <= 'E') return key_step(4, Key(Key::F1 + (s[3] - 'A')));
    return drop(in_range(s[3], 0x40, 0x7E) ? 4 : 3);
  }
  if (s[2] == 'M') {  // X10 mouse: ESC [ M button x y, each offset by 32
    if (s.size() < 6) return idle ? drop(s.size()) : need();
    return mouse_step(uc(s[3]) - 32, uc(s[4]) - 32, uc(s[5]) - 32, 6);
  }
  size_t i = 2;
  while (i < s.size() && in_range(s[i], 0x30, 0x3F)) ++i;
  const size_t params_end = i;
  while (i < s.size() && in_range(s[i], 0x20, 0x2F)) ++i;
  if (i == s.size()) return idle || i > kLongestSequence ? drop(i) : need();
  if (!in_range(s[i], 0x40, 0x7E)) return i == 2 ? key_step(2, Key::alt('[')) : drop(i);
  return csi_step(s.substr(2, params_end - 2), i > params_end, s[i], i + 1);
}

// ESC O : optional digits and ';', then one final byte.
Step decode_ss3(std::string_view s, bool idle) {
  if (s.size() < 3) return idle ? key_step(2, Key::alt('O')) : need();
  size_t i = 2;
  while (i < s.size() && ((s[i] >= '0' && s[i] <= '9') || s[i] == ';')) ++i;
  if (i == s.size()) return idle || i > kLongestSequence ? drop(i) : need();
  if (!in_range(s[i], 0x40, 0x7E)) return i == 2 ? key_step(2, Key::alt('O')) : drop(i);
  return ss3_step(s.substr(2, i - 2), s[i], i + 1);
}

Step with_alt(Step inner) {
  if (inner.status == Status::Need) return inner;
  inner.length += 1;
  if (inner.status == Status::Key && !inner.key.is_mouse()) inner.key = with_mods(inner.key, Key::Alt);
  return inner;
}

Step decode_escape(std::string_view s, bool idle) {
  if (s.size() == 1) return idle ? key_step(1, Key(Key::Esc)) : need();
  if (s[1] == '[') return decode_csi(s, idle);
  if (s[1] == 'O') return decode_ss3(s, idle);
  if (s[1] == kEsc) {
    // ESC before a sequence is Alt with that key. Any other ESC ESC is two Escapes, so
    // Esc tapped twice while the program was busy is not read as one Alt+Esc.
    if (s.size() == 2) return idle ? key_step(1, Key(Key::Esc)) : need();
    if (s[2] != '[' && s[2] != 'O') return key_step(1, Key(Key::Esc));
    return with_alt(decode_escape(s.substr(1), idle));
  }
  return with_alt(decode_plain(s.substr(1), idle));
}

// Inside a bracketed paste only characters count; line ends, tabs and escapes are dropped.
Step decode_pasted(std::string_view s, bool idle) {
  if (s[0] == kEsc) {
    if (s.starts_with(kPasteEnd)) return {Status::PasteEnd, kPasteEnd.size(), {}};
    if (kPasteEnd.starts_with(s)) return idle ? drop(s.size()) : need();
    return drop(1);
  }
  const Step step = decode_plain(s, idle);
  if (step.status == Status::Key && !step.key.is_char()) return drop(step.length);
  return step;
}

}  // namespace

void KeyDecoder::feed(std::string_view bytes) {
  if (start_ == buffer_.size() || start_ > 4096) {
    buffer_.erase(0, start_);
    start_ = 0;
  }
  buffer_.append(bytes);
}

std::optional<core::Key> KeyDecoder::next(bool more_may_come) {
  const bool idle = !more_may_come;
  while (start_ < buffer_.size()) {
    const std::string_view rest = std::string_view(buffer_).substr(start_);
    const Step step = in_paste_          ? decode_pasted(rest, idle)
                      : rest[0] == kEsc  ? decode_escape(rest, idle)
                                         : decode_plain(rest, idle);
    if (step.status == Status::Need) return std::nullopt;
    start_ += step.length;
    if (step.status == Status::Key) return step.key;
    if (step.status == Status::PasteStart) in_paste_ = true;
    if (step.status == Status::PasteEnd) in_paste_ = false;
  }
  return std::nullopt;
}

}  // namespace vormel::screen
