// Importing a site of 5,000 pages: 50 folders of 99 pages and 50 top-level pages,
// each about 4 KB of body text, a third of them in Windows-1252; with titles (argument 1)
// or with the caption in an <h1> only, which needs the whole page parsed (argument 0).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "import/siteimport.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;

std::string SitePage(int n, bool windows1252, bool title) {
  std::string page = "<!DOCTYPE html>\n<html><head>";
  page += windows1252 ? "<meta charset=\"windows-1252\">" : "<meta charset=\"utf-8\">";
  const std::string caption = (windows1252 ? "Seite f\xFCr " : "Seite f\xC3\xBCr ") + std::to_string(n);
  if (title) page += "<title>" + caption + "</title>";
  page += "\n<link rel=stylesheet href=s.css></head>\n<body>\n<h1>" + caption + "</h1>\n";
  for (int i = 0; i < 50; ++i) page += "<p>Ein Absatz mit <a href=\"x.htm\">Verweis</a> und etwas mehr Text darin.</p>\n";
  return page + "</body></html>\n";
}

void WriteSite(const std::string& site, bool titles) {
  fs::create_directories(site);
  int n = 0;
  const auto put = [&](const std::string& path) {
    std::ofstream(path, std::ios::binary) << SitePage(n, n % 3 == 0, titles);
    ++n;
  };
  for (int i = 0; i < 50; ++i) put(site + "/seite" + std::to_string(i) + ".htm");
  for (int f = 0; f < 50; ++f) {
    const std::string folder = site + "/bereich" + std::to_string(f);
    fs::create_directories(folder);
    put(folder + "/index.htm");
    for (int i = 1; i < 99; ++i) put(folder + "/" + std::to_string(i) + "-seite.htm");
  }
}

void BM_ImportFiveThousandPages(benchmark::State& state) {
  const std::string site = (fs::temp_directory_path() / ("navforge-import-bench-" + std::to_string(::getpid()))).string();
  WriteSite(site, state.range(0) != 0);
  import::ImportOptions options;
  options.SiteFolder = site;
  options.MenuPage = site + "/navigation.htm";
  std::size_t entries = 0;
  for (auto _ : state) {
    const import::ImportProposal proposal = import::ProposeMenu(options);
    entries = proposal.Entries.size();
    benchmark::DoNotOptimize(entries);
  }
  state.counters["entries"] = static_cast<double>(entries);
  fs::remove_all(site);
}
BENCHMARK(BM_ImportFiveThousandPages)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace navforge
