// The key script of the headless mode: UTF-8 text typed as it stands, with `<Name>` for one
// key (core::parse_key_name), `<Wait N>` for a pause of N milliseconds and `<Dump NAME>` for
// writing the screen to NAME.txt. Line ends are ignored, so scripts can be laid out freely.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/keys.h"

namespace vormel::screen {

struct ScriptStep {
  enum Kind { Press, Wait, Dump } kind = Press;
  core::Key key{};   // Press
  int millis = 0;    // Wait
  std::string name;  // Dump: the file name without ".txt"
};

// The steps of a script; on a fault an empty list and, in *error, the line and column.
std::vector<ScriptStep> parse_key_script(std::string_view utf8, std::string* error);

class KeyScript {
 public:
  explicit KeyScript(std::vector<ScriptStep> steps) : steps_(std::move(steps)) {}
  bool exhausted() const { return next_ >= steps_.size(); }
  const ScriptStep* peek() const { return exhausted() ? nullptr : &steps_[next_]; }
  void pop() {
    if (!exhausted()) ++next_;
  }

 private:
  std::vector<ScriptStep> steps_;
  size_t next_ = 0;
};

}  // namespace vormel::screen
