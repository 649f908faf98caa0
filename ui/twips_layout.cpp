#include "twips_layout.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
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

// The rows of a caption's ink within a box it is drawn into, top and bottom inclusive, as
// the style draws it: one line, at the top of the box or centred in it.
struct InkRows
{
    int top;
    int bottom;
};

InkRows inkRows(const QFont &font, const QString &caption, int boxHeight, bool centred)
{
    // The line's ascent and height come from every font the caption's characters are drawn
    // in: Chinese characters usually come from a fallback font taller than the default one.
    QTextLayout layout(caption, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    const double lineTop = centred ? (boxHeight - line.height()) / 2 : 0.0;
    const int baseline = static_cast<int>(std::floor(lineTop + line.ascent()));
    const QRect ink = QFontMetrics(font).tightBoundingRect(caption);
    return {baseline + ink.top(), baseline + ink.bottom()};
}

bool fitsWithin(const QFont &font, const QString &caption, QRect contents)
{
    if (QFontMetrics(font).horizontalAdvance(caption) > contents.width())
        return false;
    const InkRows rows = inkRows(font, caption, contents.height(), true);
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

} // namespace

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
    double scale = 1.0;
    while (scale < kLargestScale && !captionsCutOffAt(scale).isEmpty())
        scale += kScaleStep;
    return scale;
}

QStringList TwipsLayout::captionsCutOffAt(double scale) const
{
    QStringList cutOff;
    for (const Placement &placement : m_placements) {
        const bool whole = qobject_cast<const QGroupBox *>(placement.widget) != nullptr
                               ? titleIsClear(placement, scale)
                               : showsWhole(placement, scale);
        if (!whole)
            cutOff << placement.widget->objectName();
    }
    return cutOff;
}

// Where a widget lies in the window at a factor, as the rounded places of it and of each of
// its containers add up.
QRect TwipsLayout::windowPixels(const Placement &placement, double scale) const
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

// Whether the widget is painted after the other: it is inside it, or its branch comes later
// among the children of the widget that holds both.
bool TwipsLayout::isDrawnInFrontOf(const QWidget *widget, const QWidget *behind) const
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

bool TwipsLayout::showsWhole(const Placement &placement, double scale) const
{
    QWidget *widget = placement.widget;
    QStyle::SubElement contents;
    QString caption;
    if (auto *radio = qobject_cast<QRadioButton *>(widget)) {
        contents = QStyle::SE_RadioButtonContents;
        caption = radio->text();
    } else if (auto *push = qobject_cast<QPushButton *>(widget)) {
        contents = QStyle::SE_PushButtonContents;
        caption = push->text();
    } else {
        return true;
    }
    QStyleOptionButton option;
    option.initFrom(widget);
    option.rect = QRect(QPoint(0, 0), scaledTwipsRect(placement.twips, scale).size());
    option.text = caption;
    return fitsWithin(widget->font(), caption,
                      widget->style()->subElementRect(contents, &option, widget));
}

// The rows and columns that a group box's title inks, in the window.
QRect TwipsLayout::titleInk(const Placement &group, double scale) const
{
    const auto *box = static_cast<const QGroupBox *>(group.widget);
    const QRect groupPixels = windowPixels(group, scale);
    const QRect label = groupBoxPart(*box, groupPixels.size(), QStyle::SC_GroupBoxLabel);
    const InkRows rows = inkRows(box->font(), box->title(), label.height(), false);
    const QRect columns = QFontMetrics(box->font()).tightBoundingRect(box->title());
    const QPoint origin = groupPixels.topLeft() + label.topLeft();
    return {QPoint(origin.x() + columns.left(), origin.y() + rows.top),
            QPoint(origin.x() + columns.right(), origin.y() + rows.bottom)};
}

// What a control covers of the controls behind it: all of it, but for a group box, whose
// inside is transparent, only its title and its frame.
QRegion TwipsLayout::coveredArea(const Placement &placement, double scale) const
{
    const QRect pixels = windowPixels(placement, scale);
    const auto *box = qobject_cast<const QGroupBox *>(placement.widget);
    if (box == nullptr)
        return pixels;
    if (box->title().isEmpty())
        return pixels;
    // The frame's top edge runs level with the middle of the title.
    QRect frame = groupBoxPart(*box, pixels.size(), QStyle::SC_GroupBoxFrame);
    const QRect label = groupBoxPart(*box, pixels.size(), QStyle::SC_GroupBoxLabel);
    frame.setTop(std::max(frame.top(), label.center().y()));
    return QRegion(frame.translated(pixels.topLeft())) + titleInk(placement, scale);
}

// A group box's title runs along its top edge; the controls in front of the box that start
// below its top edge must leave the title's ink uncovered.
bool TwipsLayout::titleIsClear(const Placement &group, double scale) const
{
    const QRect ink = titleInk(group, scale);
    const int groupTop = windowPixels(group, 1.0).top();
    return std::ranges::none_of(m_placements, [&](const Placement &other) {
        return other.widget != group.widget && windowPixels(other, 1.0).top() > groupTop &&
               isDrawnInFrontOf(other.widget, group.widget) &&
               coveredArea(other, scale).intersects(ink);
    });
}

} // namespace tarvex
