// Pictures: parsing, TRANSFORM, STR and the field editor's model.
#include "core/picture.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "core/cp850.h"
#include "core/text.h"

namespace vormel::core {
namespace {

bool is_function_letter(char upper_c) {
  switch (upper_c) {
    case 'E': case 'Z': case 'R': case '!': case 'S': case 'D': case 'K':
    case 'Y': case 'B': case 'C': case 'X': case 'A':
      return true;
    default:
      return false;
  }
}

bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }

// Template characters of a text field that take a character of the value.
bool is_text_slot(char m) {
  switch (m) {
    case '9': case '#': case '!': case 'A': case 'N': case 'X': case 'L': case 'Y':
      return true;
    default:
      return false;
  }
}

bool is_digit_slot(char m) { return m == '9' || m == '#'; }

// Where the integer digits, the decimal point and the decimals of a number template are.
struct NumberShape {
  int point = -1;          // column of ".", -1 when the template has none
  int decimals = 0;        // digit positions after the point
  int int_positions = 0;   // digit positions before it
  int units_col = -1;      // column of the units digit
};

NumberShape shape_of(std::string_view mask) {
  NumberShape s;
  auto dot = mask.find('.');
  s.point = dot == std::string_view::npos ? -1 : static_cast<int>(dot);
  for (int i = 0; i < static_cast<int>(mask.size()); ++i) {
    if (!is_digit_slot(mask[i])) continue;
    if (s.point < 0 || i < s.point) {
      ++s.int_positions;
      s.units_col = i;
    } else {
      ++s.decimals;
    }
  }
  return s;
}

// The template STR would use: `int_positions` digits, then the decimals.
std::string plain_number_mask(int int_positions, int decimals) {
  std::string m(static_cast<size_t>(int_positions), '9');
  if (decimals > 0) m += "." + std::string(static_cast<size_t>(decimals), '9');
  return m;
}

std::string rep_digits(Decimal::Rep u) {  // u >= 0
  if (u == 0) return "0";
  std::string s;
  while (u > 0) {
    s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(u % 10)));
    u /= 10;
  }
  return s;
}

// Integer and decimal digits of |n| with exactly `decimals` decimals, rounded half up.
struct SplitNumber {
  bool negative = false;
  bool zero = true;
  std::string int_part;  // "0" for a zero integer part
  std::string frac;
};

SplitNumber split(const Decimal& n, int decimals) {
  Decimal::Rep u = n.rescaled(decimals, Rounding::HalfUp).units();
  SplitNumber s;
  s.negative = u < 0;
  s.zero = u == 0;
  if (s.negative) u = -u;
  std::string digits = rep_digits(u);
  if (static_cast<int>(digits.size()) < decimals + 1)
    digits.insert(0, static_cast<size_t>(decimals + 1) - digits.size(), '0');
  s.int_part = digits.substr(0, digits.size() - static_cast<size_t>(decimals));
  s.frac = digits.substr(digits.size() - static_cast<size_t>(decimals));
  return s;
}

// A number shown through a number template; nullopt when it does not fit.
std::optional<std::string> format_number(const Decimal& n, std::string_view mask,
                                         bool comma_decimal, bool blank_zero) {
  NumberShape sh = shape_of(mask);
  SplitNumber v = split(n, sh.decimals);
  if (v.zero && blank_zero) return std::string(mask.size(), ' ');
  if (v.int_part == "0" && sh.int_positions == 0) v.int_part.clear();

  std::string out(mask);
  int int_end = sh.point < 0 ? static_cast<int>(mask.size()) : sh.point;
  int left = static_cast<int>(v.int_part.size());  // integer digits still to place
  int leftmost = -1;
  for (int i = int_end - 1; i >= 0; --i) {
    if (is_digit_slot(mask[i])) {
      if (left > 0) {
        out[i] = v.int_part[--left];
        leftmost = i;
      } else {
        out[i] = ' ';
      }
    } else if (mask[i] == ',') {
      out[i] = left > 0 ? ',' : ' ';  // a separator needs a digit on its left
    }
  }
  if (left > 0) return std::nullopt;

  if (v.negative) {
    int j = leftmost - 1;
    bool free = leftmost > 0 && out[j] == ' ' && (is_digit_slot(mask[j]) || mask[j] == ',');
    if (!free) return std::nullopt;
    out[j] = '-';
  }

  if (sh.point >= 0) {
    size_t k = 0;
    for (size_t i = static_cast<size_t>(sh.point) + 1; i < mask.size(); ++i)
      if (is_digit_slot(mask[i])) out[i] = v.frac[k++];
  }

  if (comma_decimal) {
    for (char& c : out) {
      if (c == '.') c = ',';
      else if (c == ',') c = '.';
    }
  }
  return out;
}

