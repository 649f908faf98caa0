#include "twips_layout.h"

#include <QGlyphRun>
#include <QGroupBox>
#include <QHash>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QRegion>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

// Factors are tried in steps of 1/120: fine enough that the window grows by at most 8 pixels
// more than the captions need, coarse enough to find the factor in a few dozen tries.
constexpr double kScaleStep = 1.0 / 120;
constexpr double kLargestScale = 4.0;

// A length in twips at a scale factor, in whole pixels.
int scaledTwips(int twips, double scale)
{
    return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel));
}

// A caption as its font draws it on one line, whatever the size of the box it is drawn into.
struct CaptionMetrics
{
    int advance;
    double lineHeight;
    double ascent;
    QRect ink; // relative to the start of the baseline
};

CaptionMetrics measure(const QFont &font, const QString &caption)
{
    // The line's ascent and height come from every font the caption's characters are drawn
    // in: Chinese characters usually come from a fallback font taller than the default one.
    // The caption is shaped once; its ink is the union of its glyphs' outlines where they lie.
    QTextLayout layout(caption, font);
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
            ink.translated(0, -line.ascent()).toAlignedRect()};
}

// The rows of a caption's ink within a box it is drawn into, top and bottom inclusive, as
// the style draws it: one line, at the top of the box or centred in it.
struct InkRows
{
    int top;
    int bottom;
};

InkRows inkRows(const CaptionMetrics &caption, int boxHeight, bool centred)
{
    const double lineTop = centred ? (boxHeight - caption.lineHeight) / 2 : 0.0;
    const int baseline = static_cast<int>(std::floor(lineTop + caption.ascent));
    return {baseline + caption.ink.top(), baseline + caption.ink.bottom()};
}

bool fitsWithin(const CaptionMetrics &caption, QRect contents)
{
    if (caption.advance > contents.width())
        return false;
    const InkRows rows = inkRows(caption, contents.height(), true);
    return rows.top >= 0 && rows.bottom < contents.height();
}

QRect groupBoxPart(const QGroupBox &group, QSize size, QStyle::SubControl part)
{
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.rect = QRect(QPoint(0, 0), size);
    option.text = group.title();
    option.textAlignment = group.alignment();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    return group.style()->subControlRect(QStyle::CC_GroupBox, &option, part, &group);
}

QList<const QWidget *> ancestry(const QWidget *widget)
{
    QList<const QWidget *> chain;
    for (; widget != nullptr; widget = widget->parentWidget())
        chain.prepend(widget);
    return chain;
}

// Whether the widget is painted after the other: it is inside it, or its branch comes later
// among the children of the widget that holds both.
bool isDrawnInFrontOf(const QWidget *widget, const QWidget *behind)
{
    const QList<const QWidget *> front = ancestry(widget);
    const QList<const QWidget *> back = ancestry(behind);
    qsizetype shared = 0;
    while (shared < front.size() && shared < back.size() && front[shared] == back[shared])
        ++shared;
    if (shared == back.size())
        return shared < front.size();
    if (shared == 0 || shared == front.size())
        return false;
    const QObjectList &siblings = front[shared - 1]->children();
    return siblings.indexOf(front[shared]) > siblings.indexOf(back[shared]);
}

QString captionOf(const QWidget *widget)
{
    if (const auto *group = qobject_cast<const QGroupBox *>(widget))
        return group->title();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    return {};
}

} // namespace

// Which captions a factor would cut off, for the widgets' fonts as they are when it is made.
// What does not depend on the factor (how each caption draws, which controls lie in front of
// which group box) is worked out once, so that trying one factor after another is cheap.
class TwipsLayout::CaptionCheck
{
public:
    explicit CaptionCheck(const QList<Placement> &placements) : m_placements(placements)
    {
        for (const Placement &placement : placements) {
            const QString caption = captionOf(placement.widget);
            if (!caption.isEmpty())
                m_captions.insert(placement.widget, measure(placement.widget->font(), caption));
        }
        for (const Placement &group : placements)
            if (qobject_cast<const QGroupBox *>(group.widget) != nullptr)
                m_inFrontOf.insert(group.widget, controlsInFront(group));
    }

    [[nodiscard]] bool allWholeAt(double scale) const
    {
        const Pass pass{scale, {}, {}};
        return std::ranges::all_of(m_placements, [&](const Placement &placement) {
            return qobject_cast<const QGroupBox *>(placement.widget) != nullptr
                       ? titleIsClear(placement, pass)
                       : showsWhole(placement, scale);
        });
    }

private:
    // One factor being tried, with what has been worked out at it: group boxes' title inks and
    // what controls cover, each needed for several group boxes.
    struct Pass
    {
        double scale;
        mutable QHash<const QWidget *, QRect> inks;
        mutable QHash<const QWidget *, QRegion> covered;
    };

    // The controls drawn in front of a group box that start below its top edge, and so may
    // cover its title.
    [[nodiscard]] QList<const Placement *> controlsInFront(const Placement &group) const
    {
        QList<const Placement *> controls;
        const int groupTop = windowPixels(group, 1.0).top();
        for (const Placement &other : m_placements)
            if (other.widget != group.widget && windowPixels(other, 1.0).top() > groupTop &&
                isDrawnInFrontOf(other.widget, group.widget))
                controls << &other;
        return controls;
    }

