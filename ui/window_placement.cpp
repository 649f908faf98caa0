#include "window_placement.h"

#include "twips_layout.h"

#include <algorithm>

namespace tarvex {

double largestScaleWithin(QSize twips, QSize pixels)
{
    // An edge at x pixels is drawn at the nearest pixel, which stays within n pixels while
    // x < n + 1/2; the factor is kept a hair below that bound.
    const auto within = [](int lengthInTwips, int lengthInPixels) {
        return (lengthInPixels + 0.5) * kTwipsPerPixel / lengthInTwips * (1 - 1e-9);
    };
    return std::min(within(twips.width(), pixels.width()), within(twips.height(), pixels.height()));
}

QPoint placeWithin(QRect frame, QRect available)
{
    const int x = frame.left() - std::max(0, frame.right() - available.right());
    const int y = frame.top() - std::max(0, frame.bottom() - available.bottom());
    return {std::max(x, available.left()), std::max(y, available.top())};
}

} // namespace tarvex
