// navforge-cli: converts, inspects and generates menus from a shell or a build script.
#include <iostream>
#include <string>
#include <vector>

#include "cli/options.h"
#include "support/fsname.h"

int main(int argc, char** argv) {
  using namespace navforge::cli;
  // Arguments arrive as file-system names (UTF-8); inside, paths are Windows-1252.
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(navforge::FromFsName(argv[i]));
  const ParseResult parsed = ParseArguments(args);
  if (!parsed.ok) {
    std::cerr << "navforge-cli: " << parsed.error << "\n\n" << UsageText();
    return kExitUsage;
  }
  return Run(parsed.options, std::cout, std::cerr);
}
