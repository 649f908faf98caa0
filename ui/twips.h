#pragma once

#include <QRect>

namespace tarvex {

// The layout is drawn in twips, 15 to a device-independent pixel at 96 dots per inch; Qt's
// high-DPI scaling takes it from there.
constexpr int kTwipsPerPixel = 15;

constexpr int twips(int value)
{
    return value / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

} // namespace tarvex
