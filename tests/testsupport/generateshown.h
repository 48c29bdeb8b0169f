#pragma once
// What the generate command tells the user: the message it shows through the notifier
// (recorded by notes, which must be the notifier in place), or the text of the error it
// throws; "" when it runs through.
#include <cstddef>
#include <string>

#include "core/menudocument.h"
#include "support/errors.h"
#include "testsupport/tempdir.h"

namespace navforge::test {

inline std::string GenerateShown(TovHTML& doc, const RecordingNotifier& notes) {
  const std::size_t before = notes.Messages.size();
  try {
    doc.Generate();
  } catch (const ENavforgeError& e) {
    return e.what();
  }
  return notes.Messages.size() > before ? notes.Messages[before] : std::string();
}

}  // namespace navforge::test
