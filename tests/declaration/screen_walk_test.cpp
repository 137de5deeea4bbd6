// The walk between the declaration's screens by the keys that end them.
#include <gtest/gtest.h>

#include "declaration/screen_walk.h"

namespace vormel::declaration {
namespace {

using core::Key;

TEST(ScreenWalk, TheKeysOfTheWalk) {
  struct Case {
    int tela, item;
    bool rural, abroad, first;
    Key key;
    int next_tela, next_item;
  } cases[] = {
      {4, 43, false, false, false, Key(Key::Tab), 5, 51},             // payments → assets and debts
      {4, 41, false, false, false, Key(Key::Tab | Key::Shift), 3, 31},  // any part of 4 → exempt income
      {4, 43, false, false, false, Key(Key::PgUp), 3, 31},
      {11, 62, false, false, false, Key(Key::Tab), 0, 0},             // notes → back to the bar
      {10, 72, false, false, false, Key(Key::Tab), 11, 62},           // balance → notes
      {5, 51, false, false, false, Key(Key::F12), 7, 71},             // no rural annex
      {5, 51, true, false, false, Key(Key::F12), 12, 101},
      {17, 106, true, false, false, Key(Key::Tab), 12, 101},          // the rural screens loop
      {12, 101, true, true, false, Key(Key::Tab), 14, 103},           // abroad: receipts skipped
      {14, 103, true, true, false, Key(Key::Tab | Key::Shift), 12, 101},
      {6, 61, false, false, true, Key(Key::Tab), 1, 11},              // first pass: identification → incomes
      {6, 61, false, false, false, Key(Key::Tab), 7, 71},
      {3, 31, false, false, false, Key(Key::Enter), 3, 32},
      {3, 32, false, false, false, Key(Key::Tab), 4, 41},
      {1, 11, false, false, false, Key(Key::Tab | Key::Shift), 0, 0},
      {8, 81, false, false, false, Key(Key::Tab), 7, 71},
      {7, 71, false, false, false, Key(Key::Esc), 0, 0},
      {2, 21, false, false, false, Key(Key::F4), 4, 41},
      {2, 21, false, false, false, Key(Key::F11), 11, 62},
  };
  for (const auto& c : cases) {
    Walk w;
    w.TELA = c.tela;
    w.OPCIR_1 = c.item;
    w.rural = c.rural;
    w.abroad = c.abroad;
    w.PVEZ = c.first;
    next_screen(w, c.key);
    EXPECT_EQ(w.TELA, c.next_tela) << c.tela << "/" << c.item << " " << core::key_name(c.key);
    EXPECT_EQ(w.OPCIR_1, c.next_item) << c.tela << "/" << c.item << " " << core::key_name(c.key);
  }
}

}  // namespace
}  // namespace vormel::declaration
