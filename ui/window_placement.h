#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace tarvex {

// The largest scale factor at which a window whose client area is `client` at factor 1 fits,
// with its frame, within the available area of a screen.
[[nodiscard]] double largestScaleWithin(QSize client, QMargins frame, QRect available);

// Where a window's frame goes so that it lies within the available area: where it is when it
// fits; otherwise moved up and left only as far as needed, and never beyond the area's top or
// left edge, so that a window larger than the area keeps its title bar on the screen.
[[nodiscard]] QPoint placeWithin(QRect frame, QRect available);

} // namespace tarvex
