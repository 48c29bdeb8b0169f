// Page generation of a large menu in one-file-per-entry mode, against the time it
// takes to write the same bytes to the same folder.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>

#include "check/menucheck.h"
#include "core/generatememory.h"
#include "core/menudocument.h"
#include "support/sparetemp.h"
#include "support/textfile.h"

namespace navforge {
namespace {

namespace fs = std::filesystem;

void Put(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// A realistic set: every entry and page placeholder at least once, "$submenu$" in the
// active fragment only, a few empty lines.
void WriteSet(const std::string& set) {
  fs::create_directories(set);
  Put(set + "template.ini", "[Main]\r\nall_in_one=0\r\n");
  Put(set + "header.txt",
      "<html><head><title>$Title$</title>\n"
      "<style>body{color:$TextColor$;background:$BackgroundColor$ url($BackgroundImage$)}\n"
      "a{color:$LinkColor$} a:active{color:$ALinkColor$} a:visited{color:$VLinkColor$}\n"
      "a:hover{color:$HoverColor$} .f{color:$FirstLetterColor$}\n"
      ".s{font-family:$SubMenuFont$;font-size:$SubMenuFontSize$;margin-left:$SubMenuLeftMargin$}</style>\n"
      "</head>\n\n<body style=\"font-family:$Font$;font-size:$FontSize$\">\n"
      "<!-- $FileName$ / $CurrentFilename$ -->\n<p class=c>$company$ - $slogan$</p>\n");
  Put(set + "footer.txt", "\n<p>$copyright$ $year$ $author$ $mail$</p>\n<p>$v7$ $v8$ $v9$ $v10$</p>\n</body></html>\n");
  Put(set + "menupoint.txt",
      "<div class=m><a href=\"$Link$\" target=\"$LinkTarget$\" id=\"$LinkID$\" title=\"$Linkname$\">"
      "<span class=f>$FirstLetter$</span>$RestLetter$</a></div>\n");
  Put(set + "activemenupoint.txt",
      "<div class=a><a href=\"$Link$\" target=\"$LinkTarget$\" id=\"$LinkID$\" title=\"$Linkname$\">"
      "<b class=f>$FirstLetter$</b>$RestLetter$</a>\n\n<div class=s>\n$submenu$</div></div>\n");
  Put(set + "BetweenMenupoints.txt", "$hr$\n");
  Put(set + "SubmenuPoint.txt",
      "<a class=s href=\"$Link$\" target=\"$LinkTarget$\" id=\"$LinkID$\">"
      "<span class=f>$FirstLetter$</span>$RestLetter$ ($Linkname$)</a>\n");
  Put(set + "BetweenSubmenuPoints.txt", "<br>\n\n");
}

std::string Caption(std::mt19937& rng) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ \xE4\xF6\xFC\xDF";
  const int len = std::uniform_int_distribution<int>(10, 30)(rng);
  std::string s;
  for (int i = 0; i < len; ++i) s += kLetters[rng() % (sizeof kLetters - 1)];
  return s;
}

std::string FlipCase(std::string s) {
  for (char& c : s)
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) c = static_cast<char>(c ^ 0x20);
  return s;
}

struct Workload {
  std::string folder;  // with trailing "/"
  TovHTML doc;
  std::size_t documentBytes = 0;

  explicit Workload(int entries) {
    // NAVFORGE_BENCH_DIR picks the file system to measure on (default: TMPDIR, /tmp).
    const char* base = std::getenv("NAVFORGE_BENCH_DIR");
    if (!base || !*base) base = std::getenv("TMPDIR");
    std::string tmpl = std::string(base && *base ? base : "/tmp") + "/navforge-bench-XXXXXX";
    folder = std::string(::mkdtemp(tmpl.data())) + "/";
    WriteSet(folder + "Templates/Menu/");
    fs::create_directories(folder + "site");
    doc.TemplateRoot = folder + "Templates";
    doc.Template = "Menu";
    doc.Filename = folder + "site/menu.htm";
    doc.Title = "Navigation";
    doc.Font = "Verdana";
    doc.FontSize = "10pt";
    doc.SubmenuFont = "Arial";
    doc.SubmenuFontSize = "8pt";
    doc.SubmenuLeftMargin = "12px";
    doc.BackgroundImage = "bg.gif";
    doc.TextColor = 0x000000;
    doc.BackgroundColor = 0xFFFFFF;
    doc.LinkColor = 0x800000;
    doc.HoverColor = 0x0000FF;
    std::mt19937 rng(2000);
    std::vector<std::string> used;
    for (int i = 0; i < entries; ++i) {
      const bool sub = i % 5 != 0;  // 1 main entry, 4 sub-entries
      std::string caption = (i % 20 == 7 && !used.empty()) ? FlipCase(used[rng() % used.size()]) : Caption(rng);
      used.push_back(caption);
      doc.InsertItem(-1, caption, "page" + std::to_string(i) + ".htm", sub ? "inhalt" : "main", sub);
    }
    const char* names[] = {"company", "slogan", "copyright", "year", "author", "mail", "v7", "v8", "v9", "v10"};
    for (const char* n : names) doc.Variables.AddVariable(n, std::string("value of ") + n);
    for (const TMTItem& it : doc.Items) documentBytes += it.Caption.size() + it.Link.size() + it.Target.size();
  }
  ~Workload() { fs::remove_all(folder); }

