#pragma once
// navforge-cli import: a new menu from a folder of pages, or an existing one kept in
// step with it.
#include <iosfwd>

#include "cli/commands.h"

namespace navforge {
class TovHTML;
}

namespace navforge::cli {

// doc: a fresh document whose template root and variables file are set. Writes the
// menu file given as newMenuFile; lists what was added and what is missing on out,
// warnings on err. File errors raise ENavforgeError; the command's own refusals are
// shown through the notifier and write nothing.
void RunImport(TovHTML& doc, const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace navforge::cli
