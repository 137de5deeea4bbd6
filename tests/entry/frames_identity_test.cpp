#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/cp850.h"
#include "entry/screen_frames.h"
#include "frame_golden.h"

using namespace vormel;
using entry::Frame;

namespace {

core::Record vars(std::initializer_list<std::pair<const char*, const char*>> texts, int quotas = 0) {
  core::Record v;
  for (auto [name, value] : texts) v.set_text(name, value);
  v.set_number("QTD_QUOTA", core::Decimal(quotas));
  return v;
}

const core::Record kFinalJudicial = vars({{"DECFINAL", "S"}, {"DECJUDI", "S"}});
const core::Record kFinalDeed = vars({{"DECFINAL", "S"}, {"DECJUDI", "N"}});

struct Case {
  const char* name;
  std::function<Frame()> build;
};

const Case kCases[] = {
    {"identity_screen05_item51", [] { return entry::assets_frame(51, {}); }},
    {"identity_screen05_item56", [] { return entry::assets_frame(56, {}); }},
    {"identity_screen05_item57", [] { return entry::assets_frame(57, {}); }},
    {"identity_screen05_item57_judicial", [] { return entry::assets_frame(57, kFinalJudicial); }},
    {"identity_screen05_item57_deed", [] { return entry::assets_frame(57, kFinalDeed); }},
    {"identity_screen05_item58", [] { return entry::assets_frame(58, {}); }},
    {"identity_screen06", [] { return entry::identification_frame(vars({})); }},
    {"identity_screen06_final_estate", [] { return entry::identification_frame(kFinalJudicial); }},
    {"identity_screen06_quotas", [] { return entry::identification_frame(vars({}, 3)); }},
    {"identity_screen11", [] { return entry::status_frame(); }},
    {"identity_screen22_assets", [] { return entry::zoom_frame(22, 54); }},
    {"identity_screen22_debts", [] { return entry::zoom_frame(22, 55); }},
    {"identity_screen23_assets", [] { return entry::zoom_frame(23, 52); }},
    {"identity_screen23_debts", [] { return entry::zoom_frame(23, 53); }},
    {"identity_client_chooser", [] { return entry::client_chooser_frame(); }},
    {"identity_client_details", [] { return entry::client_details_frame(); }},
    {"identity_maintenance_expenses", [] { return entry::maintenance_expenses_frame(); }},
    {"identity_partition_layout2", [] { return entry::estate_partition_frame(2, false, false); }},
    {"identity_partition_layout1", [] { return entry::estate_partition_frame(1, false, true); }},
    {"identity_partition_layout1_registry", [] { return entry::estate_partition_frame(1, true, false); }},
};

Frame frame_named(const std::string& name) {
  for (const Case& c : kCases)
    if (name == c.name) return c.build();
  ADD_FAILURE() << "no frame " << name;
  return Frame{};
}

std::string text_of(const Frame& f) {
  std::string out;
  for (const std::string& row : f.rows()) out += core::cp850::to_utf8(row) + "\n";
  return out;
}

TEST(IdentityFrames, MatchTheirReviewedCopies) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const Frame f = c.build();
    EXPECT_EQ(f.overflow(), 0);
    frame_golden::expect_matches(c.name, f);
  }
}

TEST(IdentityFrames, IdentificationLabelsFollowTheDeclaration) {
  const std::string normal = text_of(entry::identification_frame(vars({})));
  EXPECT_NE(normal.find("CPF do Cônjuge "), std::string::npos);
  EXPECT_NE(normal.find("Devolução"), std::string::npos);
  EXPECT_EQ(normal.find("Débito automatico?"), std::string::npos);

  const std::string final_estate = text_of(entry::identification_frame(kFinalDeed));
  EXPECT_NE(final_estate.find("CPF do Meeiro  "), std::string::npos);
  EXPECT_EQ(final_estate.find("Cônjuge"), std::string::npos);

  const std::string quotas = text_of(entry::identification_frame(vars({}, 1)));
  EXPECT_NE(quotas.find("Débito automatico?"), std::string::npos);
  EXPECT_EQ(quotas.find("Devolução"), std::string::npos);
}

