// The calculator: the key machine (entry, chaining left to right, memory, the division
// error) and its window (drawing, moving, the loop that feeds it keys).
#include "office/calculator.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

#include "core/cp850.h"
#include "core/picture.h"

namespace vormel::office {

using core::Decimal;
using core::Key;
using core::Rounding;
using namespace vormel::core::literals;

namespace {

constexpr int kInternalDecimals = 8;  // kept inside; the display shows 4
constexpr int kMaxIntDigits = 10;
constexpr int kMaxDecDigits = 4;

// The division-error marker and the bound of what the calculator holds.
Decimal limit() {
  Decimal::Rep units = 1;
  for (int i = 0; i < 22; ++i) units *= 10;
  return Decimal::from_units(units, 0);
}

Decimal abs_of(const Decimal& v) { return v.sign() < 0 ? -v : v; }

bool has_fraction(const Decimal& v) { return v.rescaled(0) != v; }

bool is_plain(const Key& key, uint32_t code) { return key.code == code; }

}  // namespace

std::optional<Decimal> CALCULATE(const Decimal& result, const Decimal& number, char op) {
  Decimal r;
  switch (op) {
    case '+': r = result + number; break;
    case '-': r = result - number; break;
    case '*': {
      // Checked before multiplying, so the product never leaves the number's range.
      if (!result.is_zero() && !number.is_zero()) {
        auto bound = Decimal::divide(limit(), abs_of(result), kInternalDecimals);
        if (abs_of(number) >= *bound) return std::nullopt;
      }
      r = (result * number).rescaled(kInternalDecimals, Rounding::HalfUp);
      break;
    }
    case '/': {
      auto q = Decimal::divide(result, number, kInternalDecimals, Rounding::HalfUp);
      if (!q) return std::nullopt;
      r = *q;
      break;
    }
    default: return result;
  }
  if (abs_of(r) >= limit()) return std::nullopt;
  return r;
}

// --- the key machine ---------------------------------------------------------------

Decimal Calculator::Entry::value() const {
  if (recalled) return *recalled;
  std::string text = negative ? "-" : "";
  text += ints;
  if (!decs.empty()) text += "." + decs;
  return Decimal::parse(text).value_or(Decimal{});
}

Decimal Calculator::shown() const { return fresh_ ? result_ : entry_.value(); }

std::string Calculator::number_text() const {
  std::string s = core::TRANSFORM(core::Value(shown()), picture());
  auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string Calculator::display_row() const {
  std::string row(24, ' ');
  if (!memory_.is_zero() || memory_prefix_) row[0] = 'M';
  std::string number = core::TRANSFORM(core::Value(shown()), picture());
  number.resize(19, ' ');  // the whole-number picture is narrower: blank the rest
  row.replace(3, 19, number);
  if (shown_op_ == '/') row[23] = "÷"_cp[0];
  else if (shown_op_ != 0) row[23] = shown_op_;
  return row;
}

Calculator::Outcome Calculator::feed(Key key) {
  if (finished_) return Outcome::Ignored;
  if (memory_prefix_) return memory_key(key);

  if (is_plain(key, Key::Enter | Key::Ctrl)) return leave(true);
  if (is_plain(key, Key::Esc)) return leave(false);
  if (is_plain(key, Key::Up) || is_plain(key, Key::Down) || is_plain(key, Key::Left) || is_plain(key, Key::Right))
    return Outcome::Move;
  if (is_plain(key, Key::Left | Key::Ctrl) || is_plain(key, Key::Right | Key::Ctrl) || is_plain(key, Key::Home) ||
      is_plain(key, Key::End))
    return Outcome::Ignored;
  if (is_plain(key, Key::Backspace)) {
    if (error_) return Outcome::Beep;
    // Clear entry: back to 0 and to whole numbers (a result with decimals still
    // brings the decimal display back).
    entry_ = Entry{};
    fresh_ = false;
    decimal_picture_ = false;
    return Outcome::Handled;
  }
  if (!key.is_char() && !is_plain(key, Key::Enter)) return Outcome::Beep;

  const char c = is_plain(key, Key::Enter) ? '=' : static_cast<char>(key.byte());
  switch (c) {
    case 'X': case 'x': return leave(false);
    case 'C': case 'c': clear_all(); return Outcome::Handled;
    default: break;
  }
  // After a division error only C and the ways out work.
  if (error_) return Outcome::Beep;
  if (c >= '0' && c <= '9') return type_digit(c);
  switch (c) {
    case '.': case ',': return type_point();
    case '+': case '-': case '*': case '/': return operator_key(c);
    case '=': return equals_key();
    case 'I': case 'i': return change_sign();
    case 'M': case 'm': memory_prefix_ = true; return Outcome::Handled;
    default: return Outcome::Beep;
  }
}

Calculator::Outcome Calculator::type_digit(char d) {
  if (fresh_ || entry_.recalled) {
    entry_ = Entry{};
    fresh_ = false;
  }
  if (!entry_.point) {
    if (entry_.ints == "0") entry_.ints = std::string(1, d);
    else if (static_cast<int>(entry_.ints.size()) >= kMaxIntDigits) return Outcome::Beep;
    else entry_.ints += d;
  } else {
    if (static_cast<int>(entry_.decs.size()) >= kMaxDecDigits) return Outcome::Beep;
    entry_.decs += d;
  }
  return Outcome::Handled;
}

Calculator::Outcome Calculator::type_point() {
  if (fresh_ || entry_.recalled) {
    entry_ = Entry{};
    fresh_ = false;
  } else if (entry_.point) {
    return Outcome::Beep;
  }
  entry_.point = true;
  decimal_picture_ = true;
  return Outcome::Handled;
}

Calculator::Outcome Calculator::change_sign() {
  if (fresh_) {
    // After "=" the sign of the result changes; after an operator a negative
    // number is being started.
    if (pending_ == 0 && !result_.is_zero()) {
      recall(-result_);
    } else {
      entry_ = Entry{};
      entry_.negative = true;
      fresh_ = false;
    }
  } else if (entry_.recalled) {
    entry_.recalled = -*entry_.recalled;
  } else {
    entry_.negative = !entry_.negative;
  }
  return Outcome::Handled;
}

void Calculator::recall(const Decimal& v) {
  entry_ = Entry{};
  entry_.recalled = v;
  fresh_ = false;
  if (has_fraction(v)) decimal_picture_ = true;
}

bool Calculator::apply(char op, const Decimal& number) {
  auto r = CALCULATE(result_, number, op);
  if (!r) {
    error_ = true;
    result_ = limit();  // shows as overflow
    return false;
  }
  result_ = *r;
  if (op == '/' || has_fraction(result_)) decimal_picture_ = true;
  return true;
}

Calculator::Outcome Calculator::operator_key(char op) {
  shown_op_ = op;
  // A second operator with no number between takes the place of the first.
  if (fresh_ && pending_ != 0) {
    pending_ = op;
    return Outcome::Handled;
  }
  const Decimal number = shown();
  bool ok = true;
  if (pending_ == 0) result_ = number;
  else ok = apply(pending_, number);
  pending_ = ok ? op : 0;
  fresh_ = true;
  return ok ? Outcome::Handled : Outcome::Beep;
}

Calculator::Outcome Calculator::equals_key() {
  bool ok = true;
  if (pending_ != 0) {
    if (!fresh_) ok = apply(pending_, entry_.value());
  } else if (!fresh_) {
    result_ = entry_.value();
  }
  pending_ = 0;
  shown_op_ = '=';
  fresh_ = true;
  return ok ? Outcome::Handled : Outcome::Beep;
}

Calculator::Outcome Calculator::memory_key(Key key) {
  memory_prefix_ = false;
  if (!key.is_char()) return Outcome::Handled;
  switch (key.byte()) {
    case '+':
    case '-': {
      Decimal m = key.byte() == '+' ? memory_ + shown() : memory_ - shown();
      if (abs_of(m) >= limit()) return Outcome::Beep;
      memory_ = m;
      break;
    }
    case 'R': case 'r': recall(memory_); break;
    case 'C': case 'c': memory_ = Decimal{}; break;
    default: break;
  }
  return Outcome::Handled;
}

Calculator::Outcome Calculator::leave(bool hand_back) {
  // Ctrl+Enter finishes a pending calculation as "=" would, then hands back.
  if (hand_back && !error_) equals_key();
  finished_ = true;
  if (hand_back && !error_) handed_back_ = result_;
  return Outcome::Leave;
}

void Calculator::clear_all() {
  result_ = Decimal{};
  entry_ = Entry{};
  fresh_ = true;
  pending_ = 0;
  shown_op_ = 0;
  decimal_picture_ = false;
  error_ = false;
  memory_prefix_ = false;
}

// --- the window ----------------------------------------------------------------------

namespace {

constexpr int kWindowRows = 14;
constexpr int kWindowCols = 26;
constexpr int kMaxTop = 11;
constexpr int kMaxLeft = 48;

// Window text switches: 1 = text colour, 2 = frame colour.
constexpr char kText = '\x01';
constexpr char kFrame = '\x02';

// A line across the window: corner, the five key cells' widths of horizontal line with
// `junction` between them (or none), corner.
std::string rule(std::string_view left, std::string_view junction, std::string_view right) {
  static constexpr int kCells[] = {3, 3, 3, 3, 8};
  std::string s(1, kFrame);
  s += left;
  for (size_t i = 0; i < std::size(kCells); ++i) {
    if (i > 0) s += junction.empty() ? "─"_cp : junction;
    s.append(static_cast<size_t>(kCells[i]), "─"_cp[0]);
  }
  s += right;
  return s;
}

std::string keys_row(std::initializer_list<std::string_view> legends) {
  std::string s;
  for (std::string_view legend : legends) {
    s += kFrame;
    s += "│"_cp;
    s += kText;
    s += legend;
  }
  s += kFrame;
  s += "│"_cp;
  return s;
}

std::string blank_row() {
  std::string s(1, kFrame);
  s += "│"_cp;
  s += kText;
  s += std::string(kWindowCols - 2, ' ');
  s += kFrame;
  s += "│"_cp;
  return s;
}

// The calculator's face, 14 lines of 26 cells; the display (row 2) is written over it.
std::string calculator_face() {
  std::string backspace = "  <";  // control glyphs never reach the screen: an ASCII head
  backspace += "──"_cp;
  backspace += "   ";
  std::string s;
  s += rule("┌"_cp, "", "┐"_cp);
  s += blank_row();
  s += blank_row();
  s += rule("├"_cp, "┬"_cp, "┤"_cp);
  s += keys_row({"Mr ", "Mc ", "M- ", "M+ ", " ^Enter "});
  s += rule("├"_cp, "┼"_cp, "┤"_cp);
  s += keys_row({" 7 ", " 8 ", " 9 ", " * ", "  ESC   "});
  s += rule("├"_cp, "┼"_cp, "┤"_cp);
  s += keys_row({" 4 ", " 5 ", " 6 ", " + ", backspace});
  s += rule("├"_cp, "┼"_cp, "┤"_cp);
  s += keys_row({" 1 ", " 2 ", " 3 ", " - ", "(C)lear "});
  s += rule("├"_cp, "┼"_cp, "┤"_cp);
  s += keys_row({" 0 ", " . ", " = ", " / ", " I +/-  "});
  s += rule("└"_cp, "┴"_cp, "┘"_cp);
  return s;
}

void show_display(screen::Ui& ui, int window, const Calculator& calc) {
  screen::ESCRLCOL(ui, window, 2, 2, calc.display_row());
}

// DISP_CALC: defines and opens the window at (top, left) and draws the calculator.
void DISP_CALC(screen::Ui& ui, int window, int top, int left) {
  const int text_colour = ui.colours.COR_TEL1;
  screen::DEFINEJAN(ui, window, text_colour, ui.colours.COR_TEL2, text_colour, top, left, top + kWindowRows - 1,
                    left + kWindowCols - 1, 0);
  screen::ABREJAN(ui, window);
  screen::ESCRJAN(ui, window, calculator_face());
}

// MOV_CALC: one step in the arrow's direction; the kept position follows.
void MOV_CALC(screen::Ui& ui, int window, Key key, CalcPosition& position, const Calculator& calc) {
  if (key == Key(Key::Up) || key == Key(Key::Down)) screen::MOVEVER(ui, window, key);
  else screen::MOVEHOR(ui, window, key);
  const screen::TextWindow& w = ui.windows.at(window);
  position.top = w.top;
  position.left = w.left;
  // The toolkit redraws the plain text; the face's colours and the display come back here.
  screen::ESCRJAN(ui, window, calculator_face());
  show_display(ui, window, calc);
}

}  // namespace

std::optional<Decimal> CALCULADORA(screen::Ui& ui, CalcPosition& position, int window) {
  position.top = std::clamp(position.top, 0, kMaxTop);
  position.left = std::clamp(position.left, 0, kMaxLeft);

  Calculator calc;
  ui.con.cursor_on(false);
  DISP_CALC(ui, window, position.top, position.left);
  show_display(ui, window, calc);

  for (;;) {
    const Key key = ui.con.wait_key();
    const Calculator::Outcome outcome = calc.feed(key);
    if (outcome == Calculator::Outcome::Leave) {
      // Ctrl+Enter that hands nothing back (a division error) is told with a beep.
      if (key == Key(Key::Enter | Key::Ctrl) && !calc.handed_back()) screen::BEEP_ERRO(ui);
      break;
    }
    switch (outcome) {
      case Calculator::Outcome::Beep: screen::BEEP_ERRO(ui); break;
      case Calculator::Outcome::Move: MOV_CALC(ui, window, key, position, calc); break;
      default: break;
    }
    show_display(ui, window, calc);
  }

  screen::FECHAJAN(ui, window);
  ui.con.cursor_on(true);
  return calc.handed_back();
}

std::optional<Decimal> CALCULADORA(screen::Ui& ui, int window, int top, int left) {
  CalcPosition position{top, left};
  return CALCULADORA(ui, position, window);
}

}  // namespace vormel::office
