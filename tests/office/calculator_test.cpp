#include "office/calculator.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/clock.h"
#include "screen/backend.h"
#include "screen/console.h"
#include "screen/ui.h"

namespace vormel::office {
namespace {

using core::Decimal;
using core::Key;

// Typed keys; '\b' Backspace, '\n' Enter, '\x1b' Esc, '^' Ctrl+Enter.
std::vector<Key> keys(std::string_view typed) {
  std::vector<Key> out;
  for (char c : typed) {
    switch (c) {
      case '\b': out.push_back(Key::Backspace); break;
      case '\n': out.push_back(Key::Enter); break;
      case '\x1b': out.push_back(Key::Esc); break;
      case '^': out.push_back(Key::Enter | Key::Ctrl); break;
      default: out.push_back(Key::ch(static_cast<unsigned char>(c)));
    }
  }
  return out;
}

struct Typed {
  Calculator calc;
  int beeps = 0;
};

Typed feed_all(std::string_view typed) {
  Typed r;
  for (Key k : keys(typed))
    if (r.calc.feed(k) == Calculator::Outcome::Beep) ++r.beeps;
  return r;
}

TEST(Calculator, KeySequences) {
  struct Case {
    const char* typed;
    std::string shown;  // the display's number, blanks trimmed
    int beeps = 0;
    bool noerr = true;
    bool finished = false;
    const char* handed = nullptr;  // what Ctrl+Enter hands back
  };
  const std::vector<Case> cases = {
      {"7+5=", "12"},
      {"7+5=^", "12", 0, true, true, "12"},
      {"2+3*4=", "20"},                           // left to right, no precedence
      {"10/0=", "**************", 1, false},  // overflow shown
      {"10/0^", "**************", 0, false, true},
      {"10/0=^", "**************", 1, false, true},
      {"10/0=5+", "**************", 3, false},  // only C gets out of the error
      {"10/0=\n", "**************", 2, false},
      {"10/0=C", "", 1, true},
      {"1/3=", "0,3333"},
      {"6/3=", "2,0000"},                         // a division shows decimals
      {"0.1+0.2=", "0,3000"},
      {"0,1+0,2\n", "0,3000"},                    // "," is ".", Enter is "="
      {"1/3*3=", "1,0000"},                       // eight decimals kept inside
      {"7+5=C", ""},                              // starts over, empty display
      {"7+5=3+4=", "7"},                          // a new number after "=" starts anew
      {"7+5=+1=", "13"},                          // an operator after "=" goes on
      {"7+5==", "12"},
      {"2*+3=", "5"},                             // the second operator replaces the first
      {"5I+3=", "-2"},
      {"7+5=I", "-12"},
      {"12345678901", "1.234.567.890", 1},        // 11th integer digit
      {"1.23456", "1,2345", 1},                   // 5th decimal
      {"1..5", "1,5000", 1},                      // second point
      {"12.5\b3=", "3"},                          // Backspace: 0 and whole numbers again
      {"4+12.5\b3=", "7"},
      {"1.5+\b1=", "2,5000"},                     // a result with decimals shows them
      {"7+5", "5"},
      {"7+5^", "12", 0, true, true, "12"},        // Ctrl+Enter finishes the pending sum
      {"42^", "42", 0, true, true, "42"},
      {"7+5=X", "12", 0, true, true},
      {"7+5=\x1b", "12", 0, true, true},
      {"7+q", "7", 1},                             // any other key beeps
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Typed r = feed_all(c.typed);
    EXPECT_EQ(r.calc.number_text(), c.shown);
    EXPECT_EQ(r.beeps, c.beeps);
    EXPECT_EQ(r.calc.NOERR(), c.noerr);
    EXPECT_EQ(r.calc.finished(), c.finished);
    if (c.handed) {
      ASSERT_TRUE(r.calc.handed_back());
      EXPECT_EQ(*r.calc.handed_back(), *Decimal::parse(c.handed));
    } else {
      EXPECT_FALSE(r.calc.handed_back());
    }
  }
}

TEST(Calculator, Memory) {
  Typed r = feed_all("200+50=M+");
  EXPECT_EQ(r.calc.memory(), Decimal(250));
  EXPECT_EQ(r.calc.display_row()[0], 'M');

  for (Key k : keys("C9MR")) r.calc.feed(k);
  EXPECT_EQ(r.calc.number_text(), "250");
  for (Key k : keys("+1=")) r.calc.feed(k);
  EXPECT_EQ(r.calc.number_text(), "251");

  for (Key k : keys("M-")) r.calc.feed(k);  // the number shown leaves the memory
  EXPECT_EQ(r.calc.memory(), Decimal(-1));
  for (Key k : keys("MC")) r.calc.feed(k);
  EXPECT_TRUE(r.calc.memory().is_zero());
  EXPECT_EQ(r.calc.display_row()[0], ' ');

  // A number being typed is what M+ adds; an unknown key after M does nothing.
  Typed typed = feed_all("1.5M+MQ");
  EXPECT_EQ(typed.calc.memory(), *Decimal::parse("1.5"));
  EXPECT_EQ(typed.calc.number_text(), "1,5000");
  EXPECT_EQ(typed.beeps, 0);
}

TEST(Calculator, DisplayRowAndOtherKeys) {
  Typed r = feed_all("12/");
  // Mark, two blanks, the number through the picture (19 cells), a blank, the operator.
  EXPECT_EQ(r.calc.display_row(), std::string(15, ' ') + "12" + std::string(6, ' ') + "\xF6");
  Typed eq = feed_all("1/4=");
  EXPECT_EQ(eq.calc.display_row(), std::string(16, ' ') + "0,2500" + " =");

  Calculator c;
  EXPECT_EQ(c.feed(Key::Up), Calculator::Outcome::Move);
  EXPECT_EQ(c.feed(Key::Right), Calculator::Outcome::Move);
  EXPECT_EQ(c.feed(Key::Home), Calculator::Outcome::Ignored);
  EXPECT_EQ(c.feed(Key::Left | Key::Ctrl), Calculator::Outcome::Ignored);
  EXPECT_EQ(c.feed(Key::F2), Calculator::Outcome::Beep);
}

TEST(Calculator, LargeResultsOverflowInsteadOfWrapping) {
  // 9,999,999,999 squared twice passes 1E22: the error, not a wrong number.
  Typed r = feed_all("9999999999*9999999999*9999999999=");
  EXPECT_FALSE(r.calc.NOERR());
  EXPECT_EQ(r.beeps, 1);
  EXPECT_FALSE(CALCULATE(Decimal(5), Decimal(0), '/'));
  EXPECT_EQ(*CALCULATE(Decimal(-7), Decimal(2), '/'), *Decimal::parse("-3.5"));
}

// A back end that types the given keys and keeps every frame shown before each key.
class ScriptBackend : public screen::Backend {
 public:
  explicit ScriptBackend(std::vector<Key> k) : keys_(std::move(k)) {}
  void present(const screen::Frame& frame) override { last_ = frame; }
  std::optional<Key> read_key(int, bool) override {
    if (next_ >= keys_.size()) throw screen::ScriptExhausted{};
    before_key_.push_back(last_);
    return keys_[next_++];
  }
  void bell() override { ++bells; }
  void clear_typeahead() override {}
  void clipboard_set(const std::string&) override {}
  std::optional<std::string> clipboard_get() override { return std::nullopt; }

