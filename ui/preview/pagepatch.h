#pragma once
// Refreshing the shown page in place. When a change leaves the page's structure as it
// was (only texts and attribute values differ, see pagediff.h), the new texts and values
// are set into the live page instead of loading it anew, so a large menu is not parsed,
// scripted and laid out from scratch at every keystroke, and the page's own script keeps
// what it wired on load. Anything more loads the page anew.
#include <QString>
#include <optional>
#include <string>

#include "ui/preview/pagediff.h"

namespace navforge::preview {

class TPreviewBuild;

// The text of the build's page name in UTF-8, as the engine decodes it; nothing when
// there is no such page.
std::optional<std::string> PageText(const TPreviewBuild& build, const QString& name);

// A script for the page's isolated world that makes the edits. Each node is found as
// the n-th element of its tag, and only where the page holds as many of them as the text
// and the node still holds the old value, so a node the page's script added, moved or
// changed never takes a value meant for another. Every edit is checked before the first
// is made; the script returns true when it made them, false when the page must be
// loaded anew.
QString PatchScript(const PageDiff& diff);

}  // namespace navforge::preview
