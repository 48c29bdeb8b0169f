#pragma once
// navforge-cli's commands, run on the options the arguments became (cli/options.h).
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

#include "cli/options.h"

namespace navforge::cli {

// The line generate --stats prints: pages, bytes, the time of the whole generation and
// the time spent writing the pages alone.
std::string StatsLine(std::size_t pages, std::uint64_t bytes, double seconds, double writeSeconds);

// Exit codes of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs the command. Output and messages are UTF-8; returns the exit code.
int Run(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace navforge::cli
