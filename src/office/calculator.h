// The four-function calculator with one memory. Calculator is the machine the keys go
// into (no drawing, so it can be tested on its own); CALCULADORA shows it in a text
// window over the current screen and runs it until it is left.
#pragma once
#include <optional>
#include <string>

#include "core/decimal.h"
#include "core/keys.h"
#include "screen/ui.h"

namespace vormel::office {

// CALCULATE: result op number, '+', '-', '*' or '/'. Divisions keep 8 decimals, products
// are rounded to 8. nullopt for a division by zero and for a result too large to hold
// (1E22 or more).
std::optional<core::Decimal> CALCULATE(const core::Decimal& result, const core::Decimal& number, char op);

class Calculator {
 public:
  enum class Outcome {
    Handled,  // the key did its work (the display may have changed)
    Beep,     // refused, or a division by zero: the caller beeps
    Move,     // an arrow key: the caller moves the window
    Ignored,  // accepted and does nothing (Ctrl+Left, Ctrl+Right, Home, End)
    Leave,    // Esc, X or Ctrl+Enter: the calculator is over
  };

  static constexpr const char* kWholePicture = "@Ez 99,999,999,999";
  static constexpr const char* kDecimalPicture = "@Ez 99,999,999,999.9999";

  Outcome feed(core::Key key);

  bool finished() const { return finished_; }
  // What Ctrl+Enter hands back: the result, when there was no division error.
  std::optional<core::Decimal> handed_back() const { return handed_back_; }

  const core::Decimal& result() const { return result_; }  // RESULT
  const core::Decimal& memory() const { return memory_; }  // MEMO
  bool NOERR() const { return !error_; }
  const char* picture() const { return decimal_picture_ ? kDecimalPicture : kWholePicture; }  // PIC_USU
  // The value the display shows (the entry being typed, or else the result).
  core::Decimal shown() const;

  // The display row between the window's side lines (24 cells, window columns 2 to 25):
  // the memory mark at the first cell, the number from the fourth through the picture,
  // the operator at the last (CP850, "÷" for a division).
  std::string display_row() const;
  // The number as the display shows it, without the blanks around.
  std::string number_text() const;

 private:
  // The number being typed (NUM). A recalled value (memory, or the result after "=")
  // is taken whole; the next digit starts a new entry.
  struct Entry {
    bool negative = false;
    std::string ints = "0";
    std::string decs;
    bool point = false;
    std::optional<core::Decimal> recalled;
    core::Decimal value() const;
  };

  Outcome type_digit(char d);
  Outcome type_point();
  Outcome change_sign();
  Outcome operator_key(char op);
  Outcome equals_key();
  Outcome memory_key(core::Key key);
  Outcome leave(bool hand_back);
  void clear_all();
  bool apply(char op, const core::Decimal& number);
  void recall(const core::Decimal& v);

  core::Decimal result_;
  core::Decimal memory_;
  Entry entry_;
  bool fresh_ = true;      // nothing typed since the last operator, "=" or "C"
  char pending_ = 0;       // the operator waiting for its second number (OP_OLD)
  char shown_op_ = 0;      // the operator on the display (OP)
  bool decimal_picture_ = false;
  bool error_ = false;
  bool memory_prefix_ = false;  // "M" was pressed: the next key is + - R C
  bool finished_ = false;
  std::optional<core::Decimal> handed_back_;
};

// LCAL/CCAL: where the calculator window opens; it follows the window's moves. The
// application keeps one for the whole run.
struct CalcPosition {
  int top = 11;
  int left = 11;
};

// CALCULADORA: the calculator in window `window` (14 rows × 26 columns) at the kept
// position (top at most 11, left at most 48). Gives the result when left with
// Ctrl+Enter without a division error, nullopt otherwise. The screen under it is
// restored and the cursor switched on when it is left.
std::optional<core::Decimal> CALCULADORA(screen::Ui& ui, CalcPosition& position, int window = 9);
std::optional<core::Decimal> CALCULADORA(screen::Ui& ui, int window = 9, int top = 11, int left = 11);

}  // namespace vormel::office
