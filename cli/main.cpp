// navforge-cli: converts, inspects and generates menus from a shell or a build script.
#include <iostream>
#include <string>
#include <vector>

#include "cli/options.h"

int main(int argc, char** argv) {
  using namespace navforge::cli;
  const ParseResult parsed = ParseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.ok) {
    std::cerr << "navforge-cli: " << parsed.error << "\n\n" << UsageText();
    return kExitUsage;
  }
  return Run(parsed.options, std::cout, std::cerr);
}
