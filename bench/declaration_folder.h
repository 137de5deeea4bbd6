// A work folder of many declarations for the benchmarks: identification, summary, one
// to three incomes, dependants, payments and some carnê-leão rows each; the first
// declaration can be made large.
#pragma once
#include <stdlib.h>

#include <cstdio>
#include <string>

#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/decimal.h"
#include "storage/database.h"

namespace vormel::bench {

using core::Decimal;

inline std::string cpf_of(int i) {
  char text[16];
  std::snprintf(text, sizeof text, "%011llu", (12345678901ULL + static_cast<unsigned long long>(i) * 98765431ULL) % 100000000000ULL);
  return text;
}

inline Decimal amount(int i, int k, int low, int spread) {
  return Decimal::from_units((low + (i * 7919 + k * 104729) % spread) * 100LL, 2);
}

// `big_rows`: rows of each of IMP02, IMP04 and IMP06 for declaration 0 (0 keeps it like
// the others).
inline std::string build_declaration_folder(int declarations, int big_rows = 0) {
  char name[] = "/tmp/vormel-bench-XXXXXX";
  std::string folder = std::string(::mkdtemp(name)) + "/";
  storage::QuietReporter reporter;
  storage::Database db(reporter, {folder, folder, "00"});
  for (int n : {9, 1, 2, 3, 4, 6, 12}) db.ABERTURA(n, true);
  auto add = [&](int area) {
    db.select(area);
    db.ADD_REC(1);
    return &db.area(area);
  };
  for (int i = 0; i < declarations; ++i) {
    const std::string cpf = cpf_of(i);
    const bool big = i == 0 && big_rows > 0;
    auto* id = add(9);
    id->set("CPF", cpf);
    id->set("NOMECONTR", "CLIENTE " + std::to_string(i));
    id->set("USAPADRAO", std::string(i % 2 ? "S" : "N"));
    add(1)->set("CPF", cpf);
    for (int k = 0; k < (big ? big_rows : 1 + i % 3); ++k) {
      auto* row = add(2);
      row->set("CPF", cpf);
      row->set("I1_1", std::string(k == 2 ? "D" : "J"));
      row->set("I1_11", std::string(k == 2 ? "N" : "S"));
      row->set("I1_4", amount(i, k, 20000, 150000));
      row->set("I1_5", amount(i, k, 100, 9000));
      row->set("I1_6", amount(i, k, 500, 5000));
      row->set("I1_7", amount(i, k, 1000, 6000));
    }
    for (int k = 0; k < (big ? 0 : i % 3); ++k) {
      auto* dep = add(3);
      dep->set("CPF", cpf);
      dep->set("CODIDEPEN", Decimal(k ? 21 : 11));
    }
    for (int k = 0; k < (big ? big_rows : 0); ++k) {
      auto* asset = add(4);
      asset->set("CPF", cpf);
      asset->set("I7_0", Decimal(10 * (k + 1)));
      asset->set("I7_4", amount(i, k, 1000, 90000));
    }
    const int codes[] = {1, 10, 36, 40, 50};
    for (int k = 0; k < (big ? big_rows : 1 + i % 4); ++k) {
      auto* pay = add(6);
      pay->set("CPF", cpf);
      pay->set("I6_3", Decimal(codes[(i + k) % 5]));
      pay->set("I6_4", amount(i, k, 200, 8000));
    }
    if (i % 5 == 0) {
      auto* leao = add(12);
      leao->set("CPF", cpf);
      leao->set("I2_101", amount(i, 1, 1000, 4000));
      leao->set("I2_601", amount(i, 2, 10, 300));
    }
  }
  return folder;
}

// Runs the benchmarks of the program, then removes their folder.
inline int run_and_clean(int argc, char** argv, const std::string& (*folder)()) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::filesystem::remove_all(folder());
  return 0;
}

}  // namespace vormel::bench
