#include "cli/options.h"

#include <ostream>

#include "core/ovhtml.h"
#include "support/cp1252.h"
#include "support/errors.h"
#include "support/notifier.h"
#include "support/paths.h"
#include "support/stringlist.h"

namespace navforge::cli {
namespace {

// Arguments each command takes besides its options.
std::size_t PositionalCount(Command c) { return c == Command::Resave ? 2 : 1; }

bool TakesOption(Command c, const std::string& name) {
  if (name == "--variables") return true;
  return c == Command::Generate && (name == "--templates" || name == "--verbose");
}

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

std::string UnknownVersionMessage(const std::string& path, std::int32_t version) {
  return "Die Men\xFC" "datei " + path + " hat eine unbekannte Version (" + std::to_string(version) +
         ") und kann nicht gelesen werden.";
}

constexpr const char* kOutputErrorMessage = "Fehler beim Schreiben in die Standardausgabe";

void PrepareDocument(TovHTML& doc, const CliOptions& o) {
  doc.VariablesFile = o.variablesFile.empty() ? ProgramFolder() + "navforge.nfv" : o.variablesFile;
  doc.TemplateRoot = o.templatesDir.empty() ? ProgramFolder() + "Templates" : o.templatesDir;
}

void PrintDocument(const TovHTML& doc, std::ostream& out) {
  TStringVector entries;
  doc.FillItemList(entries);
  out << "[Entries]\n";
  for (const std::string& line : entries.Lines) out << Cp1252ToUtf8(line) << '\n';

  const std::pair<const char*, std::int32_t> colors[] = {
      {"TextColor", doc.TextColor},   {"BackgroundColor", doc.BackgroundColor},
      {"LinkColor", doc.LinkColor},   {"ALinkColor", doc.ALinkColor},
      {"VLinkColor", doc.VLinkColor}, {"HoverColor", doc.HoverColor},
      {"FirstLetterColor", doc.FirstLetterColor}};
  const std::pair<const char*, const std::string*> texts[] = {
      {"Title", &doc.Title},
      {"Font", &doc.Font},
      {"FontSize", &doc.FontSize},
      {"SubmenuFont", &doc.SubmenuFont},
      {"SubmenuFontSize", &doc.SubmenuFontSize},
      {"SubmenuLeftMargin", &doc.SubmenuLeftMargin},
      {"BackgroundImage", &doc.BackgroundImage},
      {"Template", &doc.Template},
      {"Filename", &doc.Filename},
      {"hr", &doc.hr},
      {"fileext", &doc.fileext}};
  out << "[Settings]\n";
  for (const auto& [key, value] : colors) out << key << '=' << ColorToString(value) << '\n';
  for (const auto& [key, value] : texts) out << key << '=' << Cp1252ToUtf8(*value) << '\n';

  out << "[Variables]\n";
  for (const TVarItem& v : doc.Variables.Vars) out << Cp1252ToUtf8(v.Name) << '=' << Cp1252ToUtf8(v.Value) << '\n';
}

}  // namespace

std::string UsageText() {
  return "Usage:\n"
         "  navforge-cli resave [--variables FILE] MENUFILE NEWMENUFILE\n"
         "      Loads a menu (current or legacy format) and saves it in the current format,\n"
         "      with its settings file and the variables file.\n"
         "  navforge-cli show [--variables FILE] MENUFILE\n"
         "      Prints the entries, the settings and the variables of a menu.\n"
         "  navforge-cli generate [--templates DIR] [--variables FILE] [--verbose] MENUFILE\n"
         "      Writes the HTML pages of a menu; --verbose lists every page written.\n"
         "  navforge-cli --help\n"
         "\n"
         "--variables FILE  the variables file to read and write (default: navforge.nfv\n"
         "                  beside the program)\n"
         "--templates DIR   the folder of the template sets (default: Templates beside\n"
         "                  the program)\n"
         "Exit status: 0 success, 1 the command failed, 2 wrong usage.\n";
}

ParseResult ParseArguments(const std::vector<std::string>& args) {
  ParseResult r;
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") {
      r.ok = true;
      r.options.command = Command::Help;
      return r;
    }
  if (args.empty()) {
    r.error = "no command given";
    return r;
  }
  const std::string& name = args[0];
  if (name == "resave") r.options.command = Command::Resave;
  else if (name == "show") r.options.command = Command::Show;
  else if (name == "generate") r.options.command = Command::Generate;
  else {
    r.error = "unknown command '" + name + "'";
    return r;
  }
  const Command cmd = r.options.command;
  std::vector<std::string> positional;
  bool optionsEnded = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnded || a.size() < 2 || a.compare(0, 2, "--") != 0) {
      positional.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnded = true;
      continue;
    }
    std::string opt = a, value;
    bool hasValue = false;
    if (std::size_t eq = a.find('='); eq != std::string::npos) {
      opt = a.substr(0, eq);
      value = a.substr(eq + 1);
      hasValue = true;
    }
    if (!TakesOption(cmd, opt)) {
      r.error = "unknown option '" + opt + "' for " + name;
      return r;
    }
    if (opt == "--verbose") {
      if (hasValue) {
        r.error = "--verbose takes no value";
        return r;
      }
      r.options.verbose = true;
      continue;
    }
    if (!hasValue) {
      if (i + 1 >= args.size()) {
        r.error = opt + " needs a value";
        return r;
      }
      value = args[++i];
    }
    if (value.empty()) {
      r.error = opt + " needs a value";
      return r;
    }
    (opt == "--variables" ? r.options.variablesFile : r.options.templatesDir) = value;
  }
  if (positional.size() != PositionalCount(cmd)) {
    r.error = name + " takes " + (cmd == Command::Resave ? "MENUFILE NEWMENUFILE" : "MENUFILE");
    return r;
  }
  r.options.menuFile = positional[0];
  if (cmd == Command::Resave) r.options.newMenuFile = positional[1];
  r.ok = true;
  return r;
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
    const std::int32_t version = TovHTML::ReadFileVersion(o.menuFile);
    if (version != 2 && version != -1) {
      err << Cp1252ToUtf8(UnknownVersionMessage(o.menuFile, version)) << '\n';
      return kExitFailed;
    }
    doc.LoadFromFile(o.menuFile);
    switch (o.command) {
      case Command::Resave:
        doc.SaveToFile(o.newMenuFile);
        break;
      case Command::Show:
        PrintDocument(doc, out);
        break;
      case Command::Generate:
        if (o.verbose) doc.OnPageWritten = [&out](const std::string& page) { out << Cp1252ToUtf8(page) << '\n'; };
        doc.Generate();
        break;
      case Command::Help:
        break;
    }
  } catch (const ENavforgeError& e) {
    err << Cp1252ToUtf8(e.what()) << '\n';
    return kExitFailed;
  } catch (const std::exception& e) {
    err << "navforge-cli: " << e.what() << '\n';
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
