#include "screen/dialog.h"

#include <algorithm>

#include "core/cp850.h"
#include "core/text.h"

namespace vormel::screen {

std::string Button::face() const {
  std::string label;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) continue;
    label += caption[i];
  }
  label = core::trim(label);
  if (label.size() < 10) label = core::pad_center(label, 10);
  return "[" + label + "]";
}

unsigned char Button::hot_letter() const {
  size_t amp = caption.find('&');
  if (amp != std::string::npos && amp + 1 < caption.size())
    return core::cp850::upper(static_cast<unsigned char>(caption[amp + 1]));
  std::string t = core::trim(caption);
  return t.empty() ? 0 : core::cp850::upper(static_cast<unsigned char>(t[0]));
}

int Dialog::add_button(int row, int col, std::string caption, std::function<void()> action) {
  int highest = 0;
  for (const Button& b : buttons) highest = std::max(highest, b.number);
  buttons.push_back(Button{row, col, std::move(caption), highest + 1, true, std::move(action)});
  return highest + 1;
}

}  // namespace vormel::screen
