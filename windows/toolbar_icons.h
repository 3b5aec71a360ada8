// The toolbar's pictures, by image key: "new", "open", "save", "print", "contour", "flag",
// "mesh". The desktop theme's icon is used where the theme has one for the action.
#pragma once

#include <QIcon>
#include <QString>

namespace ToolbarIcons {

QIcon Icon(const QString& key);
// The picture drawn by the program itself, `size` pixels square (empty for an unknown key).
QPixmap Drawn(const QString& key, int size);

} // namespace ToolbarIcons
