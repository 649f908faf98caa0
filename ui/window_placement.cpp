#include "window_placement.h"

#include <algorithm>

namespace tarvex {

double largestScaleWithin(QSize client, QMargins frame, QRect available)
{
    const double width = available.width() - frame.left() - frame.right();
    const double height = available.height() - frame.top() - frame.bottom();
    return std::min(width / client.width(), height / client.height());
}

QPoint placeWithin(QRect frame, QRect available)
{
    const int x = frame.left() - std::max(0, frame.right() - available.right());
    const int y = frame.top() - std::max(0, frame.bottom() - available.bottom());
    return {std::max(x, available.left()), std::max(y, available.top())};
}

} // namespace tarvex
