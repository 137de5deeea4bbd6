#include "core/picture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp850.h"

namespace vormel::core {
namespace {

using namespace vormel::core::literals;

Decimal D(std::string_view s) { return Decimal::parse(s).value(); }
Value T(std::string_view s) { return Value(std::string(s)); }
Date ymd(int y, int m, int d) { return Date::from_ymd(y, m, d).value(); }

TEST(PictureParse, FunctionsAndTemplate) {
  struct Case {
    std::string picture;
    bool e, z, r, up, d, k;
    int scroll;
    std::string mask;
  };
  const std::vector<Case> cases = {
      {"@Ez 999,999,999.99", true, true, false, false, false, false, 0, "999,999,999.99"},
      {"@r 999.999.999-99", false, false, true, false, false, false, 0, "999.999.999-99"},
      {"@!S3", false, false, false, true, false, false, 3, ""},
      {"@s30", false, false, false, false, false, false, 30, ""},
      {"@d", false, false, false, false, true, false, 0, ""},
      {"@K ", false, false, false, false, false, true, 0, ""},
      {"@Z99", false, true, false, false, false, false, 0, "99"},  // no blank before the template
      {"@ 99", false, false, false, false, false, false, 0, "99"},
      {"@ez   999.99", true, true, false, false, false, false, 0, "  999.99"},
      {"!", false, false, false, false, false, false, 0, "!"},  // no "@": all template
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.picture);
    Picture p = Picture::parse(c.picture);
    EXPECT_EQ(p.comma_decimal, c.e);
    EXPECT_EQ(p.blank_zero, c.z);
    EXPECT_EQ(p.literal_display, c.r);
    EXPECT_EQ(p.upper, c.up);
    EXPECT_EQ(p.date, c.d);
    EXPECT_EQ(p.clear_on_type, c.k);
    EXPECT_EQ(p.scroll_width, c.scroll);
    EXPECT_EQ(p.mask, c.mask);
  }
}

TEST(Transform, Numbers) {
  struct Case {
    std::string value;
    std::string picture;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"1234.56", "@Ez 999,999,999.99", "      1.234,56"},
      {"0", "@Ez 999,999,999.99", "              "},
      {"1234.56", "@E 999,999.99", "  1.234,56"},
      {"1234567.5", "@EZ 9,999,999,999.99", "    1.234.567,50"},
      {"1234.5", "@E 99,999,999,999.9999", "         1.234,5000"},
      {"1234.56", "@ez   999,999,999.99", "        1.234,56"},  // extra blanks are template
      {"1234.56", "999,999.99", "  1,234.56"},
      {"12", "9,999", "   12"},   // a separator with no digit on its left is a blank
      {"1234", "9,999", "1,234"},
      {"0", "@Z 99", "  "},
      {"7", "@z 99", " 7"},
      {"3", "@Z99", " 3"},
      {"5", "999", "  5"},
      {"0", "999.99", "  0.00"},
      {"0.5", "99.99", " 0.50"},
      {"2.345", "9.99", "2.35"},     // half up
      {"-2.345", "99.99", "-2.35"},  // half away from zero
      {"0.5", "99", " 1"},
      {"0.004", "@Z 9.99", "    "},  // blank when what is shown is zero
      {"-123.45", "999,999.99", "   -123.45"},
      {"-1234.5", "@E 999,999.99", " -1.234,50"},
      {"1234", "999", "***"},
      {"-123", "999", "***"},  // no room for the sign
      {"1000000", "@E 999,999.99", "**********"},
      {"5", "", "         5"},       // STR width: 10 integer positions
      {"1.5", "", "         1.5"},   // plus the value's decimals
      {"1.5", "@E", "         1,5"},
      {"0", "@Z", "          "},
      {"12.5", "@ez 9999.9", "  12,5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.picture + " of " + c.value);
    EXPECT_EQ(TRANSFORM(Value(D(c.value)), c.picture), c.expected);
  }
}

TEST(Transform, TextDatesLogicals) {
  struct Case {
    Value value;
    std::string picture;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {T("12345678901"), "@R 999.999.999-99", "123.456.789-01"},
      {T("           "), "@r 999.999.999-99", "   .   .   -  "},
      {T("12345678000190"), "@r 99.999.999/9999-99", "12.345.678/0001-90"},
      {T("0930"), "@R ##:##", "09:30"},
      {T("0123x5"), "@r !!!!!-!", "0123X-5"},
      {T("123"), "@r !!!!!-!", "123  - "},  // a short value leaves the mask's places blank
      {T("são joão"_cp), "@!", std::string("SÃO JOÃO"_cp)},
      {T("ab"), "!X", "Ab"},
      {T("abc"), "!", "A"},         // the template's width
      {T("8"), "99", "8 "},
      {T("a long description"), "@S6", "a long"},
      {T("abcdef"), "@!S3", "ABC"},
      {T("as is"), "", "as is"},
      {Value(ymd(2015, 2, 1)), "@D", "01/02/2015"},
      {Value(Date()), "@d", "  /  /    "},
      {Value(true), "", "S"},
      {Value(false), "@Y", "N"},
      {Value(true), "L", "T"},
      {Value(false), "L", "F"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.picture + " of " + TRANSFORM(c.value, ""));
    EXPECT_EQ(TRANSFORM(c.value, c.picture), c.expected);
  }
}

TEST(Str, WidthDecimalsAndOverflow) {
  struct Case {
    std::string value;
    int width, decimals;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"5", 10, 0, "         5"},
      {"12.345", 8, 2, "   12.35"},
      {"-2.5", 5, 0, "   -3"},
      {"-0.4", 3, 0, "  0"},  // no "-0"
      {"0.5", 3, 1, "0.5"},
      {"7", 6, 2, "  7.00"},
      {"123456", 5, 0, "*****"},
      {"-1234", 4, 0, "****"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(STR(D(c.value), c.width, c.decimals), c.expected);
  }
}

}  // namespace
}  // namespace vormel::core
