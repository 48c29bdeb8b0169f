#pragma once
// Runs the built navforge-cli as a child process and collects what it printed.
#include <string>
#include <vector>

namespace navforge::test {

struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// args without the program name; workDir is the child's current folder ("" = ours).
CliRun RunNavforgeCli(const std::vector<std::string>& args, const std::string& workDir = "");
// The same for another program file (a copy of navforge-cli elsewhere).
CliRun RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& workDir = "");

}  // namespace navforge::test
