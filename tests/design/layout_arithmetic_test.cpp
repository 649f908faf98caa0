#include "design/layout_arithmetic.h"

#include <gtest/gtest.h>

namespace tarvex::design {
namespace {

struct PlacementCase
{
    const char *name;
    Rect available;
    Rect frame;
    Point expected;
};

// Screens in device-independent pixels: 1920x1080 at 150 % is 1280x720. The window's frame
// here is openbox's: 4 px at the sides and bottom and a 24 px title bar.
TEST(LayoutArithmetic, windowIsMovedOntoItsScreenOnlyAsFarAsNeeded)
{
    const Rect designFrame{155, 134, 940, 641};
    const PlacementCase cases[] = {
        {"1280x1024 keeps the design place", {0, 0, 1280, 1024}, designFrame, {155, 134}},
        {"1366x768 moves up only as far as needed", {0, 0, 1366, 768}, designFrame, {155, 127}},
        {"a bottom panel on 1366x768 moves it further up",
         {0, 0, 1366, 728},
         designFrame,
         {155, 87}},
        {"1920x1080 at 150 % moves it up", {0, 0, 1280, 720}, designFrame, {155, 79}},
        {"a screen narrower than the window keeps its left edge",
         {0, 0, 800, 600},
         designFrame,
         {0, 0}},
        {"a panel at the top keeps the title bar below it",
         {0, 40, 1024, 560},
         designFrame,
         {84, 40}},
        {"a second screen to the right",
         {1366, 0, 1920, 1080},
         designFrame.translated({1366, 0}),
         {1521, 134}},
    };
    for (const PlacementCase &c : cases)
        EXPECT_EQ(placeWithin(c.frame, c.available), c.expected) << c.name;
}

struct FitCase
{
    const char *name;
    double captionScale;
    Rect available;
    Margins frame;
    Size client;
    Scale scale;
    double largestShare = 1.0;
};

// Each direction takes the caption factor where it has room for it, and no more than its room
// allows where it has not; the other direction is not held back with it. A direction held back
// to n pixels of the design's 932 across or 613 down is drawn at just under (n + 1/2) / 932 or
// (n + 1/2) / 613, the largest factor at which its far edge still rounds to n.
TEST(LayoutArithmetic, widthAndHeightAreFittedEachOnItsOwn)
{
    const FitCase cases[] = {
        {"9 pt in ample room: the design's size",
         1.0,
         {0, 0, 1920, 1080},
         {4, 24, 4, 4},
         {932, 613},
         {1.0, 1.0}},
        {"11 pt on a 1366x714 KDE work area: only the height is held back",
         1.12,
         {0, 0, 1366, 714},
         {0, 29, 0, 0},
         {1044, 685},
         {1.12, 685.5 / 613}},
        {"a screen too narrow holds back only the width",
         1.12,
         {0, 0, 900, 1000},
         {4, 24, 4, 4},
         {892, 687},
         {892.5 / 932, 1.12}},
        {"a small screen holds back both",
         2.0,
         {0, 0, 1024, 600},
         {4, 24, 4, 4},
         {1016, 572},
         {1016.5 / 932, 572.5 / 613}},
        // Within 80 % of the work area, which mutter maximises a new window beyond.
        {"11 pt on GNOME's 1366x736 work area: the width gives up its surplus",
         1.28,
         {0, 32, 1366, 736},
         {0, 37, 0, 0},
         {1092, 699},
         {1092.5 / 932, 699.5 / 613},
         kLargestOpeningShare},
        {"11 pt on Wayland with Qt's own frame and room kept for a panel",
         1.28,
         {0, 44, 1366, 724},
         {3, 30, 3, 3},
         {1086, 691},
         {1086.5 / 932, 691.5 / 613},
         kLargestOpeningShare},
        {"held back both ways too far to keep within 80 %, the window keeps its size",
         2.0,
         {0, 0, 1366, 768},
         {4, 24, 4, 4},
         {1358, 740},
         {1358.5 / 932, 740.5 / 613},
         kLargestOpeningShare},
        {"9 pt covers less than 80 % and keeps the design's size",
         1.0,
         {0, 0, 1024, 768},
         {4, 24, 4, 4},
         {932, 613},
         {1.0, 1.0},
         kLargestOpeningShare},
    };
    for (const FitCase &c : cases) {
        const WindowPlace place =
            placeOnScreen(c.captionScale, c.available, c.frame, {0, 0}, c.largestShare);
        EXPECT_EQ(place.client, c.client) << c.name;
        EXPECT_LE(place.client.height + c.frame.top + c.frame.bottom, c.available.height) << c.name;
        // The layout drawn at these factors fills the client area it was fitted to.
        EXPECT_EQ(scaledClientArea(place.scale), place.client) << c.name;
        EXPECT_NEAR(place.scale.x, c.scale.x, 1e-6) << c.name;
        EXPECT_NEAR(place.scale.y, c.scale.y, 1e-6) << c.name;
    }
}

struct NestedCase
{
    ControlId control;
    Point inWindow;
};

// A control in nested group boxes lies in the window where its containers' places add up.
TEST(LayoutArithmetic, placeInWindowAddsUpTheContainers)
{
    const NestedCase cases[] = {
        {Option7, {640, 104}},  // 9600, 1560 twips, in Frame2
        {Text3, {24, 184}},     // 360, 2760, in Frame7 in Frame6 in Frame3
        {Command4, {808, 400}}, // 12120, 6000, in Frame10 in Frame9 in Frame3
        {Text6, {24, 480}},     // 360, 7200, in Frame11 in Frame9 in Frame3
    };
    for (const NestedCase &c : cases)
        EXPECT_EQ(placeInWindow(controlOf(c.control), Scale{}).topLeft(), c.inWindow)
            << nameOf(c.control);
}

} // namespace
} // namespace tarvex::design
