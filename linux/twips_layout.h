#pragma once

#include "design/form1_design.h"
#include "design/layout_arithmetic.h"

#include <array>

class QWidget;

namespace tarvex {

// The window's controls, one for each control of the design, placed at their twips through the
// layout's factors. Qt's high-DPI scaling takes device-independent pixels from there.
class TwipsLayout
{
public:
    // The widget made for the design's control at `index` in design::kControls.
    void add(std::size_t index, QWidget *widget) { m_widgets.at(index) = widget; }
    [[nodiscard]] QWidget *widget(std::size_t index) const { return m_widgets.at(index); }

    // Places every control at the factors.
    void apply(design::Scale scale) const;

    // The smallest factor of at least 1 at which every caption shows whole, in the widgets'
    // fonts and style as they are now.
    [[nodiscard]] double scaleForWholeCaptions() const;

private:
    std::array<QWidget *, design::kControls.size()> m_widgets{};
};

} // namespace tarvex
