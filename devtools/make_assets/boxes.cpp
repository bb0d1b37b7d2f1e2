// The eight box pictures of the board and the four colour swatches of the window.
#include "make_assets.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

namespace chromatta::assets {

namespace {

QColor baseOf(BoxColour colour)
{
    switch (colour) {
    case BoxColour::Yellow:
        return {246, 202, 24};
    case BoxColour::Red:
        return {222, 36, 36};
    case BoxColour::Green:
        return {46, 172, 58};
    case BoxColour::Violet:
        return {144, 58, 206};
    }
    return Qt::gray;
}

// Each colour carries a shape of its own, so the boxes can be told apart without their colours:
// red a circle, green a triangle, violet a diamond, yellow a square.
QPainterPath markOf(BoxColour colour, QPointF centre, qreal size)
{
    QPainterPath path;
    const qreal x = centre.x();
    const qreal y = centre.y();
    switch (colour) {
    case BoxColour::Red:
        path.addEllipse(centre, size, size);
        break;
    case BoxColour::Green:
        path.addPolygon(QPolygonF({{x, y - size * 1.1},
                                   {x + size * 1.15, y + size * 0.85},
                                   {x - size * 1.15, y + size * 0.85}}));
        path.closeSubpath();
        break;
    case BoxColour::Violet:
        path.addPolygon(QPolygonF({{x, y - size * 1.2},
                                   {x + size * 0.95, y},
                                   {x, y + size * 1.2},
                                   {x - size * 0.95, y}}));
        path.closeSubpath();
        break;
    case BoxColour::Yellow:
        path.addRoundedRect(QRectF(x - size * 0.85, y - size * 0.85, size * 1.7, size * 1.7),
                            size * 0.2, size * 0.2);
        break;
    }
    return path;
}

// The mark is pressed into the box: its rim is shaded on the upper left and lit on the lower
// right, and its face is a little darker at the top.
void paintMark(QPainter &painter, const QRectF &rect, BoxColour colour, const QColor &base)
{
    const qreal side = std::min(rect.width(), rect.height());
    const QPainterPath mark = markOf(colour, rect.center() + QPointF(0, side * 0.04), side * 0.2);
    const QRectF bounds = mark.boundingRect();

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
    painter.drawPath(mark);
}

void paintGlossyBox(QPainter &painter, const QRectF &rect, BoxColour colour, const QColor &base)
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
        paintMark(painter, rect, colour, base);

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

void paintBox(QPainter &painter, const QRectF &rect, BoxColour colour, bool highlighted)
{
    const QColor base = baseOf(colour);
    if (!highlighted) {
        paintGlossyBox(painter, rect, colour, base);
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
    paintGlossyBox(painter, gap.adjusted(1, 1, -1, -1), colour, base.lighter(112));
}

void writeBoxes(PictureWriter &writer)
{
    struct Box
    {
        const char *colourName;
        BoxColour colour;
        QSize size;
    };
    const Box boxes[] = {{"yellow", BoxColour::Yellow, {45, 43}},
                         {"red", BoxColour::Red, {45, 43}},
                         {"green", BoxColour::Green, {45, 44}},
                         {"violet", BoxColour::Violet, {43, 44}}};
    // A pixel of the board shows between neighbouring boxes.
    for (const Box &box : boxes) {
        const QRectF rect = QRectF(QPointF(0, 0), box.size).adjusted(1, 1, -1, -1);
        const QString name = QStringLiteral("box-") + QLatin1String(box.colourName);
        writer.writePair(name, box.size,
                         [&](QPainter &painter) { paintBox(painter, rect, box.colour); });
        writer.writePair(name + QStringLiteral("-highlighted"), box.size,
                         [&](QPainter &painter) { paintBox(painter, rect, box.colour, true); });
    }

    const Box swatches[] = {{"red", BoxColour::Red, {31, 30}},
                            {"violet", BoxColour::Violet, {29, 30}},
                            {"green", BoxColour::Green, {31, 30}},
                            {"yellow", BoxColour::Yellow, {31, 30}}};
    for (const Box &swatch : swatches) {
        const QRectF rect = QRectF(QPointF(0, 0), swatch.size).adjusted(0.5, 0.5, -0.5, -0.5);
        writer.writePair(QStringLiteral("swatch-") + QLatin1String(swatch.colourName), swatch.size,
                         [&](QPainter &painter) { paintBox(painter, rect, swatch.colour); });
    }
}

} // namespace chromatta::assets