std::string number_or_stars(const Decimal& n, std::string_view mask, const Picture& p) {
  auto shown = format_number(n, mask, p.comma_decimal, p.blank_zero);
  return shown ? *shown : std::string(mask.size(), '*');
}

std::string transform_number(const Decimal& n, const Picture& p) {
  if (!p.mask.empty()) return number_or_stars(n, p.mask, p);
  int decimals = n.scale() > 0 ? n.scale() : 0;
  return number_or_stars(n, plain_number_mask(10, decimals), p);
}

std::string transform_text(std::string_view v, const Picture& p) {
  std::string out;
  if (p.mask.empty()) {
    out = v;
  } else if (p.literal_display) {
    size_t k = 0;
    for (char m : p.mask) {
      if (!is_text_slot(m)) {
        out += m;
        continue;
      }
      char c = k < v.size() ? v[k++] : ' ';
      out += m == '!' ? static_cast<char>(cp850::upper(static_cast<uint8_t>(c))) : c;
    }
  } else {
    for (size_t i = 0; i < p.mask.size(); ++i) {
      char c = i < v.size() ? v[i] : ' ';
      out += p.mask[i] == '!' ? static_cast<char>(cp850::upper(static_cast<uint8_t>(c))) : c;
    }
  }
  if (p.upper) out = cp850::upper(out);
  if (p.scroll_width > 0 && static_cast<int>(out.size()) > p.scroll_width)
    out.resize(static_cast<size_t>(p.scroll_width));
  return out;
}

std::string transform_logical(bool b, const Picture& p) {
  bool tf = !p.mask.empty() && (p.mask[0] == 'L' || p.mask[0] == 'l');
  if (tf) return b ? "T" : "F";
  return b ? "S" : "N";
}

std::optional<bool> logical_of(unsigned char c) {
  switch (c) {
    case 'S': case 's': case 'Y': case 'y': case 'T': case 't': return true;
    case 'N': case 'n': case 'F': case 'f': return false;
    default: return std::nullopt;
  }
}

constexpr std::string_view kDateMask = "99/99/9999";

}  // namespace

Picture Picture::parse(std::string_view picture) {
  Picture p;
  if (picture.empty() || picture[0] != '@') {
    p.mask = picture;
    return p;
  }
  size_t i = 1;
  while (i < picture.size()) {
    char c = picture[i];
    if (c == ' ') {  // one blank ends the functions; further blanks belong to the template
      ++i;
      break;
    }
    char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (!is_function_letter(u)) break;  // "@Z99": the template follows at once
    ++i;
    switch (u) {
      case 'E': p.comma_decimal = true; break;
      case 'Z': p.blank_zero = true; break;
      case 'R': p.literal_display = true; break;
      case '!': p.upper = true; break;
      case 'D': p.date = true; break;
      case 'K': p.clear_on_type = true; break;
      case 'S': {
        int n = 0;
        while (i < picture.size() && is_digit(static_cast<unsigned char>(picture[i])))
          n = n * 10 + (picture[i++] - '0');
        p.scroll_width = n;
        break;
      }
      default: break;  // known to the old templates, without effect here
    }
  }
  p.mask = picture.substr(i);
  return p;
}

std::string TRANSFORM(const Value& value, std::string_view picture) {
  Picture p = Picture::parse(picture);
  if (const auto* n = std::get_if<Decimal>(&value)) return transform_number(*n, p);
  if (const auto* s = std::get_if<std::string>(&value)) return transform_text(*s, p);
  if (const auto* d = std::get_if<Date>(&value)) return DTOC(*d);
  return transform_logical(std::get<bool>(value), p);
}

