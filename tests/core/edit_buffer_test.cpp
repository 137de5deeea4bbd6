#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/cp850.h"
#include "core/picture.h"

namespace vormel::core {
namespace {

using namespace vormel::core::literals;
using Outcome = EditBuffer::Outcome;

Decimal D(std::string_view s) { return Decimal::parse(s).value(); }
Value T(std::string_view s) { return Value(std::string(s)); }
Value ymd(int y, int m, int d) { return Value(Date::from_ymd(y, m, d).value()); }

// Typed keys: plain characters, or {L} {R} {H} {E} {BS} {DEL} {INS} {ENTER}.
std::vector<Key> keys(std::string_view typed) {
  std::vector<Key> out;
  for (size_t i = 0; i < typed.size(); ++i) {
    if (typed[i] != '{') {
      out.push_back(Key::ch(static_cast<unsigned char>(typed[i])));
      continue;
    }
    size_t close = typed.find('}', i);
    std::string_view name = typed.substr(i + 1, close - i - 1);
    i = close;
    if (name == "L") out.push_back(Key::Left);
    else if (name == "R") out.push_back(Key::Right);
    else if (name == "H") out.push_back(Key::Home);
    else if (name == "E") out.push_back(Key::End);
    else if (name == "BS") out.push_back(Key::Backspace);
    else if (name == "DEL") out.push_back(Key::Del);
    else if (name == "INS") out.push_back(Key::Ins);
    else if (name == "ENTER") out.push_back(Key::Enter);
    else ADD_FAILURE() << "unknown key " << name;
  }
  return out;
}

char letter(Outcome o) {
  switch (o) {
    case Outcome::Handled: return 'H';
    case Outcome::Rejected: return 'R';
    case Outcome::NotMine: return 'N';
  }
  return '?';
}

std::string show(const std::optional<Value>& v) {
  if (!v) return "nullopt";
  if (const auto* s = std::get_if<std::string>(&*v)) return "'" + *s + "'";
  if (const auto* n = std::get_if<Decimal>(&*v)) return n->to_string();
  if (const auto* d = std::get_if<Date>(&*v)) return DTOC(*d);
  return std::get<bool>(*v) ? "true" : "false";
}

struct Scenario {
  std::string name;
  Value initial;
  std::string picture;
  int width, decimals;
  std::string typed;
  std::string outcomes;  // H/R/N per key; empty: every key Handled
  std::string display;
  std::optional<Value> value;
  int cursor = -1;  // -1: not checked
};

TEST(EditBuffer, Scenarios) {
  const std::string cpf = "@R 999.999.999-99";
  const std::vector<Scenario> cases = {
      // Numbers: calculator entry.
      {"comma starts the decimals", Value(D("0")), "@E 999,999.99", 0, 2, "1234,56", "",
       "  1.234,56", Value(D("1234.56")), 9},
      {"point ignored with E", Value(D("99.99")), "@Ez 999,999,999.99", 0, 2, "1.234,5", "",
       "      1.234,50", Value(D("1234.50")), 13},
      {"comma ignored without E", Value(D("0")), "999,999.99", 0, 2, "1,234.5", "",
       "  1,234.50", Value(D("1234.50"))},
      {"too many integer digits", Value(D("0")), "@Z 99", 0, 0, "123", "HHR", "12",
       Value(D("12"))},
      {"too many decimals", Value(D("0")), "@E 999.99", 0, 2, "1,234", "HHHHR", "  1,23",
       Value(D("1.23"))},
      {"no decimals to go to", Value(D("0")), "@Ez 999,999", 0, 0, "5,", "HR", "      5",
       Value(D("5"))},
      {"minus toggles the sign", Value(D("0")), "@E 999,999.99", 0, 2, "-12", "",
       "    -12,00", Value(D("-12.00"))},
      {"letters refused", Value(D("0")), "999", 0, 0, "1x", "HR", "  1", Value(D("1"))},
      {"first character replaces the value", Value(D("500")), "999", 0, 0, "7", "", "  7",
       Value(D("7"))},
      {"movement first keeps the value", Value(D("12")), "999", 0, 0, "{E}3", "", "123",
       Value(D("123"))},
      {"backspace from decimals to integers", Value(D("1234.56")), "@E 999,999.99", 0, 2,
       "{BS}{BS}{BS}", "", "    123,00", Value(D("123.00"))},
      {"del clears the entry", Value(D("55.5")), "@E 999.99", 0, 2, "{DEL}", "", "  0,00",
       Value(D("0.00"))},
      {"field decimals beyond the template", Value(D("0")), "@ez 9999.9", 0, 2, "12,5", "",
       "  12,5", Value(D("12.50"))},
      {"no template: STR width", Value(D("0")), "", 6, 2, "3.25", "", "  3.25",
       Value(D("3.25"))},
      // Text masks.
      {"9 refuses a letter", T(""), cpf, 11, 0, "12a3", "HHRH", "123.   .   -  ",
       T("123        "), 4},
      {"CPF typed through the mask", T(""), cpf, 11, 0, "123456789015", "HHHHHHHHHHHR",
       "123.456.789-01", T("12345678901"), 13},
      {"backspace at the end of a full mask", T("12345678901"), cpf, 11, 0, "{E}{BS}", "",
       "123.456.789-0 ", T("1234567890 ")},
      {"cursor skips literals", T("12345678901"), cpf, 11, 0, "{R}{R}{R}x7", "HHHRH",
       "123.756.789-01", T("12375678901"), 5},
      {"# takes a blank or a sign", T(""), "@R ##99", 4, 0, " -1a2", "HHHRH", " -12",
       T(" -12")},
      {"A and N", T(""), "@R AN", 2, 0, "1aX", "RHH", "aX", T("aX")},
      {"@! upper-cases accented letters", T(""), "@!", 6, 0, std::string("são"_cp), "",
       std::string("SÃO   "_cp),
       T("SÃO   "_cp)},
      {"! position upper-cases", T("  "), "!X", 2, 0, "ab", "", "Ab", T("Ab")},
      {"overwrite", T("abcde"), "", 5, 0, "{R}X", "", "aXcde", T("aXcde")},
      {"insert shifts right and drops the last", T("abcde"), "", 5, 0, "{R}{INS}X", "",
       "aXbcd", T("aXbcd")},
      {"backspace closes the gap", T("abcde"), "", 5, 0, "{R}{R}{BS}", "", "acde ",
       T("acde "), 1},
      {"backspace after the last character", T("abcde"), "", 5, 0, "{E}{BS}", "", "abcd ",
       T("abcd ")},
      {"backspace at the start", T("abc"), "", 3, 0, "{BS}", "R", "abc", T("abc")},
      {"del under the cursor", T("abcde"), "", 5, 0, "{R}{DEL}", "", "acde ", T("acde ")},
      {"full field refuses more", T(""), "", 3, 0, "abcd", "HHHR", "abc", T("abc")},
      {"K clears on the first character", T("old text  "), "@K ", 10, 0, "n", "",
       "n         ", T("n         ")},
      {"without K the first character overwrites", T("old text  "), "", 10, 0, "n", "",
       "nld text  ", T("nld text  ")},
      {"K after a movement key", T("old text  "), "@K ", 10, 0, "{R}x", "", "oxd text  ",
       T("oxd text  ")},
      {"not editing keys", T("abc"), "", 3, 0, "{ENTER}", "N", "abc", T("abc")},
      {"text longer than the mask keeps its tail", T("81xyz"), "99", 5, 0, "7", "", "71",
       T("71xyz")},
      // Scrolling window.
      {"@S10 scrolls with the cursor", T(std::string(40, ' ')), "@S10", 40, 0, "abcdefghijkl",
       "", "defghijkl ", T("abcdefghijkl" + std::string(28, ' ')), 9},
      {"@S10 back home", T(std::string(40, ' ')), "@S10", 40, 0, "abcdefghijkl{H}", "",
       "abcdefghij", T("abcdefghijkl" + std::string(28, ' ')), 0},
      // Dates.
      {"date with four-digit year", Value(Date()), "@D", 0, 0, "01022015", "", "01/02/2015",
       ymd(2015, 2, 1), 9},
      {"two-digit year is in the 1900s", ymd(2014, 5, 5), "@D", 0, 0, "010215", "",
       "01/02/15  ", ymd(1915, 2, 1)},
      {"impossible date", Value(Date()), "@D", 0, 0, "31022015", "", "31/02/2015",
       std::nullopt},
      {"first digit clears a date", ymd(2015, 3, 10), "@D", 0, 0, "2", "", "2 /  /    ",
       std::nullopt, 1},
      {"date refuses letters", ymd(2015, 3, 10), "@D", 0, 0, "a", "R", "10/03/2015",
       ymd(2015, 3, 10)},
      {"date cleared by del", ymd(2015, 3, 10), "@D", 0, 0, "{DEL}{R}{DEL}{R}{DEL}{R}{DEL}{R}{DEL}{R}{DEL}{R}{DEL}{R}{DEL}",
       "", "  /  /    ", Value(Date())},
      {"backspace blanks a date digit in place", ymd(2015, 3, 10), "@D", 0, 0, "{R}{R}{BS}",
       "", "1 /03/2015", ymd(2015, 3, 1)},
      // Logicals.
      {"logical letters", Value(false), "", 0, 0, "xs", "RH", "S", Value(true)},
      {"logical no", Value(true), "", 0, 0, "f", "", "N", Value(false)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EditBuffer b(c.initial, c.picture, c.width, c.decimals);
    std::string outcomes;
    for (Key k : keys(c.typed)) outcomes += letter(b.handle(k));
    std::string expected_outcomes =
        c.outcomes.empty() ? std::string(outcomes.size(), 'H') : c.outcomes;
    EXPECT_EQ(outcomes, expected_outcomes);
    EXPECT_EQ(b.display(), c.display);
    EXPECT_EQ(show(b.value()), show(c.value));
    if (c.cursor >= 0) {
      EXPECT_EQ(b.cursor(), c.cursor);
    }
  }
}

TEST(EditBuffer, ChangedAndSetValue) {
  EditBuffer text(T("abc"), "", 5);
  EXPECT_EQ(show(text.value()), "'abc  '");  // padded to the stored width
  text.handle(Key::Right);
  text.handle(Key::ch('b'));  // overwrites "b" with "b": no change
  EXPECT_FALSE(text.changed());
  text.handle(Key::ch('x'));
  EXPECT_TRUE(text.changed());

  EditBuffer pasted(T("abc"), "", 5);
  pasted.set_value(T("abcdefgh"));
  EXPECT_TRUE(pasted.changed());
  EXPECT_EQ(show(pasted.value()), "'abcde'");

  EditBuffer cpf(T(""), "@R 999.999.999-99", 11);
  cpf.set_value(T("12345678901"));
  EXPECT_EQ(cpf.display(), "123.456.789-01");

  EditBuffer amount(Value(D("0")), "@Ez 999,999,999.99", 0, 2);
  amount.set_value(T("1.234,56"));
  EXPECT_EQ(show(amount.value()), "1234.56");
  // After a paste typing adds to the entry instead of replacing it: no third decimal.
  EXPECT_EQ(amount.handle(Key::ch('7')), EditBuffer::Outcome::Rejected);
  EXPECT_EQ(show(amount.value()), "1234.56");
}

TEST(EditBuffer, ClipboardText) {
  struct Case {
    Value initial;
    std::string picture;
    int width, decimals;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {Value(D("1234.56")), "@Ez 999,999,999.99", 0, 2, "1.234,56"},
      {Value(D("0")), "@Ez 999,999,999.99", 0, 2, ""},
      {T("  ab  "), "", 6, 0, "ab"},
      {T("12345678901"), "@R 999.999.999-99", 11, 0, "12345678901"},
      {ymd(2015, 2, 1), "@D", 0, 0, "01/02/2015"},
      {Value(true), "", 0, 0, "S"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(EditBuffer(c.initial, c.picture, c.width, c.decimals).clipboard_text(),
              c.expected);
  }
}

}  // namespace
}  // namespace vormel::core
