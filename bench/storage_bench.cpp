// Timings of the storage layer on a work folder of 10,000 declarations (about 107,000
// rows over IMP01..IMP20), built once per run in a temporary folder:
//   seek by CPF in IMP09, a client's rows in IMP04, appends with locks, rebuilding every
//   index of the folder, and a full read of IMP02 against python3-dbf reading the same file.
// Each figure is a counter of its benchmark; a summary against the targets ends the run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "storage/database.h"
#include "storage/dbf_table.h"

extern char** environ;

namespace {

using namespace vormel::storage;
using vormel::core::Date;
using vormel::core::Decimal;
using Clock = std::chrono::steady_clock;

constexpr int kDeclarations = 10000;
constexpr const char* kPython = "/usr/bin/python3";

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Distinct 11-digit CPFs, in no particular order (the step is prime to 10^11).
std::string cpf_of(int i) {
  unsigned long long v = (12345678901ULL + static_cast<unsigned long long>(i) * 98765431ULL) % 100000000000ULL;
  char text[16];
  std::snprintf(text, sizeof text, "%011llu", v);
  return text;
}

std::string numbered(const char* prefix, int i) { return std::string(prefix) + std::to_string(i); }
Decimal money(int i, int k) { return Decimal::from_units(100000 + (i * 7919 + k * 104729) % 9000000, 2); }
Date date_of(int i) { return *Date::from_ymd(1950 + i % 50, 1 + i % 12, 1 + i % 28); }

// How many rows declaration i has in table n: one in IMP01 and IMP09, several in the
// tables of incomes, assets and expenses, a few in the rest.
int rows_of(int table, int i) {
  switch (table) {
    case 1: case 9: return 1;
    case 2: return 1 + i % 3;
    case 3: return i % 2;
    case 4: return 1 + i % 5;
    case 6: case 10: return i % 3;
    case 5: case 19: return i % 10 == 0;
    case 11: return i % 5 == 0;
    case 12: return i % 4 == 0;
    case 13: return i % 3 == 0;
    case 14: case 20: return i % 20 == 0;
    case 15: case 16: return i % 25 == 0;
    case 7: case 8: return i % 50 == 0;
    default: return i % 40 == 0;  // 17, 18
  }
}

// The fields of row k (1-based) of declaration i in table n, beyond CPF.
void fill_row(WorkArea& a, int table, int i, int k) {
  switch (table) {
    case 1: a.set("I3_01", money(i, k)); a.set("DESPADRAO", money(i, 2)); break;
    case 2:
      a.set("I1_1", std::string("1"));
      a.set("I1_2", numbered("FONTE PAGADORA ", i * 3 + k));
      a.set("I1_3", numbered("12.345.678/0001-", 10 + k));
      a.set("I1_4", money(i, k));
      a.set("I1_5", money(i, k + 1));
      a.set("I1_6", money(i, k + 2));
      a.set("DT_LC", date_of(i + k));
      break;
    case 3: a.set("NOMEDEPEN", numbered("DEPENDENTE ", i)); a.set("CODIDEPEN", Decimal(k)); break;
    case 4:
      a.set("I7_0", Decimal(k));
      a.set("I7_1", Decimal(10 + k));
      a.set("I7_2", numbered("APARTAMENTO NA RUA ", i));
      a.set("I7_3", money(i, k));
      a.set("I7_4", money(i, k + 1));
      break;
    case 5: a.set("I8_0", Decimal(k)); a.set("I8_3", money(i, k)); break;
    case 6: a.set("I6_1", numbered("BANCO ", k)); a.set("I6_3", Decimal(k)); a.set("I6_4", money(i, k)); break;
    case 7: case 8: a.set("BEM_NRO", Decimal(k)); break;
    case 9:
      a.set("NOMECONTR", numbered("CONTRIBUINTE NUMERO ", i));
      a.set("ESTATUS", Decimal(i % 7));
      a.set("UF", std::string("SP"));
      a.set("NASCIMENTO", date_of(i));
      break;
    case 10:
      a.set("CODDESP", Decimal(10 + k));
      a.set("DESCDESP", std::string("CONSULTA MEDICA"));
      a.set("VALODESP", money(i, k));
      break;
    case 11: a.set("OBSERV", std::string("FALTA O RECIBO")); a.set("CODERR", Decimal(k)); break;
    case 12: a.set("I2_101", money(i, k)); break;
    case 13: a.set("CDCONTA", std::string("0101")); a.set("NROITEM", Decimal(k)); a.set("VALODESP", money(i, k)); break;
    case 14: a.set("DESCRICAO", std::string("PREJUIZO A COMPENSAR")); a.set("PREJUIZO", money(i, k)); break;
    case 19: a.set("ATV_BRASIL", std::string("S")); a.set("DT_LC", date_of(i)); a.set("VALOR", money(i, k)); break;
    case 20: a.set("NOMEDEPEN", numbered("HERDEIRO ", i)); a.set("CPFHERDE", cpf_of(i + 1)); break;
    default: a.set("ATV_BRASIL", std::string("S")); break;  // 15..18
  }
}

// The work folder, made once for the whole run and removed at its end.
class BenchFolder {
 public:
  static BenchFolder& get() {
    static BenchFolder folder;
    return folder;
  }
  StorageFolders folders() const { return {program_, work_, "00"}; }
  std::string table_file(int n) const {
    QuietReporter r;
    return Database(r, folders()).table_path(n) + ".DBF";
  }
  long rows = 0;
  double build_seconds = 0;

