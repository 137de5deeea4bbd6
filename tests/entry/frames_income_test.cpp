#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "entry/screen_frames.h"
#include "frame_golden.h"

using namespace vormel;
using entry::Frame;

namespace {

core::Record with_mode(int mode) {
  core::Record v;
  v.set_number("CAL_AUTO", core::Decimal(mode));
  return v;
}

struct Case {
  const char* name;
  std::function<Frame()> build;
};

const Case kCases[] = {
    {"income_screen1_item11", [] { return entry::legal_entity_income_frame(11); }},
    {"income_screen1_item12", [] { return entry::legal_entity_income_frame(12); }},
    {"income_screen1_item13", [] { return entry::legal_entity_income_frame(13); }},
    {"income_screen1_item14", [] { return entry::legal_entity_income_frame(14); }},
    {"income_screen2_item21_mode1", [] { return entry::individual_income_frame(21, with_mode(1)); }},
    {"income_screen2_item21_mode2", [] { return entry::individual_income_frame(21, with_mode(2)); }},
    {"income_screen2_item21_mode3", [] { return entry::individual_income_frame(21, with_mode(3)); }},
    {"income_screen2_item21_mode4", [] { return entry::individual_income_frame(21, with_mode(4)); }},
    {"income_screen2_item22_mode7", [] { return entry::individual_income_frame(22, with_mode(7)); }},
    {"income_screen3_item31", [] { return entry::exempt_income_frame(31); }},
    {"income_screen3_item32", [] { return entry::exempt_income_frame(32); }},
    {"income_screen4_item41", [] { return entry::payments_frame(41); }},
    {"income_screen4_item42", [] { return entry::payments_frame(42); }},
    {"income_screen4_item43", [] { return entry::payments_frame(43); }},
    {"income_screen4_item44", [] { return entry::payments_frame(44); }},
    {"income_screen4_item45", [] { return entry::payments_frame(45); }},
    {"income_row_section1", [] { return entry::income_row_frame(1); }},
    {"income_row_section20", [] { return entry::income_row_frame(20); }},
    {"income_dated_entries", [] { return entry::dated_entries_frame(); }},
};

TEST(IncomeFrames, MatchTheirReviewedCopies) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const Frame f = c.build();
    EXPECT_EQ(f.overflow(), 0);
    frame_golden::expect_matches(c.name, f);
  }
}

TEST(IncomeFrames, ModeOutsideOneToFourShowsTheFirst) {
  for (int mode : {0, 5, -1}) {
    SCOPED_TRACE(mode);
    EXPECT_EQ(entry::individual_income_frame(21, with_mode(mode)).rows(),
              entry::individual_income_frame(21, with_mode(1)).rows());
  }
}

TEST(IncomeFrames, DependantsRowFormIsTheHoldersOne) {
  EXPECT_EQ(entry::income_row_frame(2).rows(), entry::income_row_frame(1).rows());
  EXPECT_EQ(entry::income_row_frame(1).height(), 19);
  EXPECT_EQ(entry::income_row_frame(20).height(), 7);
}

// Where the forms write their values the frame leaves the columns blank.
struct Field {
  const char* frame;
  int row, col, length;
};

Frame frame_named(const std::string& name) {
  for (const Case& c : kCases)
    if (name == c.name) return c.build();
  ADD_FAILURE() << "no frame " << name;
  return Frame{};
}

TEST(IncomeFrames, LeaveTheFieldsBlank) {
  std::vector<Field> fields = {
      // RRA row form
      {"income_row_section20", 0, 17, 13}, {"income_row_section20", 0, 48, 13},
      {"income_row_section20", 1, 17, 13}, {"income_row_section20", 1, 44, 18},
      {"income_row_section20", 2, 17, 13}, {"income_row_section20", 2, 48, 14},
      {"income_row_section20", 3, 17, 2},  {"income_row_section20", 3, 45, 1},
      {"income_row_section20", 3, 61, 1},  {"income_row_section20", 4, 17, 5},
      {"income_row_section20", 4, 48, 14},
      // carnê-leão totals and kinds of income under the grid
      {"income_screen2_item21_mode1", 21, 13, 10}, {"income_screen2_item21_mode1", 21, 32, 10},
      {"income_screen2_item21_mode1", 21, 56, 10}, {"income_screen2_item21_mode1", 22, 13, 10},
      {"income_screen2_item21_mode1", 22, 32, 10}, {"income_screen2_item21_mode1", 22, 56, 10},
      // direct donation
      {"income_screen4_item44", 1, 7, 2},  {"income_screen4_item44", 1, 44, 14},
      {"income_screen4_item44", 2, 11, 40}, {"income_screen4_item44", 3, 11, 14},
      {"income_screen4_item44", 3, 34, 18},
      // refund of doctors and hospitals
      {"income_screen4_item43", 21, 67, 11},
  };
  for (int row = 0; row <= 16; ++row) {
    if (row == 3 || row == 14) continue;  // the heads of the exempt and exclusive parts
    fields.push_back({"income_row_section1", row, 17, 13});
    if (row != 12) fields.push_back({"income_row_section1", row, 48, 13});
  }
  for (int row = 1; row <= 11; ++row) fields.push_back({"income_screen3_item32", row, 65, 14});
  for (int row = 0; row <= 24; ++row) fields.push_back({"income_screen3_item31", row, 65, 14});
  for (int row = 16; row <= 21; ++row)
    for (auto [col, len] : {std::pair{18, 12}, {31, 12}, {55, 11}, {67, 11}})
      fields.push_back({"income_screen1_item11", row, col, len});

  for (const Field& fd : fields) frame_golden::expect_blank(frame_named(fd.frame), fd.row, fd.col, fd.length, fd.frame);
}

}  // namespace
