#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entry/screen_frames.h"
#include "frame_golden.h"

using namespace vormel;
using entry::Frame;

namespace {

struct Vars {
  const char* name;
  const char* value;
};

core::Record record(std::initializer_list<Vars> vars, bool totals_only = true) {
  core::Record v;
  for (const Vars& x : vars) v.set_text(x.name, x.value);
  v.set("SO_TOTAL", core::Value(totals_only));
  return v;
}

const core::Record kBrazil = record({{"ATV_BRASIL", "S"}, {"USAPADRAO", "N"}});
const core::Record kAbroad = record({{"ATV_BRASIL", "N"}, {"USAPADRAO", "N"}, {"CVALDOLAR", "2.6556"}});

struct Case {
  const char* name;
  int screen;
  core::Record vars;
};

const std::vector<Case>& cases() {
  static const std::vector<Case> all = {
      {"rural_screen12_brazil", 12, kBrazil},
      {"rural_screen12_abroad", 12, kAbroad},
      {"rural_screen13_totals_only", 13, kBrazil},
      {"rural_screen13_cash_book", 13, record({{"ATV_BRASIL", "S"}}, false)},
      {"rural_screen14_complete", 14, kBrazil},
      {"rural_screen14_simplified", 14, record({{"ATV_BRASIL", "S"}, {"USAPADRAO", "S"}})},
      {"rural_screen14_abroad", 14, kAbroad},
      {"rural_screen15_herd", 15, kBrazil},
      {"rural_screen16_brazil", 16, kBrazil},
      {"rural_screen16_abroad", 16, kAbroad},
      {"rural_screen17_debts", 17, kBrazil},
  };
  return all;
}

Frame frame_named(const std::string& name) {
  for (const Case& c : cases())
    if (name == c.name) return entry::rural_frame(c.screen, c.vars);
  ADD_FAILURE() << "no frame " << name;
  return Frame{};
}

std::string row_text(const Frame& f, int row) { return core::cp850::to_utf8(f.rows().at(row)); }

TEST(RuralFrames, MatchTheirReviewedCopies) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.name);
    const Frame f = entry::rural_frame(c.screen, c.vars);
    EXPECT_EQ(f.overflow(), 0);
    frame_golden::expect_matches(c.name, f);
    // The declaration draws the same frame for the rural menu items 101 to 106.
    EXPECT_EQ(entry::screen_frame(c.screen, c.screen + 89, c.vars).rows(), f.rows());
  }
}

TEST(RuralFrames, ScreensWithoutVariantsIgnoreTheActivity) {
  for (int screen : {15, 17}) {
    SCOPED_TRACE(screen);
    EXPECT_EQ(entry::rural_frame(screen, kAbroad).rows(), entry::rural_frame(screen, kBrazil).rows());
  }
}

TEST(RuralFrames, DollarRateComesFromTheNumberWhenItsTextIsMissing) {
  core::Record v = record({{"ATV_BRASIL", "N"}});
  v.set_number("NVALDOLAR", *core::Decimal::parse("3.9048"));
  EXPECT_NE(row_text(entry::rural_frame(14, v), 6).find("Resultado I em R$ (item 02x3.9048)"), std::string::npos);
}

TEST(RuralFrames, DebtBalancesAreHeadedByTheKindOfDeclaration) {
  struct Heads {
    const char* flag;
    const char* start;
    const char* end;
  };
  for (const Heads& h : {Heads{"", "Em 31/12/2014", "Em 31/12/2015"}, Heads{"DECFINAL", " Data Partilha", " Val. Transf. "},
                         Heads{"DECSAIDA", "Em 31/12/2014", "Dt.Não Resid."}}) {
    SCOPED_TRACE(h.flag);
    core::Record v = kBrazil;
    if (*h.flag) v.set_text(h.flag, "S");
    const std::string heads = row_text(entry::rural_frame(17, v), 2);
    EXPECT_NE(heads.find(std::string("│") + h.start), std::string::npos);
    EXPECT_NE(heads.find(std::string("│") + h.end), std::string::npos);
  }
}

// Where the forms and the totals write their values the frame leaves the columns blank.
TEST(RuralFrames, LeaveTheFieldsBlank) {
  struct Field {
    const char* frame;
    int row, col, length;
  };
  std::vector<Field> fields = {
      {"rural_screen12_abroad", 18, 23, 14}, {"rural_screen12_abroad", 18, 63, 14},
      {"rural_screen12_abroad", 19, 63, 14}, {"rural_screen14_complete", 7, 56, 1},
      {"rural_screen14_abroad", 5, 48, 14},  {"rural_screen14_abroad", 7, 56, 1},
  };
  for (const char* name : {"rural_screen14_complete", "rural_screen14_simplified", "rural_screen14_abroad"})
    for (int row : {1, 4, 5, 6, 7, 8, 9, 12, 15, 16, 17}) fields.push_back({name, row, 63, 14});
  for (int row = 5; row <= 13; row += 2)
    for (int col = 31; col <= 71; col += 8) fields.push_back({"rural_screen15_herd", row, col, 7});
  for (int row = 3; row <= 15; ++row) {
    fields.push_back({"rural_screen13_totals_only", row, 12, 14});
    fields.push_back({"rural_screen13_totals_only", row, 27, 14});
  }
  for (int col : {48, 63}) fields.push_back({"rural_screen17_debts", 20, col, 14});

  for (const Field& fd : fields) frame_golden::expect_blank(frame_named(fd.frame), fd.row, fd.col, fd.length, fd.frame);
}

}  // namespace