  std::vector<std::string> PagePaths() const {
    std::vector<std::string> paths;
    for (const auto& e : fs::directory_iterator(folder + "site")) paths.push_back(e.path().string());
    return paths;
  }
};

double UserSeconds() {
  rusage ru{};
  ::getrusage(RUSAGE_SELF, &ru);
  return static_cast<double>(ru.ru_utime.tv_sec) + static_cast<double>(ru.ru_utime.tv_usec) / 1e6;
}

double CurrentRssMiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double PeakRssMiB() {
  rusage ru{};
  ::getrusage(RUSAGE_SELF, &ru);
  return static_cast<double>(ru.ru_maxrss) / 1024.0;  // KiB on Linux
}

// range(0): entries (one main entry to four sub-entries); range(1): 1 to write a page
// while the next is made, 0 to write each page before the next.
void BM_GenerateOneFilePerEntry(benchmark::State& state) {
  // Google Benchmark calls this several times per size; one menu and folder per size,
  // generated once before any timing, keeps every measured run a user's: replacing the
  // pages of the last one (the first run creates them, and a folder made and removed
  // per call would leave the file system busy with the deleted files).
  static std::map<std::int64_t, std::unique_ptr<Workload>> workloads;
  static std::map<std::int64_t, double> rssWithMenu;
  std::unique_ptr<Workload>& slot = workloads[state.range(0)];
  const Overlap overlap = state.range(1) ? Overlap::On : Overlap::Off;
  if (!slot) {
    slot = std::make_unique<Workload>(static_cast<int>(state.range(0)));
    rssWithMenu[state.range(0)] = CurrentRssMiB();
    slot->doc.Generate(RunOptions{{}, overlap});
  }
  Workload& w = *slot;
  using Clock = std::chrono::steady_clock;
  // The peak is the process's so far: one size and mode per process gives its own.
  const double startRss = rssWithMenu[state.range(0)];
  double generateSeconds = 0, cpuSeconds = 0, userSeconds = 0, writeAloneSeconds = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    const std::clock_t c0 = std::clock();
    const double u0 = UserSeconds();
    const RunResult run = w.doc.Generate(RunOptions{{}, overlap});
    userSeconds += UserSeconds() - u0;
    cpuSeconds += static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    generateSeconds += std::chrono::duration<double>(Clock::now() - t0).count();
    writeAloneSeconds += run.Stats.WriteSeconds;
  }
  // Peak memory of generation itself, before the pages are read back below.
  const double peak = PeakRssMiB();