  // The frame the user saw when pressing key number i.
  const screen::Frame& seen_at(size_t i) const { return before_key_.at(i); }
  int bells = 0;

 private:
  std::vector<Key> keys_;
  size_t next_ = 0;
  screen::Frame last_;
  std::vector<screen::Frame> before_key_;
};

struct Screen {
  explicit Screen(std::vector<Key> k) : backend(std::move(k)), con(backend, clock), ui(con) {
    for (int row = 0; row < screen::Grid::kRows; ++row)
      for (int col = 0; col < screen::Grid::kCols; ++col)
        con.grid().put(row, col, static_cast<unsigned char>('a' + (row + col) % 26), static_cast<screen::Attr>(row));
  }
  ScriptBackend backend;
  core::Clock clock;
  screen::Console con;
  screen::Ui ui;
};

bool same_grid(const screen::Grid& a, const screen::Grid& b) {
  for (int row = 0; row < screen::Grid::kRows; ++row)
    for (int col = 0; col < screen::Grid::kCols; ++col)
      if (!(a.get(row, col) == b.get(row, col))) return false;
  return true;
}

TEST(Calculadora, DrawsHandsBackAndRestoresTheScreen) {
  std::vector<Key> typed = keys("7+5=^");
  Screen s(typed);
  const screen::Grid before = s.con.grid();
  CalcPosition pos{11, 11};

  std::optional<Decimal> got = CALCULADORA(s.ui, pos);

  ASSERT_TRUE(got);
  EXPECT_EQ(*got, Decimal(12));
  const screen::Frame& seen = s.backend.seen_at(4);  // the Ctrl+Enter moment
  auto window_row = [&](int r) { return seen.row_text(pos.top + r - 1 + 1).substr(pos.left, 26); };
  EXPECT_EQ(window_row(1), "\xDA" + std::string(24, '\xC4') + "\xBF");
  EXPECT_EQ(window_row(2), "\xB3" + std::string(15, ' ') + "12" + std::string(6, ' ') + "=\xB3");
  EXPECT_EQ(window_row(5), "\xB3Mr \xB3Mc \xB3M- \xB3M+ \xB3 ^Enter \xB3");
  EXPECT_EQ(window_row(13), "\xB3 0 \xB3 . \xB3 = \xB3 / \xB3 I +/-  \xB3");
  EXPECT_EQ(window_row(14).substr(0, 5), "\xC0\xC4\xC4\xC4\xC1");
  // Frame lines in the frame colour, legends in the text colour.
  EXPECT_EQ(seen.cells[pos.top + 5][pos.left].attr, screen::attr_of(screen::ACHACOR(s.ui.colours.COR_TEL2)));
  EXPECT_EQ(seen.cells[pos.top + 5][pos.left + 1].attr, screen::attr_of(screen::ACHACOR(s.ui.colours.COR_TEL1)));

  EXPECT_TRUE(same_grid(s.con.grid(), before));
  EXPECT_TRUE(s.con.cursor_is_on());
}

TEST(Calculadora, MovesKeepsThePositionAndClampsIt) {
  Screen s(keys("\x1b"));
  s.con.push_key(Key::Down);  // already on the bottom row: stays
  s.con.push_key(Key::Up);
  s.con.push_key(Key::Left);
  const screen::Grid before = s.con.grid();
  CalcPosition pos{20, 60};  // too low and too far right: brought back

  EXPECT_FALSE(CALCULADORA(s.ui, pos));

  EXPECT_EQ(pos.top, 10);
  EXPECT_EQ(pos.left, 47);
  // Drawn at the new place (the frame seen at the Esc), colours of the face intact.
  const screen::Frame& seen = s.backend.seen_at(0);
  EXPECT_EQ(seen.row_text(10 + 1).substr(47, 26), "\xDA" + std::string(24, '\xC4') + "\xBF");
  EXPECT_EQ(seen.cells[10 + 5][47].attr, screen::attr_of(screen::ACHACOR(s.ui.colours.COR_TEL2)));
  EXPECT_TRUE(same_grid(s.con.grid(), before));
}

TEST(Calculadora, DivisionErrorHandsNothingBack) {
  Screen s(keys("10/0^"));
  EXPECT_FALSE(CALCULADORA(s.ui));
  EXPECT_EQ(s.backend.bells, 1);
}

}  // namespace
}  // namespace vormel::office
