#include "linux/twips_layout.h"

#include "design/caption_check.h"

#include <QAbstractButton>
#include <QGlyphRun>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTextLayout>

#include <cmath>

namespace tarvex {

namespace {

design::Rect fromQRect(const QRect &rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QString captionOf(const QWidget &widget)
{
    if (const auto *group = qobject_cast<const QGroupBox *>(&widget))
        return group->title();
    if (const auto *button = qobject_cast<const QAbstractButton *>(&widget))
        return button->text();
    return {};
}

// How Qt's style draws the controls' captions, for the caption check.
class QtControlStyle : public design::ControlStyle
{
public:
    explicit QtControlStyle(const TwipsLayout &layout) : m_layout(layout) {}

    // The line's ascent and height come from every font the caption's characters are drawn
    // in: Chinese characters usually come from a fallback font taller than the default one.
    // The caption is shaped once; its ink is the union of its glyphs' outlines where they lie.
    [[nodiscard]] design::CaptionMetrics caption(const design::Control &control) const override
    {
        const QWidget &widget = widgetOf(control);
        QTextLayout layout(captionOf(widget), widget.font());
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        QRectF ink;
        for (const QGlyphRun &run : layout.glyphRuns()) {
            const QRawFont glyphs = run.rawFont();
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype i = 0; i < indexes.size(); ++i)
                ink |= glyphs.boundingRect(indexes[i]).translated(positions[i]);
        }
        return {static_cast<int>(std::ceil(line.naturalTextWidth())), line.height(), line.ascent(),
                fromQRect(ink.translated(0, -line.ascent()).toAlignedRect())};
    }

    [[nodiscard]] design::Rect captionArea(const design::Control &control,
                                           design::Size size) const override
    {
        const QWidget &widget = widgetOf(control);
        const QStyle::SubElement contents = control.kind == design::ControlKind::RadioButton
                                                ? QStyle::SE_RadioButtonContents
                                                : QStyle::SE_PushButtonContents;
        QStyleOptionButton option;
        option.initFrom(&widget);
        option.rect = QRect(0, 0, size.width, size.height);
        option.text = captionOf(widget);
        return fromQRect(widget.style()->subElementRect(contents, &option, &widget));
    }

    [[nodiscard]] design::Rect groupBoxTitleArea(const design::Control &control,
                                                 design::Size size) const override
    {
        return groupBoxPart(control, size, QStyle::SC_GroupBoxLabel);
    }

    [[nodiscard]] design::Rect groupBoxFrame(const design::Control &control,
                                             design::Size size) const override
    {
        return groupBoxPart(control, size, QStyle::SC_GroupBoxFrame);
    }

private:
    [[nodiscard]] const QWidget &widgetOf(const design::Control &control) const
    {
        return *m_layout.widget(static_cast<std::size_t>(&control - design::kControls.data()));
    }

    [[nodiscard]] design::Rect groupBoxPart(const design::Control &control, design::Size size,
                                            QStyle::SubControl part) const
    {
        const auto &group = static_cast<const QGroupBox &>(widgetOf(control));
        QStyleOptionGroupBox option;
        option.initFrom(&group);
        option.rect = QRect(0, 0, size.width, size.height);
        option.text = group.title();
        option.textAlignment = group.alignment();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        return fromQRect(group.style()->subControlRect(QStyle::CC_GroupBox, &option, part, &group));
    }

    const TwipsLayout &m_layout;
};

QRect toQRect(const design::Rect &rect)
{
    return {rect.left, rect.top, rect.width, rect.height};
}

} // namespace

void TwipsLayout::apply(design::Scale scale) const
{
    for (std::size_t i = 0; i < m_widgets.size(); ++i)
        m_widgets[i]->setGeometry(toQRect(design::placeInContainer(design::kControls[i], scale)));
}

double TwipsLayout::scaleForWholeCaptions() const
{
    return design::scaleForWholeCaptions(QtControlStyle(*this));
}

} // namespace tarvex