  // The same bytes to the same paths, through the same atomic whole-file write (with a
  // spare, as generation writes), and through a plain stream write without flushing to
  // disk; one page in memory at a time.
  const std::vector<std::string> paths = w.PagePaths();
  const auto iterations = static_cast<double>(state.iterations());
  double atomicSeconds = 0, plainSeconds = 0, atomicCpuSeconds = 0;
  std::size_t bytes = 0;
  SpareTemp spare;
  for (const std::string& path : paths) {
    std::string text;
    {
      std::ifstream in(path, std::ios::binary);
      text.assign(std::istreambuf_iterator<char>(in), {});
    }
    bytes += text.size();
    auto t0 = Clock::now();
    const std::clock_t c0 = std::clock();
    WriteWholeFile(path, text, Durable::No, &spare);
    atomicCpuSeconds += static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    atomicSeconds += std::chrono::duration<double>(Clock::now() - t0).count();
    t0 = Clock::now();
    Put(path, text);
    plainSeconds += std::chrono::duration<double>(Clock::now() - t0).count();
  }
  const double perRun = generateSeconds / iterations;
  state.counters["pages"] = static_cast<double>(paths.size());
  state.counters["MB_written"] = static_cast<double>(bytes) / 1e6;
  state.counters["ns_per_byte"] = perRun * 1e9 / static_cast<double>(bytes);
  state.counters["x_atomic_write"] = perRun / atomicSeconds;
  state.counters["x_plain_write"] = perRun / plainSeconds;
  // The same in processor time: on a loaded machine wall-clock time mostly measures the
  // other programs.
  state.counters["x_atomic_write_cpu"] = cpuSeconds / iterations / atomicCpuSeconds;
  state.counters["peak_MiB"] = peak;
  state.counters["peak_above_doc_MiB"] = peak - startRss;
  // The share of the run the writes took, measured inside it (navforge-cli --stats).
  state.counters["x_write_alone"] = generateSeconds / writeAloneSeconds;
  // Processor time in the program itself, without the kernel's share of the writes.
  state.counters["user_ns_per_byte"] = userSeconds / iterations * 1e9 / static_cast<double>(bytes);
  state.counters["cpu_ns_per_byte"] = cpuSeconds / iterations * 1e9 / static_cast<double>(bytes);
  state.counters["doc_MiB"] = static_cast<double>(w.documentBytes) / (1024.0 * 1024.0);
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}
// The 100x4, 400x4, 1600x4 and 3200x4 menus, with and without the overlap.
void Sizes(benchmark::internal::Benchmark* b) {
  for (int entries : {500, 2000, 8000, 16000})
    for (int overlap : {0, 1}) b->Args({entries, overlap});
}
BENCHMARK(BM_GenerateOneFilePerEntry)
    ->Apply(Sizes)
    ->MinTime(2)
    ->ArgNames({"entries", "overlap"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A "$" in a value (a price, a script line) against the same values without it, on the
// 400x4 menu: processor time of generating into memory, both in one process.
void BM_DollarValues(benchmark::State& state) {
  Workload plain(2000), dollars(2000);
  const char* values[] = {"ab 5 $", "$(function(){ $('#menu').show(); })", "US$ 10", "$", "Preis: 3 $"};
  for (std::size_t i = 0; i < dollars.doc.Variables.Vars.size(); ++i)
    dollars.doc.Variables.Vars[i].Value = values[i % 5];
  dollars.doc.hr = "<hr title=\"$\">";
  const auto cpu = [](TovHTML& doc) {
    const std::clock_t c0 = std::clock();
    benchmark::DoNotOptimize(GenerateToMemory(doc));
    return static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
  };
  double plainSeconds = 0, dollarSeconds = 0;
  for (auto _ : state) {
    plainSeconds += cpu(plain.doc);
    dollarSeconds += cpu(dollars.doc);
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["plain_ms"] = plainSeconds / n * 1e3;
  state.counters["dollar_ms"] = dollarSeconds / n * 1e3;
  state.counters["x_dollar"] = dollarSeconds / plainSeconds;  // goal: 1.3 at most
}
BENCHMARK(BM_DollarValues)->Iterations(5)->Unit(benchmark::kMillisecond);

// The check of the 400x4 menu against generating it into memory: processor time, both
// in one process (the check makes every page once, as generation does, and drops it).
void BM_CheckAgainstGenerateToMemory(benchmark::State& state) {
  Workload w(2000);
  check::CheckOptions options;
  options.menuFile = w.folder + "menu.nff";
  const auto cpu = [](auto&& run) {
    const std::clock_t c0 = std::clock();
    run();
    return static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
  };
  double generateSeconds = 0, checkSeconds = 0;
  for (auto _ : state) {
    generateSeconds += cpu([&] { benchmark::DoNotOptimize(GenerateToMemory(w.doc)); });
    checkSeconds += cpu([&] { benchmark::DoNotOptimize(check::CheckMenu(w.doc, options)); });
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["generate_ms"] = generateSeconds / n * 1e3;
  state.counters["check_ms"] = checkSeconds / n * 1e3;
  state.counters["x_check"] = checkSeconds / generateSeconds;  // goal: 1.5 at most
}
BENCHMARK(BM_CheckAgainstGenerateToMemory)->Iterations(10)->Unit(benchmark::kMillisecond);

// The process's peak resident memory from now on: freed memory goes back to the system
// first (or the second run would reuse the first's), and Linux resets the high-water
// mark to the current size on request, so two runs in one process each get their own.
double ResetPeakAndGetRssMiB() {
  ::malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";
  return CurrentRssMiB();
}

double HighWaterMiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;  // kB
  return 0;
}

// The check of a menu runs its generation page by page: its memory above the menu is
// held to a few pages, against the generate command's on the same menu.
void BM_CheckMemoryAgainstGenerate(benchmark::State& state) {
  Workload w(static_cast<int>(state.range(0)));
  w.doc.Generate();  // the pages exist, as for a user's check
  check::CheckOptions options;
  options.menuFile = w.folder + "menu.nff";
  double generatePeak = 0, checkPeak = 0;
  for (auto _ : state) {
    double base = ResetPeakAndGetRssMiB();
    w.doc.Generate();
    generatePeak = std::max(generatePeak, HighWaterMiB() - base);
    base = ResetPeakAndGetRssMiB();
    benchmark::DoNotOptimize(check::CheckMenu(w.doc, options));
    checkPeak = std::max(checkPeak, HighWaterMiB() - base);
  }
  state.counters["generate_peak_above_doc_MiB"] = generatePeak;
  state.counters["check_peak_above_doc_MiB"] = checkPeak;
  state.counters["x_check_memory"] = checkPeak / generatePeak;  // goal: under 3
}
BENCHMARK(BM_CheckMemoryAgainstGenerate)->Arg(8000)->ArgName("entries")->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace navforge

BENCHMARK_MAIN();