std::string STR(const Decimal& n, int width, int decimals) {
  if (width <= 0) return "";
  if (decimals < 0) decimals = 0;
  SplitNumber v = split(n, decimals);
  std::string s = (v.negative ? "-" : "") + v.int_part;
  if (decimals > 0) s += "." + v.frac;
  if (static_cast<int>(s.size()) > width) return std::string(static_cast<size_t>(width), '*');
  return pad_left(s, static_cast<size_t>(width));
}

// ---------------------------------------------------------------------------------------
// EditBuffer

EditBuffer::EditBuffer(const Value& initial, std::string_view picture, int width, int decimals)
    : pic_(Picture::parse(picture)), width_(width), decimals_(decimals) {
  if (is_number(initial)) kind_ = Kind::Number;
  else if (is_date(initial)) kind_ = Kind::Date;
  else if (is_logical(initial)) kind_ = Kind::Logical;
  else kind_ = Kind::Text;

  switch (kind_) {
    case Kind::Text: {
      const std::string& s = std::get<std::string>(initial);
      if (width_ <= 0) width_ = static_cast<int>(s.size());
      const std::string& m = pic_.mask;
      if (m.empty()) {
        mask_.assign(static_cast<size_t>(width_), 'X');
        slots_ = mask_;
      } else if (pic_.literal_display) {
        int editable = 0;
        for (char c : m) editable += is_text_slot(c) ? 1 : 0;
        if (width_ <= 0) width_ = editable;
        int taken = 0;
        for (char c : m) {
          if (taken == width_ && is_text_slot(c)) break;
          mask_ += c;
          slots_ += is_text_slot(c) ? c : '\0';
          taken += is_text_slot(c) ? 1 : 0;
        }
      } else {
        if (width_ <= 0) width_ = static_cast<int>(m.size());
        mask_ = m.substr(0, std::min(m.size(), static_cast<size_t>(width_)));
        for (char c : mask_) slots_ += is_text_slot(c) ? c : 'X';
      }
      break;
    }
    case Kind::Date:
      mask_ = kDateMask;
      for (char c : mask_) slots_ += c == '9' ? '9' : '\0';
      break;
    case Kind::Number: {
      const Decimal& n = std::get<Decimal>(initial);
      if (!pic_.mask.empty()) {
        mask_ = pic_.mask;
        entry_decimals_ = shape_of(mask_).decimals;
      } else {
        entry_decimals_ = decimals > 0 ? decimals : std::max(0, n.scale());
        int frac_width = entry_decimals_ > 0 ? entry_decimals_ + 1 : 0;
        int int_positions = width > 0 ? std::max(1, width - frac_width) : 10;
        mask_ = plain_number_mask(int_positions, entry_decimals_);
      }
      if (decimals_ <= 0) decimals_ = entry_decimals_;
      break;
    }
    case Kind::Logical:
      break;
  }
  load(initial);
}

void EditBuffer::load(const Value& v) {
  pos_ = 0;
  offset_ = 0;
  past_end_ = false;
  switch (kind_) {
    case Kind::Text: {
      std::string s = pad_right(std::get<std::string>(v), static_cast<size_t>(width_));
      buffer_.assign(mask_.size(), ' ');
      size_t k = 0;
      for (size_t i = 0; i < mask_.size(); ++i) {
        char slot = slots_[i];
        if (slot == '\0') {
          buffer_[i] = mask_[i];
          continue;
        }
        char c = pic_.literal_display ? (k < s.size() ? s[k++] : ' ') : (i < s.size() ? s[i] : ' ');
        if (slot == '!' || slot == 'L' || slot == 'Y' || pic_.upper)
          c = static_cast<char>(cp850::upper(static_cast<uint8_t>(c)));
        buffer_[i] = c;
      }
      size_t consumed = pic_.literal_display ? k : std::min(mask_.size(), s.size());
      tail_ = s.substr(std::min(consumed, s.size()));
      int first = first_cell();
      pos_ = first < 0 ? 0 : first;
      break;
    }
    case Kind::Date:
      buffer_ = DTOC(std::get<Date>(v));
      break;
    case Kind::Number: {
      SplitNumber n = split(std::get<Decimal>(v), entry_decimals_);
      negative_ = n.negative;
      size_t nz = n.int_part.find_first_not_of('0');
      int_digits_ = nz == std::string::npos ? "" : n.int_part.substr(nz);
      size_t last = n.frac.find_last_not_of('0');
      dec_digits_ = last == std::string::npos ? "" : n.frac.substr(0, last + 1);
      in_decimals_ = !dec_digits_.empty();
      break;
    }
    case Kind::Logical:
      logical_ = std::get<bool>(v);
      break;
  }
}

