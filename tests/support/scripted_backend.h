// A screen back end for unit tests: keys from a queue, every frame kept.
#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "screen/backend.h"
#include "screen/key_script.h"

namespace vormel::test_support {

class ScriptedBackend : public screen::Backend {
 public:
  std::deque<core::Key> keys;
  screen::Frame last;
  std::vector<std::string> screens;  // every screen shown, as UTF-8 text
  int bells = 0;

  void present(const screen::Frame& f) override {
    last = f;
    screens.push_back(f.dump_utf8());
  }
  std::optional<core::Key> read_key(int, bool idle) override {
    if (keys.empty()) {
      if (idle) throw screen::ScriptExhausted{};
      return std::nullopt;
    }
    core::Key k = keys.front();
    keys.pop_front();
    return k;
  }
  void bell() override { ++bells; }
  void clear_typeahead() override {}
  void clipboard_set(const std::string&) override {}
  std::optional<std::string> clipboard_get() override { return std::nullopt; }

  // Text typed as it stands; "\n" is Enter, "\x1b" Esc.
  void type(const std::string& text) {
    for (char c : text) {
      if (c == '\n') keys.emplace_back(core::Key::Enter);
      else if (c == '\x1b') keys.emplace_back(core::Key::Esc);
      else keys.push_back(core::Key::ch(static_cast<unsigned char>(c)));
    }
  }
  bool showed(const std::string& utf8) const {
    for (const auto& s : screens)
      if (s.find(utf8) != std::string::npos) return true;
    return false;
  }
};

}  // namespace vormel::test_support
