#pragma once
// navforge-cli's arguments as a plain options struct (cli/commands.h runs it), so the
// parsing is testable without running anything.
#include <string>
#include <vector>

namespace navforge::cli {

enum class Command { Help, Resave, Show, Generate, Check, Import, Apply };
enum class Format { Text, Json };

struct CliOptions {
  Command command = Command::Help;
  std::string variablesFile;  // empty: the window program's "navforge.nfv"
  std::string templatesDir;   // empty: the program folder's "Templates"
  bool verbose = false;
  bool stats = false;            // generate only
  Format format = Format::Text;  // check only
  bool strict = false;           // check only: Warnungen fail too
  std::string menuFile;       // import: the menu of --into, else empty
  std::string newMenuFile;    // resave and import
  std::string siteFolder;     // import; apply: --site
  bool dryRun = false;        // apply: --dry-run
  bool checkOnly = false;     // apply: --check
  std::string outputPage;     // import: --output-page
  bool replaceUnmappable = false;  // import: --replace-unmappable
  std::string templateSet;    // import: --set, the set of a new menu
  std::string target;         // import: --target, the frame new entries open in
};

struct ParseResult {
  bool ok = false;
  CliOptions options;
  std::string error;  // why the usage is wrong, when !ok
};

// args are the program arguments without the program name; paths pass through as bytes.
ParseResult ParseArguments(const std::vector<std::string>& args);
std::string UsageText();

}  // namespace navforge::cli
