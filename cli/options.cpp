#include "cli/options.h"

namespace navforge::cli {
namespace {

// Arguments each command takes besides its options.
std::size_t PositionalCount(Command c) { return c == Command::Resave || c == Command::Import ? 2 : 1; }

bool TakesOption(Command c, const std::string& name) {
  if (name == "--variables") return true;
  if (c == Command::Import)
    return name == "--templates" || name == "--into" || name == "--output-page" || name == "--replace-unmappable" ||
           name == "--set" || name == "--target";
  if (c == Command::Apply) return name == "--templates" || name == "--site" || name == "--dry-run" || name == "--check";
  if (name == "--templates") return c == Command::Generate || c == Command::Check;
  if (name == "--verbose" || name == "--stats") return c == Command::Generate;
  return c == Command::Check && (name == "--format" || name == "--strict");
}

bool IsFlag(const std::string& name) {
  return name == "--verbose" || name == "--strict" || name == "--stats" || name == "--replace-unmappable" ||
         name == "--dry-run" || name == "--check";
}

const char* PositionalNames(Command c) {
  switch (c) {
    case Command::Resave:
      return "MENUFILE NEWMENUFILE";
    case Command::Import:
      return "SITEFOLDER NEWMENUFILE";
    default:
      return "MENUFILE";
  }
}

}  // namespace

std::string UsageText() {
  return "Usage:\n"
         "  navforge-cli resave [--variables FILE] MENUFILE NEWMENUFILE\n"
         "      Loads a menu (current or legacy format) and saves it in the current format,\n"
         "      with its settings file and the variables file.\n"
         "  navforge-cli show [--variables FILE] MENUFILE\n"
         "      Prints the entries, the settings and the variables of a menu.\n"
         "  navforge-cli generate [--templates DIR] [--variables FILE] [--verbose] [--stats] MENUFILE\n"
         "      Writes the HTML pages of a menu; --verbose lists every page written,\n"
         "      --stats ends with the pages, bytes and seconds written, and the seconds\n"
         "      of the writes alone.\n"
         "  navforge-cli check [--templates DIR] [--variables FILE] [--format text|json] [--strict] MENUFILE\n"
         "      Checks a menu as it would be generated, without writing a file: one line\n"
         "      per finding (Fehler, Warnung or Hinweis), or a JSON array with --format json.\n"
         "  navforge-cli import [--into MENUFILE | --set NAME] [--target NAME] [--output-page PATH]\n"
         "                      [--replace-unmappable] [--templates DIR] [--variables FILE]\n"
         "                      SITEFOLDER NEWMENUFILE\n"
         "      Makes a menu of the pages in SITEFOLDER and saves it as NEWMENUFILE, set to\n"
         "      write PATH (default: SITEFOLDER/navigation.htm). With --into, adds to the\n"
         "      menu MENUFILE the pages none of its entries links to, saves the result as\n"
         "      NEWMENUFILE and lists the entries whose page is missing. A new menu gets the\n"
         "      template set NAME of --set, else the first by name; --into keeps the menu's.\n"
         "      New entries open in the frame NAME of --target; without it, for a set that\n"
         "      writes targets, in the frame beside the menu in a page of the site that\n"
         "      shows the menu page in a frame, else in the target most entries use.\n"
         "      --replace-unmappable takes titles with characters Windows-1252 lacks,\n"
         "      with \"?\" in their place; without it such titles stop the import.\n"
         "  navforge-cli apply [--templates DIR] [--variables FILE] [--site DIR] [--dry-run] [--check] MENUFILE\n"
         "      Sets the menu into every page of the site (the output file's folder, or DIR)\n"
         "      between the lines <!-- navforge --> and <!-- /navforge -->, marked for that\n"
         "      page; a page that would not change is not written. --dry-run writes nothing\n"
         "      and says what would change; --check writes nothing and fails when a page\n"
         "      would change.\n"
         "  navforge-cli --help\n"
         "\n"
         "--variables FILE  the variables file to read and write (default: the window\n"
         "                  program's: navforge.nfv beside the program when its folder\n"
         "                  is writable, else $XDG_CONFIG_HOME/navforge/navforge.nfv)\n"
         "--templates DIR   the one folder of template sets to use (default: Templates\n"
         "                  beside the program, then $XDG_DATA_HOME/navforge/Templates)\n"
         "--strict          check: Warnungen fail the check as Fehler do (Hinweise never)\n"
         "A relative output file name is taken against the folder of MENUFILE.\n"
         "Exit status: 0 success, 1 the command failed, 2 wrong usage; check: 0 without\n"
         "Fehler (with --strict: nor Warnung), 1 otherwise; apply: 1 when a page\n"
         "failed (with --check: or would change).\n";
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
  else if (name == "check") r.options.command = Command::Check;
  else if (name == "import") r.options.command = Command::Import;
  else if (name == "apply") r.options.command = Command::Apply;
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
    if (IsFlag(opt)) {
      if (hasValue) {
        r.error = opt + " takes no value";
        return r;
      }
      if (opt == "--verbose") r.options.verbose = true;
      else if (opt == "--stats") r.options.stats = true;
      else if (opt == "--strict") r.options.strict = true;
      else if (opt == "--dry-run") r.options.dryRun = true;
      else if (opt == "--check") r.options.checkOnly = true;
      else r.options.replaceUnmappable = true;
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
    if (opt == "--format") {
      if (value != "text" && value != "json") {
        r.error = "--format takes text or json";
        return r;
      }
      r.options.format = value == "json" ? Format::Json : Format::Text;
      continue;
    }
    if (opt == "--variables") r.options.variablesFile = value;
    else if (opt == "--templates") r.options.templatesDir = value;
    else if (opt == "--into") r.options.menuFile = value;
    else if (opt == "--site") r.options.siteFolder = value;
    else if (opt == "--set") r.options.templateSet = value;
    else if (opt == "--target") r.options.target = value;
    else r.options.outputPage = value;
  }
  if (!r.options.templateSet.empty() && !r.options.menuFile.empty()) {
    r.error = "--set names the set of a new menu; --into keeps the set of its menu";
    return r;
  }
  if (r.options.dryRun && r.options.checkOnly) {
    r.error = "--dry-run and --check exclude each other";
    return r;
  }
  if (positional.size() != PositionalCount(cmd)) {
    r.error = name + " takes " + PositionalNames(cmd);
    return r;
  }
  if (cmd == Command::Import) r.options.siteFolder = positional[0];
  else r.options.menuFile = positional[0];
  if (positional.size() > 1) r.options.newMenuFile = positional[1];
  r.ok = true;
  return r;
}

}  // namespace navforge::cli
