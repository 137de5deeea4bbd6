#include "core/cp850.h"

#include <gtest/gtest.h>

#include <set>

namespace vormel::core::cp850 {
namespace {

using namespace vormel::core::literals;

TEST(Cp850, TableAgreesWithTheLiteralPairs) {
  std::set<int> covered;
  for (const auto& p : kLiteralPairs) {
    EXPECT_EQ(kToUnicode[p.byte], p.cp) << std::hex << int(p.byte);
    covered.insert(p.byte);
  }
  EXPECT_EQ(covered.size(), 128u);  // every byte above 0x7F
  for (int b = 0x20; b < 0x7F; ++b) EXPECT_EQ(kToUnicode[b], char32_t(b));
  EXPECT_EQ(kToUnicode[0x00], U'\0');
  EXPECT_EQ(kToUnicode[0x01], U'☺');
  EXPECT_EQ(kToUnicode[0x10], U'►');
  EXPECT_EQ(kToUnicode[0x1F], U'▼');
  EXPECT_EQ(kToUnicode[0x7F], U'⌂');
}

TEST(Cp850, EveryByteComesBackFromItsCodePoint) {
  // The glyphs of 0x14 and 0x15 are ¶ and §, which have bytes of their own: those win.
  for (int b = 0; b < 256; ++b) {
    if (b != 0x14 && b != 0x15) {
      EXPECT_EQ(from_unicode(kToUnicode[b]), b) << b;
    }
  }
  EXPECT_EQ(from_unicode(U'¶'), 0xF4);
  EXPECT_EQ(from_unicode(U'§'), 0xF5);
  EXPECT_EQ(from_unicode(U'\t'), '\t');
  EXPECT_EQ(from_unicode(U'\n'), '\n');
  EXPECT_EQ(from_unicode(U'€'), -1);
  EXPECT_EQ(from_unicode(U'ẞ'), -1);
}

TEST(Cp850, Utf8RoundTrip) {
  const std::string utf8 = "Não Atenção Ç ─│┌";
  std::string bytes = from_utf8(utf8);
  EXPECT_EQ(bytes, std::string("Não Atenção Ç ─│┌"_cp));
  EXPECT_EQ(to_utf8(bytes), utf8);
  // Line structure survives; other low bytes travel as their glyphs.
  EXPECT_EQ(to_utf8("a\tb\r\n"), "a\tb\r\n");
  EXPECT_EQ(to_utf8("\x10"), "►");
  EXPECT_EQ(from_utf8("►"), "\x10");
  std::string all;
  for (int b = 0; b < 256; ++b)
    if (b != 0x14 && b != 0x15) all.push_back(static_cast<char>(b));
  EXPECT_EQ(from_utf8(to_utf8(all)), all);
}

TEST(Cp850, FromUtf8ReplacesWhatItCannotHold) {
  EXPECT_EQ(from_utf8("a€b"), "a?b");
  EXPECT_EQ(from_utf8("a\xFF" "b", '#'), "a#b");          // not UTF-8 at all
  EXPECT_EQ(from_utf8("a\xC3"), "a?");                    // cut short
  EXPECT_EQ(from_utf8("\xC3(x"), "?(x");                  // bad continuation
  EXPECT_EQ(from_utf8("\xC0\xAF"), "??");                 // overlong
  EXPECT_EQ(from_utf8("\xED\xA0\x80z"), "???z");          // surrogate
  EXPECT_EQ(from_utf8("\xF0\x9F\x98\x80"), "?");          // valid, but not in CP850
}

TEST(Cp850, LiteralsAreCp850Bytes) {
  std::string_view nao = "Não"_cp;
  ASSERT_EQ(nao.size(), 3u);
  EXPECT_EQ(uint8_t(nao[0]), 'N');
  EXPECT_EQ(uint8_t(nao[1]), 0xC6);
  EXPECT_EQ(uint8_t(nao[2]), 'o');
}

TEST(Cp850, UpperCaseRule) {
  EXPECT_EQ(upper("Ação não é útil: ôça, àá, ü, ê, í, õ"_cp),
            std::string("AÇÃO NÃO É ÚTIL: ÔÇA, ÀÁ, Ü, Ê, Í, Õ"_cp));
  struct Pair {
    uint8_t small, capital;
  };
  const Pair portuguese[] = {
      {0xA0, 0xB5}, {0x82, 0x90}, {0xA1, 0xD6}, {0xA2, 0xE0}, {0xA3, 0xE9}, {0x85, 0xB7},
      {0x83, 0xB6}, {0x88, 0xD2}, {0x93, 0xE2}, {0xC6, 0xC7}, {0xE4, 0xE5}, {0x87, 0x80},
      {0x81, 0x9A}, {'a', 'A'},   {'z', 'Z'},
  };
  for (const auto& p : portuguese) {
    SCOPED_TRACE(int(p.small));
    EXPECT_EQ(upper(p.small), p.capital);
    EXPECT_EQ(lower(p.capital), p.small);
    EXPECT_TRUE(is_letter(p.small));
    EXPECT_TRUE(is_letter(p.capital));
  }
  // No capital in CP850: unchanged, still a letter.
  EXPECT_EQ(upper(0xE1), 0xE1);  // ß
  EXPECT_EQ(upper(0x98), 0x98);  // ÿ
  EXPECT_TRUE(is_letter(0xE1));
  for (uint8_t other : {uint8_t('1'), uint8_t(' '), uint8_t(0xC4), uint8_t(0xF8), uint8_t(0xA6)}) {
    EXPECT_FALSE(is_letter(other)) << int(other);
    EXPECT_EQ(upper(other), other);
    EXPECT_EQ(lower(other), other);
  }
}

TEST(Cp850, EveryCapitalRoundTripsThroughLower) {
  int capitals = 0;
  for (int b = 0; b < 256; ++b) {
    auto byte = static_cast<uint8_t>(b);
    if (lower(byte) == byte) continue;
    ++capitals;
    EXPECT_EQ(upper(lower(byte)), byte) << b;
    EXPECT_NE(upper(byte), lower(byte)) << b;
  }
  EXPECT_EQ(capitals, 26 + 30);  // ASCII and every accented pair CP850 has
}

}  // namespace
}  // namespace vormel::core::cp850
