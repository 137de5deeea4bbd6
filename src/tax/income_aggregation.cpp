// The income rows, the monthly table and the exempt and exclusive lines.
#include <array>
#include <string>

#include "core/text.h"
#include "tax/computation.h"

namespace vormel::tax {

namespace {

std::string line(const char* prefix, int n) {
  return prefix + core::pad_left(std::to_string(n), 2, '0');
}

// Exempt (I3_nn) and exclusive (I4_nn) lines fed by columns of the J and D rows.
struct ColumnLine {
  int column;  // I1_<column>
  int line;
};
constexpr std::array<ColumnLine, 16> kExemptColumns{{{29, 1},  {30, 3},  {15, 5},  {17, 6},  {37, 8},  {16, 9},
                                                     {23, 10}, {31, 12}, {13, 13}, {14, 14}, {24, 15}, {25, 16},
                                                     {26, 17}, {27, 18}, {28, 19}, {9, 24}}};
constexpr std::array<ColumnLine, 4> kExclusiveColumns{{{38, 4}, {32, 8}, {33, 9}, {34, 10}}};

std::string column(int c) { return "I1_" + std::to_string(c); }

}  // namespace

int Computation::NRODP() {
  // Dependants are the codes below 98; 98 and 99 are alimony recipients, 100 on heirs.
  int dependants = 0, alimony = 0, position = 0;
  for (auto& row : d_.dependants) {
    ++position;
    int code = row.integer("CODIDEPEN");
    if (code < 98) ++dependants;
    else if (code < 100) ++alimony;
    if (row.integer("NRODEPEN") == 0) row.set_number("NRODEPEN", position);
  }
  v_.set_number("N_DEPEN", dependants);
  v_.set_number("DESPALIM", alimony);
  return dependants;
}

void Computation::FI1_T() {
  Money funpresp;
  for (const auto& p : d_.payments)
    if (p.integer("I6_3") == 37) funpresp += p.money("I6_4");
  v_.set_money("NFUNPRESP", funpresp);

  for (const char* name : {"I13_01", "I13_02", "I13_05", "I13_06", "I13_17", "I13_27", "I13_28", "EXGSUSP", "I13_10A",
                           "I13_10B", "I13_25A", "I13_25B", "I13_34A", "I13_34B", "NPREVTIT", "NPREVDEP", "NISENDEP",
                           "NTRIFDEP"})
    v_.set_money(name, Money());
  for (const auto& c : kExemptColumns) v_.set_money(line("I3_", c.line), Money());
  for (const auto& c : kExclusiveColumns) v_.set_money(line("I4_", c.line), Money());
  for (int n : {1, 5, 6, 7}) v_.set_money(line("I4_", n), Money());
  v_.set_money("I3_07", Money());
  const int cal_auto = v_.integer("CAL_AUTO");
  const bool carne_from_rows = cal_auto == 1 || cal_auto == 3;
  if (carne_from_rows) {
    v_.set_money("CARNEINSS", Money());
    v_.set_money("CARNEDEPEN", Money());
  }

  auto add = [&](const std::string& name, Money m) { v_.set_money(name, v_.money(name) + m); };
  Money largest;
  bool any_source = false;
  for (const auto& row : d_.income) {
    const std::string kind = row.text("I1_1");
    if (kind == "J" || kind == "D") {
      const bool holder = kind == "J";
      if (holder && (!any_source || row.money("I1_4") > largest)) {
        largest = row.money("I1_4");
        any_source = true;
        v_.set_text("CGCPAGADOR", row.text("I1_3"));
      }
      if (row.money("I1_18") > Money()) {
        add(holder ? "I13_27" : "I13_28", row.money("I1_39"));
        add("I3_07", row.money("I1_18") + row.money("I1_7"));
      } else {
        add(holder ? "I4_01" : "I4_06", row.money("I1_7"));
      }
      add(holder ? "I13_01" : "I13_02", row.money("I1_4"));
      add(holder ? "I13_27" : "I13_28", row.money("I1_5"));
      add(holder ? "NPREVTIT" : "NPREVDEP", row.money("I1_6"));
      Money exempt, exclusive;
      for (const auto& c : kExemptColumns) {
        add(line("I3_", c.line), row.money(column(c.column)));
        exempt += row.money(column(c.column));
      }
      for (const auto& c : kExclusiveColumns) {
        add(line("I4_", c.line), row.money(column(c.column)));
        exclusive += row.money(column(c.column));
      }
      add("EXGSUSP", row.money("I1_19") - row.money("I1_20"));
      if (!holder) {
        add("NISENDEP", exempt + row.money("I1_18"));
        add("NTRIFDEP", exclusive);
      }
    } else if (kind == "P") {
      if (carne_from_rows) add(row.text("I1_11") == "N" ? "CARNEDEPEN" : "CARNEINSS", row.money("I1_4"));
    } else if (kind == "A") {
      const bool holder = row.text("I1_11") != "N";
      const Money net = row.money("I1_4") - row.money("I1_5") - row.money("I1_6") - row.money("I1_12");
      if (row.text("TIPOCR") == "N") {
        // Never a negative exclusive line, for the dependant either.
        add(holder ? "I4_05" : "I4_07", net > Money() ? net : Money());
        add(holder ? "I13_25A" : "I13_25B", row.money("I1_20"));
        add(holder ? "I13_34A" : "I13_34B", row.money("I1_5"));
      } else {
        add(holder ? "I13_05" : "I13_06", row.money("I1_4"));
        add(holder ? "I13_27" : "I13_28", row.money("I1_5"));
        add(holder ? "I13_10A" : "I13_10B", row.money("I1_6"));
        add("I13_17", row.money("I1_12"));
      }
    }
  }
  CALC(6);
  v_.set_money("I13_34", v_.money("I13_34A") + v_.money("I13_34B"));
  v_.set_money("I13_10", v_.money("I13_10A") + v_.money("I13_10B"));
  v_.set_money("I13_25", v_.money("I13_25A") + v_.money("I13_25B"));
  SOMA_TRIBENAO();
  add("NTRIFDEP", v_.money("I4_06") + v_.money("I4_07"));
  Money isentit = v_.money("I13_44") - v_.money("NISENDEP");
  Money trifit = v_.money("I13_45") - v_.money("NTRIFDEP") - v_.money("I4_01");
  v_.set_money("NISENTIT", isentit > Money() ? isentit : Money());
  v_.set_money("NTRIFTIT", trifit > Money() ? trifit : Money());
  FI13_35();
  FI13_08();
}

void Computation::SOMA_TRIBENAO() {
  Money exempt, exclusive;
  for (int n = 1; n <= 24; ++n) exempt += v_.money(line("I3_", n));
  for (int n = 1; n <= 10; ++n) exclusive += v_.money(line("I4_", n));
  v_.set_money("I13_44", exempt);
  v_.set_money("I13_45", exclusive);
}

void Computation::monthly_totals() {
  Money own[3], deps[3];
  for (const auto& row : d_.monthly) {
    Money* into = row.text("CPFDEPEN").empty() ? own : deps;
    for (int c = 1; c <= 3; ++c)
      for (int m = 1; m <= 12; ++m) into[c - 1] += row.money("I2_" + std::to_string(c) + core::pad_left(std::to_string(m), 2, '0'));
  }
  v_.set_money("I13_03", own[0]);
  v_.set_money("I13_49", own[1]);
  v_.set_money("I13_04", deps[0]);
  v_.set_money("I13_50", deps[1]);
  v_.set_money("I13_18", own[2] + deps[2]);
}

void Computation::CALC_LEAOTOTAL() {
  const bool paid_only = v_.logical("SO_REC");
  Money own, deps;
  for (const auto& row : d_.monthly) {
    Money sum;
    for (int m = 1; m <= 12; ++m) {
      std::string mm = core::pad_left(std::to_string(m), 2, '0');
      Money paid = row.money("I2_5" + mm), due = row.money("I2_6" + mm);
      sum += paid_only || paid > due ? paid : due;
    }
    (row.text("CPFDEPEN").empty() ? own : deps) += sum;
  }
  v_.set_money("I13_29", own);
  v_.set_money("I13_30", deps);
}

}  // namespace vormel::tax
