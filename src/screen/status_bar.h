// A status bar: text parts, each with a fixed text or a function giving it (redrawn by
// the one-second timer).
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace vormel::screen {

struct StatusPart {
  std::string text;                    // CP850
  std::function<std::string()> block;  // when set, gives the text at every redraw
  int width = 0;                       // 0 = the text's length
};

struct StatusBar {
  std::vector<StatusPart> parts;
  void add(std::string text, int width = 0) { parts.push_back({std::move(text), {}, width}); }
  // The message line is the first part.
  void set_text(std::string text) {
    if (parts.empty()) add("");
    parts.front().text = std::move(text);
  }
  std::string line(int width) const;  // the parts side by side, cut or padded to width
};

}  // namespace vormel::screen