TEST(IdentityFrames, EstateGrowsOnlyWhenFinalWithAKnownPartition) {
  struct {
    core::Record v;
    int height;
  } cases[] = {
      {vars({}), 13},
      {vars({{"DECFINAL", "N"}, {"DECJUDI", "S"}}), 13},
      {vars({{"DECFINAL", "S"}}), 13},
      {kFinalJudicial, 20},
      {kFinalDeed, 20},
  };
  for (const auto& c : cases) EXPECT_EQ(entry::assets_frame(57, c.v).height(), c.height);
  EXPECT_NE(text_of(entry::assets_frame(57, kFinalJudicial)).find("Vara Cível"), std::string::npos);
  EXPECT_NE(text_of(entry::assets_frame(57, kFinalDeed)).find("Nome Cartório"), std::string::npos);
}

TEST(IdentityFrames, ZoomShowsAssetsOrDebtsByItem) {
  for (int screen : {22, 23})
    for (int item : {51, 52, 53, 54, 55}) {
      SCOPED_TRACE(std::to_string(screen) + "/" + std::to_string(item));
      const std::string text = text_of(entry::zoom_frame(screen, item));
      const bool debts = item == 53 || item == 55;
      EXPECT_EQ(text.find("(9)DÍVIDAS E ÔNUS REAIS ") != std::string::npos, debts);
      EXPECT_EQ(text.find(" (8)DECLARAÇÃO DE BENS ") != std::string::npos, !debts);
    }
  EXPECT_TRUE(entry::zoom_frame(22, 54).uses_tel3());
  EXPECT_FALSE(entry::zoom_frame(23, 52).uses_tel3());
}

TEST(IdentityFrames, PartitionSizesAndQuestion) {
  EXPECT_EQ(entry::estate_partition_frame(2, true, false).height(), 5);
  EXPECT_EQ(entry::estate_partition_frame(1, false, false).height(), 13);
  EXPECT_EQ(entry::estate_partition_frame(1, true, false).height(), 16);  // its last row is the screen's 24th
  EXPECT_NE(text_of(entry::estate_partition_frame(2, false, false)).find("Será informado nesse bem o percentual"),
            std::string::npos);
  EXPECT_NE(text_of(entry::estate_partition_frame(2, false, true)).find("Será alterado  nesse bem o percentual"),
            std::string::npos);
}

