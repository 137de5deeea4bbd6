// Key codes. A key is a CP850 character (32–255) or a named key, plus modifiers.
// Alt+letter carries the upper-case letter; Ctrl+letter too ("Ctrl+C" = Ctrl | 'C').
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vormel::core {

struct Key {
  enum : uint32_t {
    None = 0,
    // Named keys live above the CP850 byte range.
    Enter = 0x100, Esc, Tab, Backspace, Up, Down, Left, Right, Home, End, PgUp, PgDn, Ins, Del,
    F1 = 0x120, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
    Mouse = 0x200,   // a left click at (row, col) of the 27-line screen
    Resize = 0x201,  // the terminal changed size
    Calculator = 0x202,  // pushed by a hot key: the calculator, its result for the field in hand
    Wake = 0x203,        // pushed to end a wait for a key; nothing acts on it
    // Modifier bits.
    Alt = 1u << 16, Ctrl = 1u << 17, Shift = 1u << 18,
    ModMask = Alt | Ctrl | Shift,
  };

  uint32_t code = None;
  int row = -1, col = -1;  // Mouse only

  constexpr Key() = default;
  constexpr Key(uint32_t c) : code(c) {}  // NOLINT: Key k = Key::Enter | Key::Ctrl
  static constexpr Key ch(unsigned char c) { return Key(c); }
  static constexpr Key alt(unsigned char c) { return Key(Alt | upper_ascii(c)); }
  static constexpr Key ctrl(unsigned char c) { return Key(Ctrl | upper_ascii(c)); }
  static Key mouse(int row, int col) { Key k(Mouse); k.row = row; k.col = col; return k; }

  constexpr uint32_t base() const { return code & ~ModMask; }
  constexpr uint32_t mods() const { return code & ModMask; }
  constexpr bool is_char() const { return mods() == 0 && code >= 32 && code <= 255; }
  constexpr unsigned char byte() const { return static_cast<unsigned char>(code & 0xFF); }
  constexpr bool is_alt_char() const { return mods() == Alt && base() >= 32 && base() <= 255; }
  constexpr bool is_mouse() const { return base() == Mouse; }
  constexpr bool is_none() const { return code == None; }

  friend constexpr bool operator==(const Key& a, const Key& b) { return a.code == b.code; }

  static constexpr uint32_t upper_ascii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<uint32_t>(c - 32) : c;
  }
};

// "Enter", "Alt+F1", "Ctrl+Enter", "Shift+Tab", "Alt+-", "Lt" (a literal "<"), "a".
// One-character names are UTF-8 and become CP850.
std::optional<Key> parse_key_name(std::string_view name);
// The name parse_key_name reads back (for messages and logs), in UTF-8.
std::string key_name(const Key& key);

}  // namespace vormel::core
