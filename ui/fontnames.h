#pragma once
// The installed font families as a style sheet names them.
#include <QStringList>

class QComboBox;

namespace navforge {

// Qt tells families of the same name from different foundries apart by a tag
// ("C059 [urw]"); a style sheet knows only the name. Each name once, in Qt's order.
QStringList CssFontFamilies();

// Fills the box with the names and widens its drop-down (not the box) to the longest.
void FillFontBox(QComboBox* box);

}  // namespace navforge
