// The box pictures of the board and the colour swatches of the window, from one table of colours.
#include "make_assets.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace chromatta::assets {

namespace {

// The colours of the boxes, one line each: a colour added to the game is a line here. A pixel
// of the board shows between neighbouring boxes, so a box is a little smaller than its cell.
const BoxColour BoxColours[] = {
    {"yellow", {246, 202, 24}, Mark::Square, {45, 43}, {31, 30}},
    {"red", {222, 36, 36}, Mark::Circle, {45, 43}, {31, 30}},
    {"green", {46, 172, 58}, Mark::Triangle, {45, 44}, {31, 30}},
    {"violet", {144, 58, 206}, Mark::Diamond, {43, 44}, {29, 30}},
};

QPainterPath markOf(Mark mark, QPointF centre, qreal size)
{
    QPainterPath path;
    const qreal x = centre.x();
    const qreal y = centre.y();
    switch (mark) {
    case Mark::Circle:
        path.addEllipse(centre, size, size);
        break;
    case Mark::Triangle:
        path.addPolygon(QPolygonF({{x, y - size * 1.1},
                                   {x + size * 1.15, y + size * 0.85},
                                   {x - size * 1.15, y + size * 0.85}}));
        path.closeSubpath();
        break;
    case Mark::Diamond:
        path.addPolygon(QPolygonF({{x, y - size * 1.2},
                                   {x + size * 0.95, y},
                                   {x, y + size * 1.2},
                                   {x - size * 0.95, y}}));
        path.closeSubpath();
        break;
    case Mark::Square:
        path.addRoundedRect(QRectF(x - size * 0.85, y - size * 0.85, size * 1.7, size * 1.7),
                            size * 0.2, size * 0.2);
        break;
    }
    return path;
}

// The mark is pressed into the box: its rim is shaded on the upper left and lit on the lower
// right, and its face is a little darker at the top.
void paintMark(QPainter &painter, const QRectF &rect, Mark mark, const QColor &base)
{
    const qreal side = std::min(rect.width(), rect.height());
    const QPainterPath path = markOf(mark, rect.center() + QPointF(0, side * 0.04), side * 0.2);
    const QRectF bounds = path.boundingRect();

    QLinearGradient rim(bounds.topLeft(), bounds.bottomRight());
    rim.setColorAt(0, QColor(0, 0, 0, 110));
    rim.setColorAt(0.45, QColor(0, 0, 0, 40));
    rim.setColorAt(0.55, QColor(255, 255, 255, 40));
    rim.setColorAt(1, QColor(255, 255, 255, 150));
    QLinearGradient face(bounds.topLeft(), bounds.bottomLeft());
    face.setColorAt(0, base.darker(122));
    face.setColorAt(1, base.lighter(106));
    painter.setPen(QPen(QBrush(rim), std::max(0.8, side * 0.025)));
    painter.setBrush(face);
    painter.drawPath(path);
}

void paintGlossyBox(QPainter &painter, const QRectF &rect, Mark mark, const QColor &base)
{
    const qreal side = std::min(rect.width(), rect.height());
    const qreal radius = side * 0.16;

    QLinearGradient body(rect.topLeft(), rect.bottomLeft());
    body.setColorAt(0, base.lighter(135));
    body.setColorAt(0.45, base);
    body.setColorAt(1, base.darker(165));
    painter.setPen(QPen(base.darker(320), 1));
    painter.setBrush(body);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    // A bevel just inside the edge: light along the top, shaded along the bottom.
    QLinearGradient bevel(rect.topLeft(), rect.bottomLeft());
    bevel.setColorAt(0, QColor(255, 255, 255, 170));
    bevel.setColorAt(0.5, QColor(255, 255, 255, 20));
    bevel.setColorAt(1, QColor(0, 0, 0, 70));
    painter.setPen(QPen(QBrush(bevel), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);

    // On the tiny boxes of the icon and the emblem a mark would only be a smudge.
    if (side >= 20)
        paintMark(painter, rect, mark, base);

    // The gloss: a soft reflection over the upper part of the box.
    const QRectF gloss(rect.left() + rect.width() * 0.12, rect.top() + rect.height() * 0.06,
                       rect.width() * 0.76, rect.height() * 0.42);
    QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
    shine.setColorAt(0, QColor(255, 255, 255, 190));
    shine.setColorAt(1, QColor(255, 255, 255, 15));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawRoundedRect(gloss, gloss.height() * 0.5, gloss.height() * 0.5);
}

} // namespace

const BoxColour &boxColour(const char *name)
{
    for (const BoxColour &colour : BoxColours)
        if (std::strcmp(colour.name, name) == 0)
            return colour;
    throw std::invalid_argument(std::string("no box colour ") + name);
}

void paintBox(QPainter &painter, const QRectF &rect, const BoxColour &colour, bool highlighted)
{
    const QColor base = colour.base;
    if (!highlighted) {
        paintGlossyBox(painter, rect, colour.mark, base);
        return;
    }
    // The highlighted box: the same box, a little brighter, inside a light frame with a dark gap.
    const qreal side = std::min(rect.width(), rect.height());
    const qreal radius = side * 0.16;
    QLinearGradient frame(rect.topLeft(), rect.bottomRight());
    frame.setColorAt(0, QColor(255, 255, 250));
    frame.setColorAt(1, QColor(206, 214, 226));
    painter.setPen(QPen(QColor(90, 96, 110), 1));
    painter.setBrush(frame);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    const qreal border = side * 0.09;
    const QRectF gap = rect.adjusted(border, border, -border, -border);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 20, 24));
    painter.drawRoundedRect(gap, radius * 0.8, radius * 0.8);
    paintGlossyBox(painter, gap.adjusted(1, 1, -1, -1), colour.mark, base.lighter(112));
}

void writeBoxes(PictureWriter &writer)
{
    for (const BoxColour &colour : BoxColours) {
        const QString name = QLatin1String(colour.name);
        const QRectF box = QRectF(QPointF(0, 0), colour.box).adjusted(1, 1, -1, -1);
        writer.writePair(QStringLiteral("box-") + name, colour.box,
                         [&](QPainter &painter) { paintBox(painter, box, colour); });
        writer.writePair(QStringLiteral("box-") + name + QStringLiteral("-highlighted"), colour.box,
                         [&](QPainter &painter) { paintBox(painter, box, colour, true); });
        const QRectF swatch = QRectF(QPointF(0, 0), colour.swatch).adjusted(0.5, 0.5, -0.5, -0.5);
        writer.writePair(QStringLiteral("swatch-") + name, colour.swatch,
                         [&](QPainter &painter) { paintBox(painter, swatch, colour); });
    }
}

} // namespace chromatta::assets
