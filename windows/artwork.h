// The program's pictures, drawn rather than shipped: its icon and the splash artwork.
#pragma once

#include <QPixmap>

namespace Artwork {

// The program icon (a Schmidt net with a cluster of poles), `size` pixels square.
QPixmap ProgramIcon(int size);
// The splash picture: a net with contour bands, `width` × `height` pixels.
QPixmap SplashPicture(int width, int height);

} // namespace Artwork