// --- cells of text and date fields -------------------------------------------------------

int EditBuffer::first_cell() const { return next_cell(-1); }

int EditBuffer::last_cell() const { return prev_cell(static_cast<int>(slots_.size())); }

int EditBuffer::next_cell(int i) const {
  for (int j = i + 1; j < static_cast<int>(slots_.size()); ++j)
    if (slots_[j] != '\0') return j;
  return -1;
}

int EditBuffer::prev_cell(int i) const {
  for (int j = i - 1; j >= 0; --j)
    if (slots_[j] != '\0') return j;
  return -1;
}

// Where End puts the cursor: after the last character typed.
int EditBuffer::end_cell() const {
  int last_used = -1;
  for (int j = 0; j < static_cast<int>(slots_.size()); ++j)
    if (slots_[j] != '\0' && buffer_[j] != ' ') last_used = j;
  if (last_used < 0) return first_cell();
  int after = next_cell(last_used);
  return after < 0 ? last_used : after;
}

void EditBuffer::clear_cells() {
  for (size_t i = 0; i < slots_.size(); ++i)
    if (slots_[i] != '\0') buffer_[i] = ' ';
  tail_.assign(tail_.size(), ' ');
}

// Text closes the gap (the cells right of i move left); a date just blanks the digit,
// since its day, month and year must stay in their places.
void EditBuffer::delete_at(int i) {
  if (kind_ == Kind::Date) {
    buffer_[i] = ' ';
    return;
  }
  int j = i;
  for (int n = next_cell(j); n >= 0; j = n, n = next_cell(n)) buffer_[j] = buffer_[n];
  buffer_[j] = ' ';
}

void EditBuffer::word_left() {
  auto word = [&](int j) { return slots_[j] != '\0' && buffer_[j] != ' '; };
  int j = pos_ - 1;
  while (j >= 0 && !word(j)) --j;
  while (j >= 0 && word(j)) --j;
  pos_ = j + 1;
  if (slots_[pos_] == '\0') pos_ = next_cell(pos_);
  if (pos_ < 0) pos_ = first_cell();
}

void EditBuffer::word_right() {
  auto word = [&](int j) { return slots_[j] != '\0' && buffer_[j] != ' '; };
  int size = static_cast<int>(slots_.size());
  int j = pos_;
  while (j < size && word(j)) ++j;
  while (j < size && !word(j)) ++j;
  pos_ = j < size ? j : end_cell();
}

void EditBuffer::keep_cursor_visible() {
  int n = pic_.scroll_width;
  if (kind_ != Kind::Text || n <= 0 || n >= static_cast<int>(buffer_.size())) {
    offset_ = 0;
    return;
  }
  if (pos_ < offset_) offset_ = pos_;
  if (pos_ >= offset_ + n) offset_ = pos_ - n + 1;
}

