#pragma once
// A plain reading of page generation for the randomized comparisons: a ReplaceAll that
// searches again from the very start after every replacement, pages put together piece
// by piece, identifiers found by a linear search, template.ini read line by line. It
// shares no generation code with the program (only the Windows-1252 to UTF-8 table).
// The same random cases drive it against generation in process (tests/core) and
// through navforge-cli (tests/generation).
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "persist/settings.h"
#include "testsupport/randommenu.h"
#include "testsupport/tempdir.h"

namespace navforge::test {

// One generation's input: the set's files, and the menu (entries, formatting values,
// variables) as the document holds it.
struct GenerationCase : MenuModel {
  std::map<std::string, std::optional<std::string>> Files;  // every set file -> bytes (nullopt: no file)
  std::map<std::string, std::string> DiskNames;             // set file -> its name on disk (letter case may differ)
};

struct ModelPage {
  std::string Path, Bytes;
};

struct ModelRun {
  std::vector<ModelPage> Pages;  // in write order; a later page at a path replaces an earlier one
  bool Fails = false;            // the page after the last has no file name ("", "." or ".."), so generation stops
  bool Refused = false;          // a page would be a hidden file: nothing is written, Pages is empty
  bool AllInOne = false, Utf8 = false;  // what template.ini asked for
};

ModelRun ModelGenerate(const GenerationCase& c);

// The bytes each path holds after the run.
std::map<std::string, std::string> FinalPages(const ModelRun& run);

// A random case whose pages go to OutFolder (with a trailing "/"), template set "Set".
// ForFiles keeps the texts that the menu, settings and variables files carry to what
// they can carry (one line, no field separator, no blanks at the ends); otherwise
// formatting texts and variable values may hold line breaks and zero bytes as well.
GenerationCase RandomGenerationCase(unsigned Seed, const std::string& OutFolder, bool ForFiles);

// The set's files of c that exist, under their disk names, for WriteTemplateSet.
SetFiles SetFilesOnDisk(const GenerationCase& c);

}  // namespace navforge::test