 private:
  BenchFolder() {
    char name[] = "/tmp/vormel-bench-XXXXXX";
    root_ = ::mkdtemp(name);
    program_ = root_ + "/program/";
    work_ = root_ + "/work/";
    std::filesystem::create_directories(program_);
    std::filesystem::create_directories(work_);
    auto start = Clock::now();
    QuietReporter r;
    Database db(r, folders());
    for (int n = 1; n <= 20; ++n) {
      // Ours alone while filling: no record locks to take.
      if (!db.ABERTURA(n, true)) throw std::runtime_error("cannot open table " + std::to_string(n));
      WorkArea& a = db.area(n);
      for (int i = 0; i < kDeclarations; ++i) {
        for (int k = 1, count = rows_of(n, i); k <= count; ++k) {
          if (!db.ADD_REC(1)) throw std::runtime_error("cannot append to table " + std::to_string(n));
          a.set("CPF", cpf_of(i));
          fill_row(a, n, i, k);
          ++rows;
        }
      }
      db.close_area(n);
    }
    build_seconds = seconds_since(start);
  }
  ~BenchFolder() { std::filesystem::remove_all(root_); }
  std::string root_, program_, work_;
};

// The CPFs of every declaration in a fixed random order.
std::vector<int> shuffled_declarations() {
  std::vector<int> order(kDeclarations);
  for (int i = 0; i < kDeclarations; ++i) order[size_t(i)] = i;
  std::shuffle(order.begin(), order.end(), std::mt19937(20160430));
  return order;
}

// Times of single operations, for the median.
class Samples {
 public:
  void add(double seconds) { values_.push_back(seconds); }
  double median() {
    if (values_.empty()) return 0;
    auto mid = values_.begin() + long(values_.size() / 2);
    std::nth_element(values_.begin(), mid, values_.end());
    return *mid;
  }
  double percentile(double p) {
    if (values_.empty()) return 0;
    auto at = values_.begin() + long(double(values_.size() - 1) * p);
    std::nth_element(values_.begin(), at, values_.end());
    return *at;
  }

