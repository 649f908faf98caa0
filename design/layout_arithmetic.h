#pragma once

#include "design/form1_design.h"
#include "design/geometry.h"

#include <cstddef>

// How the design's twips become pixels, and where a window goes on its screen: the arithmetic
// that both windows share, free of any toolkit.
namespace tarvex::design {

// The layout is drawn in twips, 15 to a pixel at 96 dots per inch and the 9 pt font it was
// drawn for.
inline constexpr int kTwipsPerPixel = 15;

// The factors the layout is drawn at, across and down: 1 for 15 twips to a pixel. A larger
// desktop font needs larger factors, as twips grow with the user's text size on the platform
// the design comes from, or captions are cut off.
struct Scale
{
    double x = 1.0;
    double y = 1.0;

    [[nodiscard]] static constexpr Scale uniform(double factor) { return {factor, factor}; }
    friend constexpr bool operator==(Scale, Scale) = default;
};

// A length in twips at a factor, in whole pixels.
[[nodiscard]] int scaledTwips(int twips, double scale);

// A rectangle in twips at the factors, each edge at the nearest pixel, so that controls that
// meet in twips still meet.
[[nodiscard]] Rect scaledTwipsRect(const Rect &twips, Scale scale);

// The design's client area at the factors, in pixels.
[[nodiscard]] Size scaledClientArea(Scale scale);

// Where the control lies within its container at the factors.
[[nodiscard]] Rect placeInContainer(const Control &control, Scale scale);

// Where the control lies within the window's client area at the factors, as the rounded
// places of it and of each of its containers add up: the place a window that puts every
// control straight on its client area gives it, to the pixel where the nested places would.
[[nodiscard]] Rect placeInWindow(const Control &control, Scale scale);

// The largest factors, one across and one down, at which an area of `twips`, drawn as above,
// fits within `pixels`.
[[nodiscard]] Scale largestScaleWithin(Size twips, Size pixels);

// The factors the layout is drawn at in a client area: in each direction the factor at which
// every caption shows whole, or less where the client area has no room for it.
[[nodiscard]] Scale layoutScale(double captionScale, Size client);

// Where a window's frame goes so that it lies within the available area: where it is when it
// fits; otherwise moved up and left only as far as needed, and never beyond the area's top or
// left edge, so that a window larger than the area keeps its title bar on the screen.
[[nodiscard]] Point placeWithin(const Rect &frame, const Rect &available);

// The largest share of the available area that a window may cover when it opens: mutter
// (GNOME) maximises a new window whose frame covers more than 80 % of the work area.
inline constexpr double kLargestOpeningShare = 0.8;

// The window's client area on a screen: as large as the caption factor asks, or as fits with
// its frame within the available area, at its design place or moved in only as far as needed.
// Where the frame would cover more than `largestShare` of the available area and one direction
// is drawn at a larger factor than the other, that direction gives up as much of its surplus as
// keeps the frame within that share; a window that would have to give up more keeps its size.
struct WindowPlace
{
    Scale scale;
    // The client area's size, and where the frame's top-left corner goes.
    Size client;
    Point frame;
};
[[nodiscard]] WindowPlace placeOnScreen(double captionScale, const Rect &available,
                                        const Margins &frame, Point clientPlace,
                                        double largestShare = 1.0);

// The design place of the client area on the screen at a factor.
[[nodiscard]] Point designPlace(double scale);

} // namespace tarvex::design
