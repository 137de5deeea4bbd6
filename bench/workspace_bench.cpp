// Opening and saving one declaration of 60 rows (20 incomes, 20 assets, 20 payments) in
// a work folder of 10,000 declarations. Targets: at most 50 ms to open, 100 ms to save.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "declaration/workspace.h"
#include "declaration_folder.h"

namespace {

using namespace vormel;

constexpr int kDeclarations = 10000;

const std::string& folder() {
  static const std::string f = bench::build_declaration_folder(kDeclarations, 20);
  return f;
}

double ms_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void BM_OpenAndSaveOneDeclaration(benchmark::State& state) {
  const std::string& f = folder();
  std::filesystem::create_directories(f + "work");
  storage::QuietReporter reporter;
  storage::Database db(reporter, {f, f, "01"});
  double open_ms = 0, save_ms = 0;
  for (auto _ : state) {
    declaration::Workspace w(db, f + "work/");
    auto start = std::chrono::steady_clock::now();
    if (!w.load(bench::cpf_of(0), false)) state.SkipWithError("load failed");
    open_ms = ms_since(start);
    w.vars.set_text("NOMECONTR", "CLIENTE ZERO");
    start = std::chrono::steady_clock::now();
    if (!w.save(true).ok) state.SkipWithError("save failed");
    save_ms = ms_since(start);
    db.close_all();
  }
  state.counters["open_ms"] = open_ms;
  state.counters["save_ms"] = save_ms;
  std::printf("one declaration of 60 rows in %d: open %.1f ms (target <= 50: %s), save %.1f ms (target <= 100: %s)\n",
              kDeclarations, open_ms, open_ms <= 50 ? "met" : "MISSED", save_ms, save_ms <= 100 ? "met" : "MISSED");
}
BENCHMARK(BM_OpenAndSaveOneDeclaration)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) { return vormel::bench::run_and_clean(argc, argv, folder); }