 private:
  std::vector<double> values_;
};

// What the run measured, for the closing summary (the last run of each benchmark wins).
struct Figures {
  std::optional<double> seek_us, walk_us, appends_per_s, rebuild_s, read_ratio, read_ratio_with_start;
  double ours_read_s = 0, python_read_s = 0, python_process_s = 0;
  long read_records = 0;
};
Figures figures;

void BM_SeekImp09(benchmark::State& state) {
  BenchFolder& folder = BenchFolder::get();
  QuietReporter r;
  Database db(r, folder.folders());
  if (!db.ABERTURA(9)) return state.SkipWithError("IMP09 did not open");
  WorkArea& a = db.area(9);
  std::vector<std::string> cpfs;
  for (int i : shuffled_declarations()) cpfs.push_back(cpf_of(i));
  Samples samples;
  size_t next = 0;
  for (auto _ : state) {
    const std::string& cpf = cpfs[next++ % cpfs.size()];
    auto start = Clock::now();
    bool found = a.seek(cpf);
    samples.add(seconds_since(start));
    benchmark::DoNotOptimize(found);
    if (!found) return state.SkipWithError(("CPF not found: " + cpf).c_str());
  }
  figures.seek_us = samples.median() * 1e6;
  state.counters["median_us"] = *figures.seek_us;
  state.counters["p99_us"] = samples.percentile(0.99) * 1e6;
}
BENCHMARK(BM_SeekImp09)->Unit(benchmark::kMicrosecond);

void BM_WalkClientImp04(benchmark::State& state) {
  BenchFolder& folder = BenchFolder::get();
  QuietReporter r;
  Database db(r, folder.folders());
  if (!db.ABERTURA(4)) return state.SkipWithError("IMP04 did not open");
  WorkArea& a = db.area(4);
  std::vector<int> order = shuffled_declarations();
  Samples samples;
  size_t next = 0;
  long rows = 0;
  for (auto _ : state) {
    int i = order[next++ % order.size()];
    std::string cpf = cpf_of(i);
    auto start = Clock::now();
    int seen = 0;
    for (a.seek(cpf); !a.eof() && a.text("CPF") == cpf; a.skip()) {
      benchmark::DoNotOptimize(a.recno());
      ++seen;
    }
    samples.add(seconds_since(start));
    if (seen != rows_of(4, i)) return state.SkipWithError(("wrong row count for CPF " + cpf).c_str());
    rows += seen;
  }
  figures.walk_us = samples.median() * 1e6;
  state.counters["median_us"] = *figures.walk_us;
  state.counters["p99_us"] = samples.percentile(0.99) * 1e6;
  state.counters["rows_per_walk"] = double(rows) / double(state.iterations());
}
BENCHMARK(BM_WalkClientImp04)->Unit(benchmark::kMicrosecond);

// Runs python3-dbf over the table once; its script times the read itself, so the
// interpreter's start and the import are left out of python_read_s.
struct PythonRead {
  bool ok = false;
  long records = 0;
  double read_s = 0, process_s = 0;
  std::string error;
};

PythonRead python_read(const std::string& path) {
  static const char* script =
      "import sys, time\n"
      "import dbf\n"
      "start = time.perf_counter()\n"
      "t = dbf.Table(sys.argv[1], codepage='cp850')\n"
      "t.open(dbf.READ_ONLY)\n"
      "names = t.field_names\n"
      "n = 0\n"
      "for r in t:\n"
      "    for f in names:\n"
      "        r[f]\n"
      "    n += 1\n"
      "t.close()\n"
      "print(n, time.perf_counter() - start)\n";
  PythonRead result;
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) {
    result.error = "pipe failed";
    return result;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  std::string program = kPython, dash_c = "-c", code = script, table = path;
  char* argv[] = {program.data(), dash_c.data(), code.data(), table.data(), nullptr};
  pid_t pid = 0;
  auto start = Clock::now();
  int spawned = posix_spawn(&pid, kPython, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  std::string text;
  if (spawned == 0) {
    char buffer[256];
    ssize_t got;
    while ((got = ::read(out[0], buffer, sizeof buffer)) > 0) text.append(buffer, size_t(got));
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.process_s = seconds_since(start);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
        std::sscanf(text.c_str(), "%ld %lf", &result.records, &result.read_s) == 2)
      result.ok = true;
    else
      result.error = "python3-dbf failed: " + text;
  } else {
    result.error = "cannot start " + program;
  }
  ::close(out[0]);
  return result;
}

void BM_FullReadImp02(benchmark::State& state) {
  std::string path = BenchFolder::get().table_file(2);
  Samples samples;
  long records = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    auto table = Table::open(path);
    const auto& fields = table->fields();
    std::string record;
    records = 0;
    for (uint32_t r = 1, count = table->record_count(); r <= count; ++r) {
      table->read(r, record);
      for (const Field& f : fields) benchmark::DoNotOptimize(table->get(f, record));
      ++records;
    }
    samples.add(seconds_since(start));
  }
  static const PythonRead python = python_read(path);
  if (!python.ok) return state.SkipWithError(python.error.c_str());
  if (python.records != records) return state.SkipWithError("python3-dbf read another number of records");
  figures.ours_read_s = samples.median();
  figures.python_read_s = python.read_s;
  figures.python_process_s = python.process_s;
  figures.read_records = records;
  figures.read_ratio = python.read_s / figures.ours_read_s;
  figures.read_ratio_with_start = python.process_s / figures.ours_read_s;
  state.counters["records"] = double(records);
  state.counters["ours_s"] = figures.ours_read_s;
  state.counters["python_s"] = python.read_s;
  state.counters["read_ratio"] = *figures.read_ratio;
}
BENCHMARK(BM_FullReadImp02)->Unit(benchmark::kMillisecond);