// Where the forms write their values the frame leaves the columns blank.
TEST(IdentityFrames, LeaveTheFieldsBlank) {
  struct Field {
    const char* frame;
    int row, col, length;
  };
  std::vector<Field> fields = {
      // spouse
      {"identity_screen05_item56", 1, 5, 14}, {"identity_screen05_item56", 1, 26, 1},
      {"identity_screen05_item56", 1, 36, 1}, {"identity_screen05_item56", 2, 36, 1},
      // espólio
      {"identity_screen05_item57", 2, 6, 14}, {"identity_screen05_item57", 3, 11, 40},
      {"identity_screen05_item57", 4, 11, 46}, {"identity_screen05_item57", 5, 31, 1},
      {"identity_screen05_item57", 7, 18, 1}, {"identity_screen05_item57", 7, 46, 1},
      {"identity_screen05_item57", 8, 6, 14}, {"identity_screen05_item57", 8, 26, 31},
      {"identity_screen05_item57", 9, 11, 1}, {"identity_screen05_item57", 9, 33, 1},
      {"identity_screen05_item57_judicial", 12, 14, 4}, {"identity_screen05_item57_judicial", 13, 27, 25},
      {"identity_screen05_item57_judicial", 14, 12, 4}, {"identity_screen05_item57_judicial", 14, 25, 25},
      {"identity_screen05_item57_judicial", 14, 54, 2}, {"identity_screen05_item57_judicial", 15, 40, 8},
      {"identity_screen05_item57_judicial", 16, 40, 8},
      {"identity_screen05_item57_deed", 13, 14, 40}, {"identity_screen05_item57_deed", 14, 11, 30},
      {"identity_screen05_item57_deed", 14, 54, 2}, {"identity_screen05_item57_deed", 15, 6, 7},
      {"identity_screen05_item57_deed", 15, 21, 7}, {"identity_screen05_item57_deed", 15, 36, 18},
      {"identity_screen05_item57_deed", 16, 18, 8},
      // saída definitiva
      {"identity_screen05_item58", 1, 42, 1}, {"identity_screen05_item58", 3, 6, 14},
      {"identity_screen05_item58", 4, 11, 40}, {"identity_screen05_item58", 5, 11, 46},
      {"identity_screen05_item58", 6, 43, 8}, {"identity_screen05_item58", 7, 43, 8},
      // status
      {"identity_screen11", 1, 24, 2}, {"identity_screen11", 1, 35, 10}, {"identity_screen11", 1, 49, 4},
      {"identity_screen11", 2, 9, 10}, {"identity_screen11", 2, 30, 10}, {"identity_screen11", 2, 51, 10},
      {"identity_screen11", 3, 50, 8}, {"identity_screen11", 4, 50, 8}, {"identity_screen11", 5, 20, 15},
      {"identity_screen11", 5, 43, 12}, {"identity_screen11", 5, 65, 8}, {"identity_screen11", 6, 25, 11},
      {"identity_screen11", 6, 54, 11},
      // chooser
      {"identity_client_chooser", 3, 2, 14}, {"identity_client_chooser", 3, 18, 53},
      // partition
      {"identity_partition_layout1_registry", 2, 36, 1}, {"identity_partition_layout1_registry", 6, 7, 30},
      {"identity_partition_layout1_registry", 7, 5, 6}, {"identity_partition_layout1_registry", 7, 19, 18},
      {"identity_partition_layout1_registry", 8, 8, 16}, {"identity_partition_layout1_registry", 8, 29, 9},
      {"identity_partition_layout1_registry", 9, 4, 2}, {"identity_partition_layout1_registry", 9, 17, 21},
      {"identity_partition_layout1_registry", 10, 35, 1}, {"identity_partition_layout1_registry", 11, 15, 9},
      {"identity_partition_layout1_registry", 11, 29, 1}, {"identity_partition_layout1_registry", 11, 37, 1},
      {"identity_partition_layout1_registry", 12, 15, 23}, {"identity_partition_layout1_registry", 13, 11, 27},
      {"identity_partition_layout1_registry", 14, 11, 27},
  };
  // The spouse's values and their result.
  for (int row : {4, 5, 6, 7, 8, 10}) fields.push_back({"identity_screen05_item56", row, 25, 14});
  // Totals of assets and debts, in both layouts.
  for (auto [frame, row] : {std::pair{"identity_screen05_item51", 11}, {"identity_screen05_item51", 20},
                            {"identity_screen05_item51", 21}, {"identity_screen23_assets", 20},
                            {"identity_screen23_debts", 20}, {"identity_screen23_debts", 21}})
    for (int col : {20, 48, 65}) fields.push_back({frame, row, col, 14});
  // Identification: every field of the form and the values shown beside them.
  for (const char* frame : {"identity_screen06", "identity_screen06_final_estate", "identity_screen06_quotas"}) {
    const int at[][3] = {{1, 5, 14},  {1, 40, 1},  {1, 52, 1},  {1, 55, 22}, {2, 5, 53},  {2, 63, 3},
                         {2, 71, 2},  {3, 12, 8},  {3, 35, 14}, {3, 64, 14}, {5, 15, 1},  {5, 65, 13},
                         {6, 24, 13}, {6, 65, 13}, {8, 27, 1},  {8, 35, 3},  {8, 48, 7},  {8, 62, 16},
                         {9, 62, 1},  {11, 2, 1},  {11, 11, 1}, {11, 51, 14}, {12, 6, 11}, {12, 28, 37},
                         {12, 76, 1}, {13, 8, 6},  {13, 28, 21}, {13, 57, 20}, {14, 5, 9},  {14, 18, 2},
                         {14, 33, 30}, {14, 73, 4}, {15, 6, 3},  {15, 10, 40}, {15, 54, 4}, {15, 67, 10},
                         {16, 11, 3}, {16, 15, 62}, {17, 29, 40}, {19, 6, 2},  {19, 9, 58}, {20, 5, 3},
                         {20, 9, 69}, {21, 24, 17}, {21, 64, 14}};
    for (const auto& a : at) fields.push_back({frame, a[0], a[1], a[2]});
  }

  for (const Field& fd : fields) frame_golden::expect_blank(frame_named(fd.frame), fd.row, fd.col, fd.length, fd.frame);
}

}  // namespace
