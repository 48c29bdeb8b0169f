// Setting a 400x4 menu into a site of 2,000 pages (20 folders of 100, a third in
// Windows-1252), each page named by one entry: the first run against writing the same
// bytes to the same pages alone, and a second run, where nothing changes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "apply/siteapply.h"
#include "support/sparetemp.h"
#include "support/textfile.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;

std::string HostPage(int n) {
  const bool cp1252 = n % 3 == 0;
  std::string page = "<!DOCTYPE html>\n<html lang=\"de\"><head>";
  page += cp1252 ? "<meta charset=\"windows-1252\">" : "<meta charset=\"utf-8\">";
  page += "<title>Seite " + std::to_string(n) + "</title></head>\n<body>\n<!-- navforge -->\n<!-- /navforge -->\n<main>\n";
  for (int i = 0; i < 40; ++i) page += cp1252 ? "<p>Ein Absatz f\xFCr die Seite.</p>\n" : "<p>Ein Absatz f\xC3\xBCr die Seite.</p>\n";
  return page + "</main>\n</body></html>\n";
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void BM_ApplyToSite(benchmark::State& state) {
  const fs::path root = fs::temp_directory_path() / ("navforge-apply-bench-" + std::to_string(::getpid()));
  const fs::path site = root / "site";
  TovHTML doc;
  doc.TemplateRoot = NAVFORGE_BIN_DIR "/Templates";
  doc.Template = "Aufklappen";
  doc.VariablesFile = (root / "v.nfv").string();
  doc.MenuFile = (site / "menu.nff").string();
  doc.Filename = "menu.htm";
  std::vector<std::string> pages;
  for (int n = 0; n < 2000; ++n) {
    const std::string rel = "bereich" + std::to_string(n / 100) + "/seite" + std::to_string(n) + ".html";
    fs::create_directories(site / fs::path(rel).parent_path());
    std::ofstream(site / rel, std::ios::binary) << HostPage(n);
    pages.push_back((site / rel).string());
    doc.InsertItem(-1, "Eintrag Nummer " + std::to_string(n), rel, "", n % 5 != 0);
  }
  double first = 0, alone = 0, second = 0, dry = 0;
  std::size_t changed = 0, changedAgain = 0, bytes = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    const apply::ApplyReport report = apply::ApplyToSite(doc, {});
    first = Seconds(start);
    if (!report.Problem.empty()) {
      state.SkipWithError(report.Problem.c_str());
      break;
    }
    changed = report.Changed;
    // The same bytes through the same whole-file write, read beforehand.
    std::vector<std::string> written;
    for (const std::string& page : pages) written.push_back(ReadWholeFile(page));
    SpareTemp spare;
    start = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < pages.size(); ++i) WriteWholeFile(pages[i], written[i], Durable::No, &spare);
    alone = Seconds(start);
    bytes = 0;
    for (const std::string& text : written) bytes += text.size();
    start = std::chrono::steady_clock::now();
    changedAgain = apply::ApplyToSite(doc, {}).Changed;
    second = Seconds(start);
    // The same run without its writes: what making the pages costs.
    for (std::size_t i = 0; i < pages.size(); ++i) WriteWholeFile(pages[i], HostPage(static_cast<int>(i)), Durable::No, &spare);
    start = std::chrono::steady_clock::now();
    apply::ApplyToSite(doc, {"", apply::ApplyMode::DryRun});
    dry = Seconds(start);
  }
  fs::remove_all(root);
  state.counters["pages_changed"] = static_cast<double>(changed);
  state.counters["MB_written"] = static_cast<double>(bytes) / 1e6;
  state.counters["first_run_s"] = first;
  state.counters["write_alone_s"] = alone;
  state.counters["x_write_alone"] = first / alone;  // goal: 2 at most
  state.counters["second_run_s"] = second;
  state.counters["dry_run_s"] = dry;
  state.counters["pages_changed_second"] = static_cast<double>(changedAgain);  // must be 0
}
BENCHMARK(BM_ApplyToSite)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace navforge
