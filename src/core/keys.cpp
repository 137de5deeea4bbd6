#include "core/keys.h"

#include <array>
#include <cstdio>

#include "core/cp850.h"

namespace vormel::core {
namespace {

struct NamedKey {
  std::string_view name;
  uint32_t code;
};

constexpr std::array<NamedKey, 26> kNamedKeys{{
    {"Enter", Key::Enter}, {"Esc", Key::Esc},     {"Tab", Key::Tab},     {"Backspace", Key::Backspace},
    {"Up", Key::Up},       {"Down", Key::Down},   {"Left", Key::Left},   {"Right", Key::Right},
    {"Home", Key::Home},   {"End", Key::End},     {"PgUp", Key::PgUp},   {"PgDn", Key::PgDn},
    {"Ins", Key::Ins},     {"Del", Key::Del},     {"F1", Key::F1},       {"F2", Key::F2},
    {"F3", Key::F3},       {"F4", Key::F4},       {"F5", Key::F5},       {"F6", Key::F6},
    {"F7", Key::F7},       {"F8", Key::F8},       {"F9", Key::F9},       {"F10", Key::F10},
    {"F11", Key::F11},     {"F12", Key::F12},
}};

constexpr std::array<NamedKey, 3> kModifiers{{
    {"Ctrl+", Key::Ctrl}, {"Alt+", Key::Alt}, {"Shift+", Key::Shift},
}};

bool same_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Key::upper_ascii(static_cast<unsigned char>(a[i])) !=
        Key::upper_ascii(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// The CP850 byte of a name that is exactly one UTF-8 character, when it is a printable one.
std::optional<unsigned char> single_character(std::string_view utf8) {
  if (utf8.empty()) return std::nullopt;
  const auto lead = static_cast<unsigned char>(utf8[0]);
  size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                : (lead & 0xF8) == 0xF0 ? 4 : 0;
  if (length == 0 || utf8.size() != length) return std::nullopt;
  char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if ((c & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (c & 0x3F);
  }
  constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kShortest[length] || cp < 0x20 || cp == 0x7F) return std::nullopt;
  const int byte = cp < 0x80 ? static_cast<int>(cp) : cp850::from_unicode(cp);
  if (byte < 0x20 || byte == 0x7F) return std::nullopt;
  return static_cast<unsigned char>(byte);
}

std::optional<uint32_t> base_key(std::string_view name) {
  for (const auto& k : kNamedKeys)
    if (same_ignoring_case(name, k.name)) return k.code;
  if (same_ignoring_case(name, "Lt")) return '<';
  if (auto byte = single_character(name)) return *byte;
  return std::nullopt;
}

}  // namespace

std::optional<Key> parse_key_name(std::string_view name) {
  uint32_t mods = 0;
  for (bool found = true; found;) {
    found = false;
    for (const auto& m : kModifiers) {
      // The rest must be non-empty, so "Alt++" is Alt with "+" and "+" alone is a character.
      if (name.size() > m.name.size() && same_ignoring_case(name.substr(0, m.name.size()), m.name)) {
        if (mods & m.code) return std::nullopt;
        mods |= m.code;
        name.remove_prefix(m.name.size());
        found = true;
      }
    }
  }
  auto base = base_key(name);
  if (!base) return std::nullopt;
  uint32_t code = *base;
  if (code <= 0xFF) {
    // Shift on a character is the shifted character itself; Alt and Ctrl carry the capital.
    if (mods & Key::Shift) code = cp850::upper(static_cast<uint8_t>(code));
    mods &= ~static_cast<uint32_t>(Key::Shift);
    if (mods) code = Key::upper_ascii(static_cast<unsigned char>(code));
  }
  return Key(code | mods);
}

std::string key_name(const Key& key) {
  std::string out;
  for (const auto& m : kModifiers)
    if (key.mods() & m.code) out += m.name;
  const uint32_t base = key.base();
  if (base == '<') return out + "Lt";
  if (base >= 0x20 && base <= 0xFF) return out + cp850::to_utf8(std::string(1, static_cast<char>(base)));
  for (const auto& k : kNamedKeys)
    if (k.code == base) return out + std::string(k.name);
  if (base == Key::Mouse)
    return out + "Mouse(" + std::to_string(key.row) + "," + std::to_string(key.col) + ")";
  if (base == Key::Resize) return out + "Resize";
  if (base == Key::None) return out + "None";
  char buf[16];
  std::snprintf(buf, sizeof buf, "Key#%X", static_cast<unsigned>(base));
  return out + buf;
}

}  // namespace vormel::core
