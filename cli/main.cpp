// navforge-cli: converts, inspects and generates menus from a shell or a build script.
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
  using namespace navforge::cli;
  // Arguments are file-system names and stay so: paths pass through as bytes.
  std::vector<std::string> args(argv + 1, argv + argc);
  const ParseResult parsed = ParseArguments(args);
  if (!parsed.ok) {
    std::cerr << "navforge-cli: " << parsed.error << "\n\n" << UsageText();
    return kExitUsage;
  }
  return Run(parsed.options, std::cout, std::cerr);
}
