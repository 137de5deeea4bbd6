#include "core/text.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/cp850.h"

namespace vormel::core {
namespace {

using namespace vormel::core::literals;

TEST(Text, NamesOfMonthsAndWeekdays) {
  EXPECT_EQ(TRAZ_MES(1), "Janeiro  ");
  EXPECT_EQ(TRAZ_MES(2), "Fevereiro");
  EXPECT_EQ(TRAZ_MES(3), "Marco    ");
  EXPECT_EQ(TRAZ_MES(12), "Dezembro ");
  EXPECT_EQ(TRAZ_MES(0), "");
  EXPECT_EQ(TRAZ_MES(13), "");

  Date friday = Date::from_ymd(2016, 1, 1).value();
  EXPECT_EQ(DIA_SEMANA(friday), "Sexta feira");
  EXPECT_EQ(DIA_SEMANA(friday + 1), "Sabado");
  EXPECT_EQ(DIA_SEMANA(friday + 2), "Domingo");
  EXPECT_EQ(DIA_SEMANA(friday + 4), "Terca feira");
  EXPECT_EQ(DIA_SEMANA(Date{}), "");
}

TEST(Text, TimesOfDay) {
  EXPECT_EQ(HORA_SEG("01:02:03"), 3723);
  EXPECT_EQ(HORA_SEG("23:59:59"), 86399);
  EXPECT_EQ(SEG_HORA(3723), "01:02:03");
  EXPECT_EQ(SEG_HORA(86400 + 61), "00:01:01");  // hours modulo 24
  EXPECT_EQ(SEG_HOR_2(86400 + 2 * 3600 + 3 * 60 + 59), "01D02h03m");
  EXPECT_EQ(SEG_HOR_2(0), "00D00h00m");
  EXPECT_EQ(TEMPO_PAS("23:59:00", "00:01:00"), 120);  // passes midnight
  EXPECT_EQ(TEMPO_PAS("08:00:00", "09:30:15"), 5415);
  EXPECT_EQ(TEMPO_PAS("08:00:00", "08:00:00"), 0);
  EXPECT_EQ(TEMPO_PAS_TEXT("08:00:00", "09:30:15"), "01:30:15");
}

TEST(Text, Folders) {
  EXPECT_EQ(BAR_DIR("/dados"), "/dados/");
  EXPECT_EQ(BAR_DIR("/dados/"), "/dados/");
  EXPECT_EQ(BAR_FORA("/dados/"), "/dados");
  EXPECT_EQ(BAR_FORA("/dados"), "/dados");
  EXPECT_EQ(BAR_FORA("/"), "/");
  EXPECT_EQ(BAR_ESQ("dados"), "/dados");
  EXPECT_EQ(BAR_ESQ("/dados"), "/dados");
  EXPECT_EQ(TIRA_DIR("/dados/2016/CLI.DBF"), "CLI.DBF");
  EXPECT_EQ(TIRA_DIR("CLI.DBF"), "CLI.DBF");

  auto dir = std::filesystem::temp_directory_path();
  EXPECT_TRUE(VERDIR(dir.string()));
  EXPECT_TRUE(VERDIR(dir.string() + "/"));
  EXPECT_TRUE(VERDIR("/"));
  EXPECT_FALSE(VERDIR((dir / "no-such-folder-here").string()));
  EXPECT_FALSE(VERDIR("/dev/null"));  // exists, but is no folder
  EXPECT_FALSE(VERDIR(""));
}

TEST(Text, DocumentNumbers) {
  struct Case {
    std::string_view in;
    std::string_view out;
  };
  const Case contaponto[] = {
      {"12345678901", "123.456.789-01    "},
      {"12345678901   ", "123.456.789-01    "},  // CPF in a wider field
      {"12345678000195", "12.345.678/0001-95"},
      {"123.456.789-01    ", "123.456.789-01    "},
      {"12.345.678/0001-95", "12.345.678/0001-95"},
      {"123 456", "123 456"},
      {"1234567890", "1234567890"},  // neither length: as typed
      {"1234567890a", "1234567890a"},
      {"", ""},
  };
  for (const auto& c : contaponto) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(CONTAPONTO(c.in), c.out);
  }

