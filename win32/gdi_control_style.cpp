#include "win32/gdi_control_style.h"

#include "win32/dpi.h"
#include "win32/handles.h"
#include "win32/text.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace tarvex::win32 {

namespace {

// The radio button's circle at 96 DPI, and a push button's edge and focus rectangle.
constexpr int kRadioCircle = 13;
constexpr int kPushButtonInset = 3;
constexpr int kGroupTitleIndent = 8;

// Where the caption's glyphs put ink, from their outlines; the character cells' ink area
// (without the leading above them) for a glyph the font cannot describe.
design::Rect captionInk(HDC dc, std::u16string_view caption, const TEXTMETRICW &metrics)
{
    const int cellTop = -(metrics.tmAscent - metrics.tmInternalLeading);
    const design::Rect cells{0, cellTop, 0,
                             metrics.tmAscent - metrics.tmInternalLeading + metrics.tmDescent};
    int left = INT_MAX;
    int top = INT_MAX;
    int right = INT_MIN;
    int bottom = INT_MIN;
    int pen = 0;
    // A character the font lacks is drawn from another font (Windows' font linking) or as a
    // box, whose outline the font would give instead: only its cell is known.
    std::vector<WORD> glyphs(caption.size());
    if (GetGlyphIndicesW(dc, wideData(caption), static_cast<int>(caption.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR ||
        std::ranges::find(glyphs, WORD{0xFFFF}) != glyphs.end()) {
        SIZE extent{};
        GetTextExtentPoint32W(dc, wideData(caption), static_cast<int>(caption.size()), &extent);
        return {cells.left, cells.top, std::max(static_cast<int>(extent.cx), 1), cells.height};
    }
    constexpr MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    for (const char16_t unit : caption) {
        GLYPHMETRICS glyph{};
        if (GetGlyphOutlineW(dc, unit, GGO_METRICS, &glyph, 0, nullptr, &kIdentity) == GDI_ERROR)
            return {cells.left, cells.top, std::max(pen, 1), cells.height};
        const int glyphLeft = pen + static_cast<int>(glyph.gmptGlyphOrigin.x);
        left = std::min(left, glyphLeft);
        right = std::max(right, glyphLeft + static_cast<int>(glyph.gmBlackBoxX));
        top = std::min(top, -static_cast<int>(glyph.gmptGlyphOrigin.y));
        bottom = std::max(bottom, -static_cast<int>(glyph.gmptGlyphOrigin.y) +
                                      static_cast<int>(glyph.gmBlackBoxY));
        pen += glyph.gmCellIncX;
    }
    if (left > right)
        return cells;
    return {left, top, right - left, bottom - top};
}

} // namespace

GdiControlStyle::GdiControlStyle(HFONT font, UINT dpi) : m_dpi(dpi)
{
    m_dc.select(font);
    GetTextMetricsW(m_dc.get(), &m_metrics);
    SIZE digit{};
    GetTextExtentPoint32W(m_dc.get(), L"0", 1, &digit);
    m_digitWidth = digit.cx;
}

design::CaptionMetrics GdiControlStyle::caption(const design::Control &control) const
{
    SIZE extent{};
    GetTextExtentPoint32W(m_dc.get(), wideData(control.caption),
                          static_cast<int>(control.caption.size()), &extent);
    return {static_cast<int>(extent.cx), static_cast<double>(m_metrics.tmHeight),
            static_cast<double>(m_metrics.tmAscent),
            captionInk(m_dc.get(), control.caption, m_metrics)};
}

design::Rect GdiControlStyle::captionArea(const design::Control &control, design::Size size) const
{
    if (control.kind == design::ControlKind::RadioButton) {
        const int start = scaledToDpi(kRadioCircle, m_dpi) + m_digitWidth / 2;
        return {start, 0, size.width - start, size.height};
    }
    const int inset = scaledToDpi(kPushButtonInset, m_dpi);
    return {inset, inset, size.width - 2 * inset, size.height - 2 * inset};
}

design::Rect GdiControlStyle::groupBoxTitleArea(const design::Control &, design::Size size) const
{
    const int indent = scaledToDpi(kGroupTitleIndent, m_dpi);
    return {indent, 0, std::max(0, size.width - 2 * indent), static_cast<int>(m_metrics.tmHeight)};
}

design::Rect GdiControlStyle::groupBoxFrame(const design::Control &, design::Size size) const
{
    const int top = m_metrics.tmHeight / 2 - 1;
    return {0, top, size.width, size.height - top};
}

} // namespace tarvex::win32
