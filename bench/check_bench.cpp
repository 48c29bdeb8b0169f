// The menu check: the example site, and a menu of 2,000 entries with 2,000 local links
// (every tenth one broken) in one-file-per-entry mode.
#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "check/menucheck.h"
#include "core/generatememory.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;

struct Scratch {
  fs::path dir = fs::temp_directory_path() / ("navforge-check-bench-" + std::to_string(::getpid()));
  Scratch() { fs::create_directories(dir); }
  ~Scratch() { fs::remove_all(dir); }
};

void BM_CheckExample(benchmark::State& state) {
  Scratch scratch;
  const fs::path example = fs::path(NAVFORGE_SOURCE_DIR) / "examples/beispiel";
  fs::create_directories(scratch.dir / "build/beispiel");
  for (const auto& e : fs::directory_iterator(example)) fs::copy_file(e.path(), scratch.dir / "build/beispiel" / e.path().filename());
  TovHTML doc;
  doc.TemplateRoot = NAVFORGE_BIN_DIR "/Templates";
  doc.VariablesFile = (scratch.dir / "v.nfv").string();
  doc.LoadFromFile((example / "site.nff").string());
  doc.Filename = (scratch.dir / "build/beispiel/menu.htm").string();
  check::CheckOptions options;
  options.menuFile = (example / "site.nff").string();
  std::size_t findings = 0;
  for (auto _ : state) findings = check::CheckMenu(doc, options).size();
  state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(BM_CheckExample)->Unit(benchmark::kMillisecond);

void BM_CheckLargeMenu(benchmark::State& state) {
  Scratch scratch;
  const int entries = static_cast<int>(state.range(0));
  TovHTML doc;
  doc.TemplateRoot = NAVFORGE_BIN_DIR "/Templates";
  doc.VariablesFile = (scratch.dir / "v.nfv").string();
  doc.Template = "Aufklappen";
  doc.Filename = (scratch.dir / "menu.htm").string();
  for (int i = 0; i < entries; ++i) {
    const std::string page = "seite" + std::to_string(i) + ".htm";
    if (i % 10 != 7) std::ofstream(scratch.dir / page).put('x');
    doc.InsertItem(-1, "Eintrag " + std::to_string(i % 700), page, "", i % 5 != 0);
  }
  check::CheckOptions options;
  options.menuFile = (scratch.dir / "menu.nff").string();
  std::size_t findings = 0;
  double checkSeconds = 0, generateSeconds = 0;
  for (auto _ : state) {
    std::clock_t c0 = std::clock();
    findings = check::CheckMenu(doc, options).size();
    checkSeconds += static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    // The same menu generated into memory, for the comparison.
    state.PauseTiming();
    c0 = std::clock();
    benchmark::DoNotOptimize(GenerateToMemory(doc));
    generateSeconds += static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    state.ResumeTiming();
  }
  state.counters["findings"] = static_cast<double>(findings);
  state.counters["generate_ms"] = generateSeconds / static_cast<double>(state.iterations()) * 1e3;
  state.counters["x_generate"] = checkSeconds / generateSeconds;  // goal: 1.5 at most
}
BENCHMARK(BM_CheckLargeMenu)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace navforge

BENCHMARK_MAIN();
