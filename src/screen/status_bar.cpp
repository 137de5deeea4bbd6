#include "screen/status_bar.h"

namespace vormel::screen {

std::string StatusBar::line(int width) const {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    const StatusPart& p = parts[i];
    std::string t = p.block ? p.block() : p.text;
    if (p.width > 0) t.resize(static_cast<size_t>(p.width), ' ');
    if (i > 0) out += static_cast<char>(0xB3);  // │ between parts
    out += t;
    if (static_cast<int>(out.size()) >= width) break;
  }
  out.resize(static_cast<size_t>(width), ' ');
  return out;
}

}  // namespace vormel::screen
