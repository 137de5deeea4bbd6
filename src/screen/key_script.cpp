#include "screen/key_script.h"

#include <cstdio>
#include <optional>

#include "core/cp850.h"

namespace vormel::screen {
namespace {

using core::Key;

std::string at(int line, int column) {
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": ";
}

// The length of the UTF-8 character at s[i] (0 when the bytes are not UTF-8) and its code point.
size_t utf8_char(std::string_view s, size_t i, char32_t* cp) {
  const auto lead = static_cast<unsigned char>(s[i]);
  const size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                      : (lead & 0xF8) == 0xF0 ? 4 : 0;
  if (length == 0 || i + length > s.size()) return 0;
  char32_t value = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    value = (value << 6) | (c & 0x3F);
  }
  constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kShortest[length]) return 0;
  *cp = value;
  return length;
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// "Wait 500" → "500" for the word "Wait"; nothing when the directive is another one.
std::optional<std::string_view> argument_of(std::string_view directive, std::string_view word) {
  if (directive.size() < word.size()) return std::nullopt;
  for (size_t i = 0; i < word.size(); ++i)
    if (Key::upper_ascii(static_cast<unsigned char>(directive[i])) !=
        Key::upper_ascii(static_cast<unsigned char>(word[i])))
      return std::nullopt;
  const std::string_view rest = directive.substr(word.size());
  if (!rest.empty() && rest.front() != ' ') return std::nullopt;  // "Waiter" is not "Wait"
  return trim(rest);
}

std::optional<int> milliseconds(std::string_view digits) {
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The dump lands in the dump folder: no path separators, no "." or "..".
bool valid_dump_name(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) return false;
  return true;
}

// The step of the text between '<' and '>', or an error message.
std::optional<ScriptStep> directive_step(std::string_view text, std::string* error) {
  ScriptStep step;
  if (auto arg = argument_of(text, "Wait")) {
    auto ms = milliseconds(*arg);
    if (!ms) {
      *error = "<Wait> needs a number of milliseconds, not \"" + std::string(*arg) + "\"";
      return std::nullopt;
    }
    step.kind = ScriptStep::Wait;
    step.millis = *ms;
    return step;
  }
  if (auto arg = argument_of(text, "Dump")) {
    if (!valid_dump_name(*arg)) {
      *error = "<Dump> needs a file name without folders, not \"" + std::string(*arg) + "\"";
      return std::nullopt;
    }
    step.kind = ScriptStep::Dump;
    step.name = std::string(*arg);
    return step;
  }
  auto key = core::parse_key_name(text);
  if (!key) {
    *error = "unknown key <" + std::string(text) + "> (a \"<\" to type is written <Lt>)";
    return std::nullopt;
  }
  step.key = *key;
  return step;
}

ScriptStep press(Key key) {
  ScriptStep step;
  step.key = key;
  return step;
}

}  // namespace

std::vector<ScriptStep> parse_key_script(std::string_view utf8, std::string* error) {
  std::vector<ScriptStep> steps;
  std::string message;
  int line = 1, column = 1;
  size_t i = 0;
  auto fail = [&](int l, int c, const std::string& what) {
    if (error) *error = at(l, c) + what;
    return std::vector<ScriptStep>{};
  };
  while (i < utf8.size()) {
    const char c = utf8[i];
    if (c == '\n') {
      ++line;
      column = 1;
      ++i;
      continue;
    }
    if (c == '\r') {  // of "\r\n"
      ++i;
      continue;
    }
    if (c == '<') {
      const size_t end = utf8.find_first_of(">\r\n", i + 1);
      if (end == std::string_view::npos || utf8[end] != '>')
        return fail(line, column, "\"<\" without \">\" (a \"<\" to type is written <Lt>)");
      auto step = directive_step(utf8.substr(i + 1, end - i - 1), &message);
      if (!step) return fail(line, column, message);
      steps.push_back(*step);
      for (size_t k = i; k <= end; ++k)  // columns count characters, not bytes
        if ((static_cast<unsigned char>(utf8[k]) & 0xC0) != 0x80) ++column;
      i = end + 1;
      continue;
    }
    char32_t cp = 0;
    const size_t length = utf8_char(utf8, i, &cp);
    if (length == 0) return fail(line, column, "the text is not valid UTF-8");
    if (cp == '\t') {
      steps.push_back(press(Key(Key::Tab)));
    } else if (cp < 0x20 || cp == 0x7F) {
      return fail(line, column, "control character " + std::to_string(static_cast<unsigned>(cp)) + " cannot be typed");
    } else {
      const int byte = cp < 0x80 ? static_cast<int>(cp) : core::cp850::from_unicode(cp);
      if (byte < 0x20 || byte == 0x7F) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
        return fail(line, column, "\"" + std::string(utf8.substr(i, length)) + "\" (" + code +
                                      ") has no CP850 character");
      }
      steps.push_back(press(Key::ch(static_cast<unsigned char>(byte))));
    }
    i += length;
    ++column;
  }
  if (error) error->clear();
  return steps;
}

}  // namespace vormel::screen
