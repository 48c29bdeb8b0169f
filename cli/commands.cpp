#include "cli/commands.h"

#include <chrono>
#include <cstdio>
#include <ostream>

#include "apply/siteapply.h"
#include "check/menucheck.h"
#include "check/report.h"
#include "cli/importcommand.h"
#include "core/menudocument.h"
#include "persist/formatfields.h"
#include "support/cp1252.h"
#include "support/errors.h"
#include "support/notifier.h"
#include "support/paths.h"
#include "support/stringlist.h"

namespace navforge::cli {
namespace {

// Shows the program's own messages on stderr and remembers that one came.
class StreamNotifier : public INotifier {
public:
  explicit StreamNotifier(std::ostream& err) : err_(err) {}
  void ShowMessage(const std::string& text) override {
    err_ << Cp1252ToUtf8(text) << '\n';
    shown_ = true;
  }
  bool Shown() const { return shown_; }

private:
  std::ostream& err_;
  bool shown_ = false;
};

constexpr const char* kOutputErrorMessage = "Fehler beim Schreiben in die Standardausgabe";

// The document starts with the window program's places (support/locations.h); an
// option names the one file or folder to use instead.
void PrepareDocument(TovHTML& doc, const CliOptions& o) {
  if (!o.variablesFile.empty()) {
    doc.VariablesFile = o.variablesFile;
    doc.ShippedVariables.clear();
  }
  if (!o.templatesDir.empty()) {
    doc.TemplateRoot = o.templatesDir;
    doc.UserTemplateRoot.clear();
  }
}

void PrintDocument(const TovHTML& doc, std::ostream& out) {
  TStringVector entries;
  doc.FillItemList(entries);
  out << "[Entries]\n";
  for (const std::string& line : entries.Lines) out << Cp1252ToUtf8(line) << '\n';

  out << "[Settings]\n";
  for (const FormatField& field : FormatFields) out << field.Key << '=' << Cp1252ToUtf8(FieldText(doc, field)) << '\n';

  out << "[Variables]\n";
  for (const TVarItem& v : doc.Variables.Vars) out << Cp1252ToUtf8(v.Name) << '=' << Cp1252ToUtf8(v.Value) << '\n';
}

// Prints the findings; the exit code says whether the menu may go live.
int RunCheck(const TovHTML& doc, const CliOptions& o, std::ostream& out) {
  check::CheckOptions options;
  options.menuFile = o.menuFile;
  options.outputBase = ExtractFilePath(o.menuFile);
  const check::Findings findings = check::CheckMenu(doc, options);
  if (o.format == Format::Json)
    out << check::FindingsJson(findings);
  else
    for (const check::Finding& f : findings) out << Cp1252ToUtf8(check::FindingLine(f)) << '\n';
  out.flush();
  return check::HasErrors(findings) || (o.strict && check::HasWarnings(findings)) ? kExitFailed : kExitOk;
}

// Sets the menu into the site's pages; the exit code says whether every page is in step.
int RunApply(const TovHTML& doc, const CliOptions& o, std::ostream& out, std::ostream& err) {
  apply::ApplyOptions options;
  options.SiteFolder = o.siteFolder;
  options.Mode = o.checkOnly ? apply::ApplyMode::Check : o.dryRun ? apply::ApplyMode::DryRun : apply::ApplyMode::Write;
  const apply::ApplyReport report = apply::ApplyToSite(doc, options);
  for (const std::string& line : apply::ReportLines(report, options.Mode))
    (report.Problem.empty() ? out : err) << Cp1252ToUtf8(line) << '\n';
  out.flush();
  const bool outOfStep = options.Mode == apply::ApplyMode::Check && report.Changed > 0;
  return report.Ok() && !outOfStep ? kExitOk : kExitFailed;
}

}  // namespace

std::string StatsLine(std::size_t pages, std::uint64_t bytes, double seconds, double writeSeconds) {
  char line[160];
  std::snprintf(line, sizeof line, "Seiten: %zu, Bytes: %llu, Zeit: %.3f s, Schreiben allein: %.3f s\n", pages,
                static_cast<unsigned long long>(bytes), seconds, writeSeconds);
  return line;
}

int Run(const CliOptions& o, std::ostream& out, std::ostream& err) {
  if (o.command == Command::Help) {
    out << UsageText();
    return kExitOk;
  }
  StreamNotifier notifier(err);
  ScopedNotifier scope(notifier);
  try {
    TovHTML doc;
    PrepareDocument(doc, o);
    // The window loads a menu of an unknown version as empty; here that would turn
    // into an empty resave or page, so it is an error before anything is written.
    if (!o.menuFile.empty()) {
      const std::int32_t version = TovHTML::ReadFileVersion(o.menuFile);
      if (version != 2 && version != -1) throw EUnknownMenuVersion(o.menuFile, version);
    }
    if (o.command == Command::Import) {
      RunImport(doc, o, out, err);
    } else {
      doc.LoadFromFile(o.menuFile);
      doc.MenuFile = o.menuFile;
      switch (o.command) {
        case Command::Resave:
          doc.SaveToFile(o.newMenuFile);
          break;
        case Command::Show:
          PrintDocument(doc, out);
          break;
        case Command::Generate: {
          RunOptions run;
          if (o.verbose) run.OnPageWritten = [&out](const std::string& page) { out << Cp1252ToUtf8(page) << '\n'; };
          const auto start = std::chrono::steady_clock::now();
          const RunResult result = doc.Generate(run);
          const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
          if (o.stats && !notifier.Shown())
            out << StatsLine(result.Stats.Pages, result.Stats.Bytes, seconds, result.Stats.WriteSeconds);
          break;
        }
        case Command::Check:
          return RunCheck(doc, o, out);
        case Command::Apply:
          return RunApply(doc, o, out, err);
        case Command::Help:
        case Command::Import:
          break;
      }
    }
  } catch (const ENavforgeError& e) {
    err << e.Utf8() << '\n';
    return kExitFailed;
  } catch (const std::exception& e) {
    err << "navforge-cli: " << Cp1252ToUtf8(UnexpectedErrorText(e)) << '\n';
    return kExitFailed;
  }
  out.flush();
  if (!out) {
    err << Cp1252ToUtf8(kOutputErrorMessage) << '\n';
    return kExitFailed;
  }
  return notifier.Shown() ? kExitFailed : kExitOk;
}

}  // namespace navforge::cli
