#pragma once

#include "design/geometry.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// How the windows' tests judge a drawn caption, the same for the Qt window and the Win32 one:
// each draws its own toolkit's controls into 32-bit images and hands the pixels here. None of
// the windows' own arithmetic (caption_check.h) is used: this judges what was drawn.
namespace tarvex::cases {

using design::Point;
using design::Size;

// A drawn image, row after row, a pixel's colour as 0xRRGGBB in its low 24 bits (the byte above
// is not read): as a QImage of Format_RGB32 and a 32-bit Windows DIB section both hold it.
struct Pixels
{
    int width = 0;
    int height = 0;
    std::span<const std::uint32_t> rgb;

    [[nodiscard]] std::uint32_t at(Point point) const
    {
        return rgb[static_cast<std::size_t>(point.y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(point.x)];
    }
};

// How much larger than a button the same button is drawn to show its caption with ample room:
// the extra height is even, so that a caption centred in it moves by whole pixels.
inline constexpr Size kAmpleRoom{200, 40};

// The pixels a caption inks: where the control drawn with its caption differs from the same
// control drawn without it. The two images are of one size.
[[nodiscard]] std::vector<Point> captionInk(const Pixels &withCaption, const Pixels &without);

// A button's caption shows whole when the button inks no fewer pixels than the same button
// given ample room, where the caption draws some ink at all.
[[nodiscard]] bool showsWhole(std::size_t ink, std::size_t inkWithAmpleRoom);

// How many pixels of a group box's title are covered in the window as drawn: the title's dark
// pixels (its ink, where the box drawn alone with its title differs from it drawn without)
// whose grey in the window is not about the same (where a control in front covers the title,
// its face or a text box's white shows instead). `offset` is the box's place in the window.
[[nodiscard]] int coveredTitleInk(const Pixels &titled, const Pixels &untitled,
                                  const Pixels &window, Point offset);

} // namespace tarvex::cases
