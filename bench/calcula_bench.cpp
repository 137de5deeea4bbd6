// Time of `vormel calcula` over a work folder of 10,000 declarations (identification,
// summary, one to three incomes, dependants, payments and some carnê-leão rows each),
// built once in a temporary folder. Target: at most 2 seconds.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include "core/date.h"
#include "core/decimal.h"
#include "shell/calcula_command.h"
#include "storage/database.h"

namespace {

using namespace vormel;
using core::Decimal;

constexpr int kDeclarations = 10000;

std::string cpf_of(int i) {
  char text[16];
  std::snprintf(text, sizeof text, "%011llu", (12345678901ULL + static_cast<unsigned long long>(i) * 98765431ULL) % 100000000000ULL);
  return text;
}

Decimal amount(int i, int k, int low, int spread) { return Decimal::from_units((low + (i * 7919 + k * 104729) % spread) * 100LL, 2); }

std::string build_folder() {
  char name[] = "/tmp/vormel-calcula-bench-XXXXXX";
  std::string folder = std::string(::mkdtemp(name)) + "/";
  storage::QuietReporter reporter;
  storage::Database db(reporter, {folder, folder, "00"});
  for (int n : {9, 1, 2, 3, 6, 12}) db.ABERTURA(n, true);
  auto add = [&](int area) {
    db.select(area);
    db.ADD_REC(1);
    return &db.area(area);
  };
  for (int i = 0; i < kDeclarations; ++i) {
    const std::string cpf = cpf_of(i);
    auto* id = add(9);
    id->set("CPF", cpf);
    id->set("NOMECONTR", "CLIENTE " + std::to_string(i));
    id->set("USAPADRAO", std::string(i % 2 ? "S" : "N"));
    add(1)->set("CPF", cpf);
    for (int k = 0; k < 1 + i % 3; ++k) {
      auto* row = add(2);
      row->set("CPF", cpf);
      row->set("I1_1", std::string(k == 2 ? "D" : "J"));
      row->set("I1_11", std::string(k == 2 ? "N" : "S"));
      row->set("I1_4", amount(i, k, 20000, 150000));
      row->set("I1_5", amount(i, k, 100, 9000));
      row->set("I1_6", amount(i, k, 500, 5000));
      row->set("I1_7", amount(i, k, 1000, 6000));
    }
    for (int k = 0; k < i % 3; ++k) {
      auto* dep = add(3);
      dep->set("CPF", cpf);
      dep->set("CODIDEPEN", Decimal(k ? 21 : 11));
    }
    const int codes[] = {1, 10, 36, 40, 50};
    for (int k = 0; k < 1 + i % 4; ++k) {
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

const std::string& folder() {
  static const std::string f = build_folder();
  return f;
}

void BM_CalculaWholeFolder(benchmark::State& state) {
  const std::string& f = folder();
  double seconds = 0;
  for (auto _ : state) {
    std::ostringstream out, err;
    auto start = std::chrono::steady_clock::now();
    int status = shell::calcula_command({"--pasta", f}, f, *core::Date::from_ymd(2016, 4, 15), out, err);
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (status != 0) state.SkipWithError(err.str().c_str());
    benchmark::DoNotOptimize(out.str().size());
  }
  state.counters["seconds"] = seconds;
  state.counters["declarations"] = kDeclarations;
  std::printf("calcula over %d declarations: %.2f s (target <= 2 s: %s)\n", kDeclarations, seconds,
              seconds <= 2.0 ? "met" : "MISSED");
}
BENCHMARK(BM_CalculaWholeFolder)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::filesystem::remove_all(folder());
  return 0;
}