EditBuffer::Outcome EditBuffer::type_char(unsigned char c) {
  if (first_cell() < 0 || past_end_) return Outcome::Rejected;
  bool clear = first_key_ && (kind_ == Kind::Date || pic_.clear_on_type);
  int at = clear ? first_cell() : pos_;

  char slot = slots_[at];
  bool ok = false;
  switch (slot) {
    case '9': ok = is_digit(c); break;
    case '#': ok = is_digit(c) || c == '+' || c == '-' || c == ' '; break;
    case 'A': ok = cp850::is_letter(c); break;
    case 'N': ok = cp850::is_letter(c) || is_digit(c); break;
    case 'L': case 'Y': ok = logical_of(c).has_value(); break;
    default: ok = true; break;  // X, ! and fields without a template
  }
  if (!ok) return Outcome::Rejected;
  if (slot == '!' || slot == 'L' || slot == 'Y' || pic_.upper) c = cp850::upper(c);

  std::string before = buffer_ + tail_;
  if (clear) clear_cells();
  first_key_ = false;
  pos_ = at;
  if (insert_ && kind_ == Kind::Text) {
    int j = last_cell();
    for (int p = prev_cell(j); j > pos_; j = p, p = prev_cell(p)) buffer_[j] = buffer_[p];
  }
  buffer_[pos_] = static_cast<char>(c);
  int next = next_cell(pos_);
  if (next >= 0) pos_ = next;
  else past_end_ = true;

  if (buffer_ + tail_ != before) changed_ = true;
  keep_cursor_visible();
  return Outcome::Handled;
}

EditBuffer::Outcome EditBuffer::handle_text_key(Key key) {
  if (key.is_char()) return type_char(key.byte());
  bool has_cells = first_cell() >= 0;
  std::string before = buffer_ + tail_;
  switch (key.code) {
    case Key::Left:
      // From past the end too: the cursor is drawn on the last cell, so it moves left.
      past_end_ = false;
      if (has_cells) {
        int p = prev_cell(pos_);
        if (p >= 0) pos_ = p;
      }
      break;
    case Key::Right:
      if (has_cells && !past_end_) {
        int n = next_cell(pos_);
        if (n >= 0) pos_ = n;
      }
      break;
    case Key::Home:
      past_end_ = false;
      if (has_cells) pos_ = first_cell();
      break;
    case Key::End:
      if (has_cells) {
        pos_ = end_cell();
        // A field filled to its last cell: the cursor goes past it, as after typing.
        past_end_ = next_cell(pos_) < 0 && buffer_[pos_] != ' ';
      }
      break;
    case Key::Ctrl | Key::Left:
      past_end_ = false;
      if (has_cells) word_left();
      break;
    case Key::Ctrl | Key::Right:
      if (has_cells) {
        past_end_ = false;
        word_right();
      }
      break;
    case Key::Backspace:
      if (!has_cells) return Outcome::Rejected;
      if (past_end_) {
        past_end_ = false;
      } else {
        int p = prev_cell(pos_);
        if (p < 0) return Outcome::Rejected;
        pos_ = p;
      }
      delete_at(pos_);
      break;
    case Key::Del:
      if (!has_cells) return Outcome::Rejected;
      past_end_ = false;
      delete_at(pos_);
      break;
    case Key::Ins:
      insert_ = !insert_;
      return Outcome::Handled;
    default:
      return Outcome::NotMine;
  }
  first_key_ = false;
  if (buffer_ + tail_ != before) changed_ = true;
  keep_cursor_visible();
  return Outcome::Handled;
}

// --- number fields ---------------------------------------------------------------------

