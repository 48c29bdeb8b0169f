#pragma once
// Page titles often carry the site's name besides the page's ("Aktuelles - Beispiel
// GmbH"); in a menu only the page's part says anything.
#include <string>
#include <vector>

namespace navforge::import {

// The captions with every prefix or suffix dropped that at least two of them share and
// that ends (or starts) at a separator " - ", " – " or " | ": of each caption the
// longest such prefix and suffix, as long as something is left. Captions in
// Windows-1252, as plain text. notes receives one German line per part dropped.
std::vector<std::string> DropSharedAffixes(const std::vector<std::string>& captions, std::vector<std::string>& notes);

}  // namespace navforge::import
