#include "screen/dialog.h"

#include <algorithm>

#include "core/cp850.h"
#include "core/text.h"

namespace vormel::screen {

std::string Button::face() const {
  MenuItem as_item;
  as_item.caption = caption;
  std::string label = core::trim(as_item.label());
  if (label.size() < 10) label = core::pad_center(label, 10);
  return "[" + label + "]";
}

unsigned char Button::hot_letter() const {
  MenuItem as_item;
  as_item.caption = caption;
  if (unsigned char marked = as_item.hot_letter()) return marked;
  std::string t = core::trim(caption);  // unmarked: the first letter
  return t.empty() ? 0 : core::cp850::upper(static_cast<unsigned char>(t[0]));
}

int Dialog::add_button(int row, int col, std::string caption, std::function<void()> action) {
  int highest = 0;
  for (const Button& b : buttons) highest = std::max(highest, b.number);
  buttons.push_back(Button{row, col, std::move(caption), highest + 1, true, std::move(action)});
  return highest + 1;
}

}  // namespace vormel::screen