  struct PaymentCase {
    std::string_view in;
    int code;
    std::string_view out;
  };
  const PaymentCase poeponto[] = {
      {"12345678000195", 1, "12.345.678/0001-95"},
      {"12345678000195", 98, "12.345.678/0001-95"},
      {"12345678901", 9, "123.456.789-01    "},
      {"123.456.789-01", 94, "123.456.789-01    "},
      {"12345678901", 50, "123.45678.90-1    "},
      {"12345678901", 3, "123.456.789-01    "},      // other code: by length
      {"12345678000195", 9, "12.345.678/0001-95"},    // does not fit the CPF layout
      {"", 1, ""},
  };
  for (const auto& c : poeponto) {
    SCOPED_TRACE(std::string(c.in) + " code " + std::to_string(c.code));
    EXPECT_EQ(POEPONTO(c.in, 1, c.code), c.out);
  }
  EXPECT_EQ(POEPONTO("12345678901", 0, 50), "123.456.789-01    ");
  EXPECT_EQ(POEPONTO("12345678901", 2, 50), "123.456.789-01    ");

  EXPECT_EQ(TIRA_PONTO("123.456.789-01"), "12345678901");
  EXPECT_EQ(TIRA_PONTO("-./"), " ");
}

TEST(Text, AjusCarBetweenWindowsAndCp850) {
  const std::string windows = "Jo\xE3o Ara\xFAjo \xE1\xE9\xED\xF3\xFA \xE0\xE7\xE2\xEA\xF4\xF5 \xC9\xC7   ";
  const std::string cp850 = std::string("João Araújo áéíóú àçâêôõ ÉÇ"_cp);
  EXPECT_EQ(AJUS_CAR(windows, 1), cp850);
  EXPECT_EQ(AJUS_CAR(cp850, 0), "Jo\xE3o Ara\xFAjo \xE1\xE9\xED\xF3\xFA \xE0\xE7\xE2\xEA\xF4\xF5 \xC9\xC7");
  // Capitals without an accent of their own lose it, and do not get it back.
  EXPECT_EQ(AJUS_CAR("\xC1\xCD\xD3\xDA\xC3\xD5\xC2\xCA\xD4\xDB", 1), "AIOUAOAEOU");
  EXPECT_EQ(AJUS_CAR("AIOU", 0), "AIOU");
  EXPECT_EQ(AJUS_CAR("  ", 1), "");
}

TEST(Text, LelinhaReadsOneLineAtATime) {
  for (bool final_newline : {true, false}) {
    SCOPED_TRACE(final_newline);
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::string content = std::string("first line\n\nlast") + (final_newline ? "\n" : "");
    std::fputs(content.c_str(), f);
    std::rewind(f);
    EXPECT_EQ(LELINHA(f), "first line\n");
    EXPECT_EQ(LELINHA(f), "\n");
    EXPECT_EQ(LELINHA(f), final_newline ? "last\n" : "last");
    EXPECT_EQ(LELINHA(f), "");  // end of file
    std::fclose(f);
  }
}

TEST(Text, TrimAndPad) {
  EXPECT_EQ(trim("  a b  "), "a b");
  EXPECT_EQ(rtrim("  a b  "), "  a b");
  EXPECT_EQ(ltrim("  a b  "), "a b  ");
  EXPECT_EQ(trim("   "), "");
  EXPECT_EQ(pad_right("ab", 4), "ab  ");
  EXPECT_EQ(pad_left("ab", 4, '0'), "00ab");
  EXPECT_EQ(pad_center("ab", 5, '*'), "*ab**");
  EXPECT_EQ(pad_right("abcdef", 3), "abc");
  EXPECT_EQ(pad_left("abcdef", 3), "abc");
  EXPECT_EQ(pad_center("abcdef", 3), "abc");
}

}  // namespace
}  // namespace vormel::core