void BM_RebuildAllIndexes(benchmark::State& state) {
  BenchFolder& folder = BenchFolder::get();
  Samples samples;
  for (auto _ : state) {
    auto start = Clock::now();
    QuietReporter r;
    Database db(r, folder.folders());
    db.REFAZ_IND = true;
    for (int n = 1; n <= 20; ++n)
      if (!db.ABERTURA(n)) return state.SkipWithError(("table " + std::to_string(n) + " did not open").c_str());
    db.close_all();
    samples.add(seconds_since(start));
  }
  figures.rebuild_s = samples.median();
  state.counters["rebuild_s"] = *figures.rebuild_s;
}
BENCHMARK(BM_RebuildAllIndexes)->Unit(benchmark::kMillisecond)->Iterations(3);

// Last, since it makes IMP10 grow: expenses added to existing clients, as a terminal
// does, in a shared open.
void BM_AppendLockedImp10(benchmark::State& state) {
  BenchFolder& folder = BenchFolder::get();
  QuietReporter r;
  Database db(r, folder.folders());
  if (!db.ABERTURA(10)) return state.SkipWithError("IMP10 did not open");
  db.select(10);
  WorkArea& a = db.area(10);
  std::vector<int> order = shuffled_declarations();
  size_t next = 0;
  auto start = Clock::now();
  for (auto _ : state) {
    int i = order[next++ % order.size()];
    if (!db.ADD_REC(1)) return state.SkipWithError("append refused");
    a.set("CPF", cpf_of(i));
    a.set("CODDESP", Decimal(26));
    a.set("VALODESP", money(i, 9));
    a.unlock();
  }
  double elapsed = seconds_since(start);
  figures.appends_per_s = double(state.iterations()) / elapsed;
  state.counters["appends_per_s"] = *figures.appends_per_s;
  state.counters["rows_after"] = double(a.record_count());
}
BENCHMARK(BM_AppendLockedImp10)->Unit(benchmark::kMicrosecond);

// One line per figure: measured, target, and by how much a missed target is missed.
void print_summary() {
  struct Line {
    const char* what;
    std::optional<double> value;
    double target;
    bool at_most;
    const char* unit;
  };
  const Line lines[] = {
      {"seek by CPF in IMP09 (median)", figures.seek_us, 20, true, "us"},
      {"walk of a client in IMP04 (median)", figures.walk_us, 100, true, "us"},
      {"appends with locks", figures.appends_per_s, 20000, false, "/s"},
      {"rebuild of every index", figures.rebuild_s, 2, true, "s"},
      {"full read of IMP02, python3-dbf / ours", figures.read_ratio, 10, false, "x"},
  };
  std::printf("\n%-42s %14s %12s  %s\n", "figure", "measured", "target", "result");
  for (const Line& l : lines) {
    char target[32];
    std::snprintf(target, sizeof target, "%s %g %s", l.at_most ? "<=" : ">=", l.target, l.unit);
    if (!l.value) {
      std::printf("%-42s %14s %12s  not measured\n", l.what, "-", target);
      continue;
    }
    bool met = l.at_most ? *l.value <= l.target : *l.value >= l.target;
    double off = l.at_most ? *l.value / l.target : l.target / *l.value;
    char measured[32];
    std::snprintf(measured, sizeof measured, "%.2f %s", *l.value, l.unit);
    if (met)
      std::printf("%-42s %14s %12s  met\n", l.what, measured, target);
    else
      std::printf("%-42s %14s %12s  MISSED (%.1fx off)\n", l.what, measured, target, off);
  }
  if (figures.read_ratio)
    std::printf("  IMP02: %ld records; ours %.1f ms, python3-dbf %.1f ms reading (%.1f ms with its start, %.1fx)\n",
                figures.read_records, figures.ours_read_s * 1e3, figures.python_read_s * 1e3,
                figures.python_process_s * 1e3, *figures.read_ratio_with_start);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  BenchFolder& folder = BenchFolder::get();
  char context[128];
  std::snprintf(context, sizeof context, "%d declarations, %ld rows in IMP01..IMP20, built in %.1f s", kDeclarations,
                folder.rows, folder.build_seconds);
  benchmark::AddCustomContext("work folder", context);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  print_summary();
  return 0;
}
