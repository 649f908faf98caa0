#include "layout_arithmetic.h"

#include <algorithm>
#include <cmath>

namespace tarvex::design {

int scaledTwips(int twips, double scale)
{
    return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel));
}

Rect scaledTwipsRect(const Rect &twips, Scale scale)
{
    const int left = scaledTwips(twips.left, scale.x);
    const int top = scaledTwips(twips.top, scale.y);
    return {left, top, scaledTwips(twips.right(), scale.x) - left,
            scaledTwips(twips.bottom(), scale.y) - top};
}

Size scaledClientArea(Scale scale)
{
    return scaledTwipsRect({0, 0, kClientArea.width, kClientArea.height}, scale).size();
}

Rect placeInContainer(const Control &control, Scale scale)
{
    return scaledTwipsRect(control.twips, scale);
}

Rect placeInWindow(const Control &control, Scale scale)
{
    Rect pixels = placeInContainer(control, scale);
    for (std::size_t container = indexOf(control.container); container < kControls.size();
         container = indexOf(kControls[container].container))
        pixels = pixels.translated(placeInContainer(kControls[container], scale).topLeft());
    return pixels;
}

Scale largestScaleWithin(Size twips, Size pixels)
{
    // An edge at x pixels is drawn at the nearest pixel, which stays within n pixels while
    // x < n + 1/2; the factor is kept a hair below that bound.
    const auto within = [](int lengthInTwips, int lengthInPixels) {
        return (lengthInPixels + 0.5) * kTwipsPerPixel / lengthInTwips * (1 - 1e-9);
    };
    return {within(twips.width, pixels.width), within(twips.height, pixels.height)};
}

Scale layoutScale(double captionScale, Size client)
{
    const Scale room = largestScaleWithin(kClientArea.size(), client);
    return {std::min(captionScale, room.x), std::min(captionScale, room.y)};
}

Point placeWithin(const Rect &frame, const Rect &available)
{
    const int x = frame.left - std::max(0, frame.right() - available.right());
    const int y = frame.top - std::max(0, frame.bottom() - available.bottom());
    return {std::max(x, available.left), std::max(y, available.top)};
}

WindowPlace placeOnScreen(double captionScale, const Rect &available, const Margins &frame,
                          Point clientPlace)
{
    const Scale scale = layoutScale(captionScale, shrunkBy(available, frame).size());
    const Size client = scaledClientArea(scale);
    const Rect framed = grownBy({clientPlace.x, clientPlace.y, client.width, client.height}, frame);
    return {scale, client, placeWithin(framed, available)};
}

Point designPlace(double scale)
{
    return scaledTwipsRect(kClientArea, Scale::uniform(scale)).topLeft();
}

} // namespace tarvex::design
