#include "design/layout_arithmetic.h"

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
    for (std::optional<ControlId> container = control.container; container.has_value();
         container = controlOf(*container).container)
        pixels = pixels.translated(placeInContainer(controlOf(*container), scale).topLeft());
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

namespace {

Size framedSize(Scale scale, const Margins &frame)
{
    const Size client = scaledClientArea(scale);
    return grownBy({0, 0, client.width, client.height}, frame).size();
}

Scale withinShare(Scale scale, const Rect &available, const Margins &frame, double share)
{
    const double most = share * available.width * available.height;
    const Size framed = framedSize(scale, frame);
    if (static_cast<double>(framed.width) * framed.height <= most)
        return scale;
    // Narrowing that would take one direction below the other's factor would not keep the
    // window from being maximised either.
    if (scale.x > scale.y) {
        const int width = static_cast<int>(most / framed.height) - frame.left - frame.right;
        const double x = largestScaleWithin(kClientArea.size(), {width, 1}).x;
        if (x >= scale.y)
            scale.x = x;
    } else if (scale.y > scale.x) {
        const int height = static_cast<int>(most / framed.width) - frame.top - frame.bottom;
        const double y = largestScaleWithin(kClientArea.size(), {1, height}).y;
        if (y >= scale.x)
            scale.y = y;
    }
    return scale;
}

} // namespace

WindowPlace placeOnScreen(double captionScale, const Rect &available, const Margins &frame,
                          Point clientPlace, double largestShare)
{
    const Size client =
        scaledClientArea(withinShare(layoutScale(captionScale, shrunkBy(available, frame).size()),
                                     available, frame, largestShare));
    const Rect framed = grownBy({clientPlace.x, clientPlace.y, client.width, client.height}, frame);
    // The factors that the client area, whole pixels, leaves room for.
    return {layoutScale(captionScale, client), client, placeWithin(framed, available)};
}

Point designPlace(double scale)
{
    return scaledTwipsRect(kClientArea, Scale::uniform(scale)).topLeft();
}

} // namespace tarvex::design
