// What a density run publishes: the data count and the maximum in the main window's status
// bar, the largest count in the graded-shading window's caption.
#pragma once

#include "core/bmpole.h"
#include "core/density.h"

#include <QString>

namespace Density {

// Panel 1: "ﾃﾞｰﾀ総数：" n "個".
QString DataCountText(const DensityResult& result);
// Panel 2: "極大値：" largest "個（N" strike "ﾟ" side dip "ﾟ" direction "）", the orientation
// of the maximum node read back from its net position; R is the grid's radius. Empty when
// nothing was counted.
QString MaximumText(const DensityResult& result);
// An orientation as panel 2 writes it: "N" strike "ﾟ" side dip "ﾟ" direction.
QString OrientationText(const BMPole::Orientation& o);

// The plane whose pole stands at node (i, j) of the counting grid.
BMPole::Orientation NodeOrientation(const DensityGrid& grid, int i, int j);
// The graded-shading window's caption: "頻度分布図（段彩）（最大値＝" largest "）", without the
// maximum when nothing was counted.
QString RankCaption(const DensityResult& result);

} // namespace Density