EditBuffer::Outcome EditBuffer::handle_number_key(Key key) {
  struct Entry {
    std::string int_digits, dec_digits;
    bool in_decimals = false, negative = false;
  };
  Entry e{int_digits_, dec_digits_, in_decimals_, negative_};
  Decimal before = number_value();

  if (key.is_char()) {
    unsigned char c = key.byte();
    char decimal_key = pic_.comma_decimal ? ',' : '.';
    char separator_key = pic_.comma_decimal ? '.' : ',';
    if (c == separator_key) return Outcome::Handled;  // thousands separator typed by habit
    if (!is_digit(c) && c != decimal_key && c != '-' && c != '+') return Outcome::Rejected;
    if (first_key_) e = Entry{};

    if (is_digit(c)) {
      if (e.in_decimals) {
        if (static_cast<int>(e.dec_digits.size()) >= entry_decimals_) return Outcome::Rejected;
        e.dec_digits += static_cast<char>(c);
      } else if (!(e.int_digits.empty() && c == '0')) {
        e.int_digits += static_cast<char>(c);
      }
    } else if (c == decimal_key) {
      if (entry_decimals_ == 0 || e.in_decimals) return Outcome::Rejected;
      e.in_decimals = true;
    } else {
      e.negative = c == '-' ? !e.negative : false;
    }

    // Refuse what the template cannot show.
    std::string candidate = e.int_digits + e.dec_digits;
    Decimal::Rep units = 0;
    if (candidate.size() > 30) return Outcome::Rejected;
    for (char d : candidate) units = units * 10 + (d - '0');
    Decimal n = Decimal::from_units(e.negative ? -units : units, static_cast<int>(e.dec_digits.size()));
    if (!format_number(n, mask_, pic_.comma_decimal, false)) return Outcome::Rejected;
  } else {
    switch (key.code) {
      case Key::Backspace:
        if (e.in_decimals && !e.dec_digits.empty()) {
          e.dec_digits.pop_back();
        } else if (e.in_decimals) {
          e.in_decimals = false;
          if (!e.int_digits.empty()) e.int_digits.pop_back();
        } else if (!e.int_digits.empty()) {
          e.int_digits.pop_back();
        } else if (e.negative) {
          e.negative = false;
        } else {
          first_key_ = false;
          return Outcome::Rejected;
        }
        break;
      case Key::Del:
        e = Entry{};
        break;
      case Key::Left: case Key::Right: case Key::Home: case Key::End:
      case Key::Ctrl | Key::Left: case Key::Ctrl | Key::Right:
        break;  // the entry keeps its value; further digits are added to it
      case Key::Ins:
        insert_ = !insert_;
        return Outcome::Handled;
      default:
        return Outcome::NotMine;
    }
  }
  first_key_ = false;
  int_digits_ = e.int_digits;
  dec_digits_ = e.dec_digits;
  in_decimals_ = e.in_decimals;
  negative_ = e.negative;
  if (!(number_value() == before)) changed_ = true;
  return Outcome::Handled;
}

Decimal EditBuffer::number_value() const {
  Decimal::Rep units = 0;
  for (char d : int_digits_ + dec_digits_) units = units * 10 + (d - '0');
  return Decimal::from_units(negative_ ? -units : units, static_cast<int>(dec_digits_.size()));
}

// --- logical fields --------------------------------------------------------------------

EditBuffer::Outcome EditBuffer::handle_logical_key(Key key) {
  if (key.is_char()) {
    auto b = logical_of(key.byte());
    if (!b) return Outcome::Rejected;
    if (*b != logical_) changed_ = true;
    logical_ = *b;
    first_key_ = false;
    return Outcome::Handled;
  }
  switch (key.code) {
    case Key::Left: case Key::Right: case Key::Home: case Key::End:
    case Key::Backspace: case Key::Del:
      first_key_ = false;
      return Outcome::Handled;
    case Key::Ins:
      insert_ = !insert_;
      return Outcome::Handled;
    default:
      return Outcome::NotMine;
  }
}

// --- the public face -------------------------------------------------------------------

EditBuffer::Outcome EditBuffer::handle(Key key) {
  switch (kind_) {
    case Kind::Number: return handle_number_key(key);
    case Kind::Logical: return handle_logical_key(key);
    default: return handle_text_key(key);
  }
}

std::string EditBuffer::display() const {
  switch (kind_) {
    case Kind::Number:
      return number_or_stars(number_value(), mask_, pic_);
    case Kind::Logical:
      return transform_logical(logical_, pic_);
    default:
      return buffer_.substr(static_cast<size_t>(offset_), static_cast<size_t>(display_width()));
  }
}

int EditBuffer::display_width() const {
  switch (kind_) {
    case Kind::Number: return static_cast<int>(mask_.size());
    case Kind::Logical: return 1;
    default: {
      int n = static_cast<int>(buffer_.size());
      if (kind_ == Kind::Text && pic_.scroll_width > 0 && pic_.scroll_width < n)
        return pic_.scroll_width;
      return n;
    }
  }
}

