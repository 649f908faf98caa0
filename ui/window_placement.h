#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tarvex {

// The largest scale factor at which an area of `twips`, drawn as the twips layout draws it
// (each edge at the nearest pixel), fits within `pixels`.
[[nodiscard]] double largestScaleWithin(QSize twips, QSize pixels);

// Where a window's frame goes so that it lies within the available area: where it is when it
// fits; otherwise moved up and left only as far as needed, and never beyond the area's top or
// left edge, so that a window larger than the area keeps its title bar on the screen.
[[nodiscard]] QPoint placeWithin(QRect frame, QRect available);

} // namespace tarvex
