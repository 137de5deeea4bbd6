// Pictures: the display and input templates of every field, on screen and on paper.
// "@Ez 999,999,999.99": after "@" come function letters (either case) up to a blank,
// then the template.
//   E  comma as decimal mark, point as thousands separator     Z  blank when zero
//   R  the template's other characters are shown, not stored   !  letters upper case
//   Sn edited in a window n wide that scrolls                   D  a date
//   K  cleared when the first key typed is not a movement key
// Template characters: 9 digit (and sign of a number), # digit, sign or blank,
// ! any character in upper case, A letter, N letter or digit, X any character,
// L/Y logical, "." decimal point, "," thousands separator shown only between digits.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/keys.h"
#include "core/value.h"

namespace vormel::core {

struct Picture {
  bool comma_decimal = false;  // E
  bool blank_zero = false;     // Z
  bool literal_display = false;  // R
  bool upper = false;          // !
  int scroll_width = 0;        // S n (0 = no scrolling window)
  bool date = false;           // D
  bool clear_on_type = false;  // K
  std::string mask;            // the template, possibly empty

  static Picture parse(std::string_view picture);
};

// TRANSFORM: the value shown through the picture (CP850 text). A number too wide for its
// template shows asterisks, as on screen and paper there is nowhere else to put it.
std::string TRANSFORM(const Value& value, std::string_view picture);

// STR(n, width, decimals): right-aligned, rounded half up; asterisks when it does not fit.
std::string STR(const Decimal& n, int width = 10, int decimals = 0);

// The state of one field being edited: its text as shown, the cursor, insert mode.
// A pure model: the screen draws display() at the field's place and sends it keys.
class EditBuffer {
 public:
  // `width` is the stored width of a text field or the display width of a number
  // (0 = from the template or the value); `decimals` the decimals of a number field.
  EditBuffer(const Value& initial, std::string_view picture, int width = 0, int decimals = 0);

  enum class Outcome {
    Handled,    // the key changed the buffer or the cursor
    Rejected,   // the key is not allowed here (the caller beeps)
    NotMine,    // the key is not an editing key (Enter, Esc, Tab, Up, Down, …)
  };
  Outcome handle(Key key);

  // The text shown in the field: the visible window of a scrolling field.
  std::string display() const;
  int display_width() const;
  int cursor() const;  // column inside display()
  bool insert_mode() const { return insert_; }
  bool changed() const { return changed_; }

  // The value typed so far; nullopt when it is not a valid value (an impossible date).
  std::optional<Value> value() const;
  // Puts a value in (paste, calculator): text is cut or padded to the width.
  void set_value(const Value& v);
  // The field's text as the clipboard gets it (copy).
  std::string clipboard_text() const;

 private:
  enum class Kind { Text, Number, Date, Logical };

  void load(const Value& v);
  Outcome handle_text_key(Key key);
  Outcome handle_number_key(Key key);
  Outcome handle_logical_key(Key key);
  Outcome type_char(unsigned char c);
  void clear_cells();
  int first_cell() const;
  int last_cell() const;
  int next_cell(int i) const;  // -1 when none
  int prev_cell(int i) const;  // -1 when none
  int end_cell() const;
  void delete_at(int i);
  void word_left();
  void word_right();
  void keep_cursor_visible();
  std::string text_value() const;
  std::optional<Date> date_value() const;
  Decimal number_value() const;

  Kind kind_ = Kind::Text;
  Picture pic_;
  int width_ = 0;      // text: stored width
  int decimals_ = 0;   // number: decimals of the value handed back
  // mask_: the template the field is shown through. Text and date fields keep one cell
  // per displayed column: slots_ holds the template character that governs each cell,
  // or '\0' for a literal shown but never typed.
  std::string mask_;
  std::string slots_;
  std::string buffer_;
  std::string tail_;   // stored characters beyond the template, kept untouched
  int pos_ = 0;
  int offset_ = 0;
  bool past_end_ = false;  // the last cell was just typed: the field is full
  bool insert_ = false;
  bool changed_ = false;
  bool first_key_ = true;
  // Number fields: the entry as typed, calculator style.
  int entry_decimals_ = 0;
  bool in_decimals_ = false;
  bool negative_ = false;
  std::string int_digits_;
  std::string dec_digits_;
  // Logical fields.
  bool logical_ = false;
};

}  // namespace vormel::core