int EditBuffer::cursor() const {
  switch (kind_) {
    case Kind::Logical:
      return 0;
    case Kind::Number: {
      // Just after the last digit typed: in the decimals, or where the point is.
      NumberShape sh = shape_of(mask_);
      int col = sh.units_col + 1;
      if (in_decimals_ && sh.point >= 0) {
        col = sh.point + 1;
        int seen = 0;
        for (int i = sh.point + 1; i < static_cast<int>(mask_.size()); ++i) {
          if (!is_digit_slot(mask_[i])) continue;
          if (seen == static_cast<int>(dec_digits_.size())) break;
          ++seen;
          col = i + 1;
        }
      }
      int last = static_cast<int>(mask_.size()) - 1;
      return std::max(0, std::min(col, last));
    }
    default:
      return pos_ - offset_;
  }
}

std::string EditBuffer::text_value() const {
  std::string s;
  if (pic_.literal_display) {
    for (size_t i = 0; i < slots_.size(); ++i)
      if (slots_[i] != '\0') s += buffer_[i];
  } else {
    s = buffer_;
  }
  return pad_right(s + tail_, static_cast<size_t>(width_));
}

std::optional<Date> EditBuffer::date_value() const {
  bool blank = true;
  for (size_t i = 0; i < slots_.size(); ++i)
    if (slots_[i] != '\0' && buffer_[i] != ' ') blank = false;
  if (blank) return Date();

  auto number = [&](size_t from, size_t len) -> std::optional<std::string> {
    std::string part = trim(std::string_view(buffer_).substr(from, len));
    if (part.empty()) return std::nullopt;
    for (char c : part)
      if (!is_digit(static_cast<unsigned char>(c))) return std::nullopt;
    return part;
  };
  auto day = number(0, 2), month = number(3, 2), year = number(6, 4);
  if (!day || !month || !year) return std::nullopt;
  int y = std::stoi(*year);
  if (year->size() == 2) y += 1900;  // two-digit years are read in the 1900s
  else if (year->size() != 4) return std::nullopt;
  return Date::from_ymd(y, std::stoi(*month), std::stoi(*day));
}

std::optional<Value> EditBuffer::value() const {
  switch (kind_) {
    case Kind::Text:
      return Value(text_value());
    case Kind::Date: {
      auto d = date_value();
      if (!d) return std::nullopt;
      return Value(*d);
    }
    case Kind::Number:
      return Value(number_value().rescaled(decimals_, Rounding::HalfUp));
    case Kind::Logical:
      return Value(logical_);
  }
  return std::nullopt;
}

void EditBuffer::set_value(const Value& v) {
  const auto* text = std::get_if<std::string>(&v);
  switch (kind_) {
    case Kind::Text:
      load(text ? Value(*text) : Value(trim(TRANSFORM(v, ""))));
      break;
    case Kind::Number:
      if (is_number(v)) {
        load(v);
      } else if (text) {
        // Pasted text: "1.234,56" the Brazilian way, or a plain "1234.56".
        std::optional<Decimal> n;
        if (text->find(',') != std::string::npos) n = CAR_TO_VAL(*text);
        else n = Decimal::parse(*text);
        if (!n) return;
        load(*n);
      } else {
        return;
      }
      break;
    case Kind::Date:
      if (is_date(v)) {
        load(v);
      } else if (text) {
        auto d = CTOD(trim(*text));
        if (!d) return;
        load(*d);
      } else {
        return;
      }
      break;
    case Kind::Logical:
      if (is_logical(v)) {
        load(v);
      } else if (text) {
        std::string t = trim(*text);
        auto b = t.empty() ? std::nullopt : logical_of(static_cast<unsigned char>(t[0]));
        if (!b) return;
        load(*b);
      } else {
        return;
      }
      break;
  }
  changed_ = true;
  first_key_ = false;
  keep_cursor_visible();
}

std::string EditBuffer::clipboard_text() const {
  switch (kind_) {
    case Kind::Text:
      return trim(text_value());
    case Kind::Number:
      return trim(display());
    case Kind::Date: {
      auto d = date_value();
      return d ? DTOC(*d) : buffer_;
    }
    case Kind::Logical:
      return logical_ ? "S" : "N";
  }
  return "";
}

}  // namespace vormel::core
