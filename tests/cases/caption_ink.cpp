#include "caption_ink.h"

#include <cstdlib>

namespace tarvex::cases {

namespace {

// A pixel's grey, 0 (black) to 255, weighted as the eye sees the three colours.
int grey(std::uint32_t pixel)
{
    const auto red = static_cast<int>((pixel >> 16) & 0xFF);
    const auto green = static_cast<int>((pixel >> 8) & 0xFF);
    const auto blue = static_cast<int>(pixel & 0xFF);
    return (red * 30 + green * 59 + blue * 11) / 100;
}

// Dark enough to be text: the styles' frames and indicator outlines are lighter.
constexpr int kDarkestNonText = 90;
// How far a title's pixel may differ in grey where it is not covered: the windows are drawn in
// another pixel format than a control alone, so the text's smoothing differs a little.
constexpr int kSmoothingDifference = 40;

constexpr std::uint32_t kColour = 0xFFFFFF;

} // namespace

std::vector<Point> captionInk(const Pixels &withCaption, const Pixels &without)
{
    std::vector<Point> ink;
    for (int y = 0; y < withCaption.height; ++y)
        for (int x = 0; x < withCaption.width; ++x)
            if ((withCaption.at({x, y}) & kColour) != (without.at({x, y}) & kColour))
                ink.push_back({x, y});
    return ink;
}

bool showsWhole(std::size_t ink, std::size_t inkWithAmpleRoom)
{
    return inkWithAmpleRoom > 0 && ink >= inkWithAmpleRoom;
}

int coveredTitleInk(const Pixels &titled, const Pixels &untitled, const Pixels &window,
                    Point offset)
{
    int covered = 0;
    for (const Point ink : captionInk(titled, untitled)) {
        const int drawn = grey(titled.at(ink));
        const Point shown{offset.x + ink.x, offset.y + ink.y};
        // Ink beyond the window's edge is not on the screen at all.
        if (drawn < kDarkestNonText &&
            (shown.x < 0 || shown.y < 0 || shown.x >= window.width || shown.y >= window.height ||
             std::abs(grey(window.at(shown)) - drawn) > kSmoothingDifference))
            ++covered;
    }
    return covered;
}

} // namespace tarvex::cases
