#pragma once
// The installed font families as a style sheet names them.
#include <QStringList>

class QComboBox;

namespace navforge {

// Qt tells families of the same name from different foundries apart by a tag
// ("C059 [urw]"); a style sheet knows only the name. Each name once, in the given order.
QStringList CssFontFamilies(const QStringList& families);

// Fills the box with the names of the installed families and widens its drop-down (not the box) to the longest.
void FillFontBox(QComboBox* box);

}  // namespace navforge
