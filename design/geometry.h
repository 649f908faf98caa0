#pragma once

// Plain rectangles, points and sizes in whole units (twips or pixels), for the arithmetic that
// both windows share. Right and bottom are exclusive: a rectangle ends where the next begins.
namespace tarvex::design {

struct Point
{
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(Point, Point) = default;
};

struct Size
{
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(Size, Size) = default;
};

struct Rect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    [[nodiscard]] constexpr int right() const { return left + width; }
    [[nodiscard]] constexpr int bottom() const { return top + height; }
    [[nodiscard]] constexpr Point topLeft() const { return {left, top}; }
    [[nodiscard]] constexpr Size size() const { return {width, height}; }
    [[nodiscard]] constexpr bool isEmpty() const { return width <= 0 || height <= 0; }
    [[nodiscard]] constexpr Rect translated(Point by) const
    {
        return {left + by.x, top + by.y, width, height};
    }
    [[nodiscard]] constexpr bool intersects(const Rect &other) const
    {
        return !isEmpty() && !other.isEmpty() && left < other.right() && other.left < right() &&
               top < other.bottom() && other.top < bottom();
    }
    friend constexpr bool operator==(const Rect &, const Rect &) = default;
};

// Margins around a rectangle: a window's frame around its client area.
struct Margins
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend constexpr bool operator==(const Margins &, const Margins &) = default;
};

[[nodiscard]] constexpr Rect grownBy(const Rect &rect, const Margins &margins)
{
    return {rect.left - margins.left, rect.top - margins.top,
            rect.width + margins.left + margins.right, rect.height + margins.top + margins.bottom};
}

[[nodiscard]] constexpr Rect shrunkBy(const Rect &rect, const Margins &margins)
{
    return {rect.left + margins.left, rect.top + margins.top,
            rect.width - margins.left - margins.right, rect.height - margins.top - margins.bottom};
}

} // namespace tarvex::design
