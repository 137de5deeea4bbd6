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
#include "declaration_folder.h"
#include "shell/calcula_command.h"
#include "storage/database.h"

namespace {

using namespace vormel;
using core::Decimal;

constexpr int kDeclarations = 10000;

const std::string& folder() {
  static const std::string f = bench::build_declaration_folder(kDeclarations);
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

int main(int argc, char** argv) { return vormel::bench::run_and_clean(argc, argv, folder); }
