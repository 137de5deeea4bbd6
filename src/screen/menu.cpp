#include "screen/menu.h"

#include "core/cp850.h"

namespace vormel::screen {

std::string MenuItem::label() const {
  std::string s;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) {
      s += caption[++i];
      continue;
    }
    s += caption[i];
  }
  return s;
}

int MenuItem::hot_index() const {
  int shown = 0;
  for (size_t i = 0; i < caption.size(); ++i, ++shown) {
    if (caption[i] == '&' && i + 1 < caption.size()) return caption[i + 1] == '&' ? -1 : shown;
  }
  return -1;
}

unsigned char MenuItem::hot_letter() const {
  int i = hot_index();
  if (i < 0) return 0;
  return core::cp850::upper(static_cast<unsigned char>(label()[static_cast<size_t>(i)]));
}

std::vector<MenuItem>& Menu::current_level() {
  std::vector<MenuItem>* level = &pads_;
  if (!path_.empty())
    for (int i : path_.back()) level = &(*level)[static_cast<size_t>(i)].items;
  return *level;
}

MenuItem& Menu::sub_menu(const std::string& caption) {
  auto& level = current_level();
  MenuItem m;
  m.caption = caption;
  m.is_submenu = true;
  m.number = ++count_;
  level.push_back(std::move(m));
  std::vector<int> p = path_.empty() ? std::vector<int>{} : path_.back();
  p.push_back(static_cast<int>(level.size()) - 1);
  path_.push_back(p);
  return level.back();
}

MenuItem& Menu::item(const std::string& caption, std::function<void()> action, bool enabled) {
  auto& level = current_level();
  MenuItem m;
  m.caption = caption;
  m.action = std::move(action);
  m.enabled = enabled;
  m.number = ++count_;
  level.push_back(std::move(m));
  return level.back();
}

void Menu::separator() {
  auto& level = current_level();
  if (!level.empty()) level.back().separator_after = true;
}

void Menu::end_menu() {
  if (!path_.empty()) path_.pop_back();
}

namespace {
MenuItem* find_in(std::vector<MenuItem>& items, int number) {
  for (auto& it : items) {
    if (it.number == number) return &it;
    if (auto* sub = find_in(it.items, number)) return sub;
  }
  return nullptr;
}
MenuItem* find_acc(std::vector<MenuItem>& items, core::Key key) {
  for (auto& it : items) {
    if (!it.is_submenu && it.accelerator == key && !it.accelerator.is_none()) return &it;
    if (auto* sub = find_acc(it.items, key)) return sub;
  }
  return nullptr;
}
}  // namespace

int Menu::pad_for(core::Key key) const {
  if (!key.is_alt_char()) return -1;
  for (size_t i = 0; i < pads_.size(); ++i)
    if (pads_[i].enabled && pads_[i].hot_letter() == key.base()) return static_cast<int>(i);
  return -1;
}

MenuItem* Menu::find(int number) { return find_in(pads_, number); }
MenuItem* Menu::find_accelerator(core::Key key) { return find_acc(pads_, key); }

bool Menu::event(int number) {
  MenuItem* it = find(number);
  if (!it || it->is_submenu || !it->enabled) return false;
  auto action = it->action;  // the action may rebuild this menu
  if (action) action();
  return true;
}

}  // namespace vormel::screen