    // Where a widget lies in the window at a factor, as the rounded places of it and of each
    // of its containers add up.
    [[nodiscard]] QRect windowPixels(const Placement &placement, double scale) const
    {
        QRect pixels = scaledTwipsRect(placement.twips, scale);
        for (const QWidget *parent = placement.widget->parentWidget(); parent != nullptr;
             parent = parent->parentWidget()) {
            const auto recorded = std::ranges::find(m_placements, parent, &Placement::widget);
            if (recorded == m_placements.end())
                break;
            pixels.translate(scaledTwipsRect(recorded->twips, scale).topLeft());
        }
        return pixels;
    }

    [[nodiscard]] bool showsWhole(const Placement &placement, double scale) const
    {
        QWidget *widget = placement.widget;
        QStyle::SubElement contents;
        if (qobject_cast<QRadioButton *>(widget) != nullptr)
            contents = QStyle::SE_RadioButtonContents;
        else if (qobject_cast<QPushButton *>(widget) != nullptr)
            contents = QStyle::SE_PushButtonContents;
        else
            return true;
        QStyleOptionButton option;
        option.initFrom(widget);
        option.rect = QRect(QPoint(0, 0), scaledTwipsRect(placement.twips, scale).size());
        option.text = captionOf(widget);
        return fitsWithin(m_captions.value(widget),
                          widget->style()->subElementRect(contents, &option, widget));
    }

    // The rows and columns that a group box's title inks, in the window.
    [[nodiscard]] QRect titleInk(const Placement &group, const Pass &pass) const
    {
        if (const auto known = pass.inks.constFind(group.widget); known != pass.inks.cend())
            return *known;
        const auto *box = static_cast<const QGroupBox *>(group.widget);
        const QRect groupPixels = windowPixels(group, pass.scale);
        const QRect label = groupBoxPart(*box, groupPixels.size(), QStyle::SC_GroupBoxLabel);
        const CaptionMetrics title = m_captions.value(box);
        const InkRows rows = inkRows(title, label.height(), false);
        const QPoint origin = groupPixels.topLeft() + label.topLeft();
        const QRect ink(QPoint(origin.x() + title.ink.left(), origin.y() + rows.top),
                        QPoint(origin.x() + title.ink.right(), origin.y() + rows.bottom));
        pass.inks.insert(group.widget, ink);
        return ink;
    }

    // What a control covers of the controls behind it: all of it, but for a group box, whose
    // inside is transparent, only its title and its frame.
    [[nodiscard]] QRegion coveredArea(const Placement &placement, const Pass &pass) const
    {
        if (const auto known = pass.covered.constFind(placement.widget);
            known != pass.covered.cend())
            return *known;
        const QRect pixels = windowPixels(placement, pass.scale);
        QRegion covered = pixels;
        const auto *box = qobject_cast<const QGroupBox *>(placement.widget);
        if (box != nullptr && !box->title().isEmpty()) {
            // The frame's top edge runs level with the middle of the title.
            QRect frame = groupBoxPart(*box, pixels.size(), QStyle::SC_GroupBoxFrame);
            const QRect label = groupBoxPart(*box, pixels.size(), QStyle::SC_GroupBoxLabel);
            frame.setTop(std::max(frame.top(), label.center().y()));
            covered = QRegion(frame.translated(pixels.topLeft())) + titleInk(placement, pass);
        }
        pass.covered.insert(placement.widget, covered);
        return covered;
    }

    // A group box's title runs along its top edge; the controls in front of the box that
    // start below its top edge must leave the title's ink uncovered.
    [[nodiscard]] bool titleIsClear(const Placement &group, const Pass &pass) const
    {
        if (captionOf(group.widget).isEmpty())
            return true;
        const QRect ink = titleInk(group, pass);
        return std::ranges::none_of(m_inFrontOf.value(group.widget), [&](const Placement *other) {
            return coveredArea(*other, pass).intersects(ink);
        });
    }

    const QList<Placement> &m_placements;
    QHash<const QWidget *, CaptionMetrics> m_captions;
    QHash<const QWidget *, QList<const Placement *>> m_inFrontOf;
};

QRect scaledTwipsRect(QRect twips, double scale)
{
    const int left = scaledTwips(twips.left(), scale);
    const int top = scaledTwips(twips.top(), scale);
    return {left, top, scaledTwips(twips.left() + twips.width(), scale) - left,
            scaledTwips(twips.top() + twips.height(), scale) - top};
}

void TwipsLayout::add(QWidget *widget, QRect twips)
{
    m_placements.append({widget, twips});
}

void TwipsLayout::apply(double scale) const
{
    for (const Placement &placement : m_placements)
        placement.widget->setGeometry(scaledTwipsRect(placement.twips, scale));
}

double TwipsLayout::scaleForWholeCaptions() const
{
    const CaptionCheck check(m_placements);
    double scale = 1.0;
    while (scale < kLargestScale && !check.allWholeAt(scale))
        scale += kScaleStep;
    return scale;
}

} // namespace tarvex
