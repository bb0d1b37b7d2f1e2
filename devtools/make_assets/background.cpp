// The window's background: a yellow band of stones at the top, a thin dark line, a blue band
// under the colour swatches, black under the board.
#include "make_assets.h"

#include <QLinearGradient>

namespace chromatta::assets {

namespace {

constexpr qreal Width = 640;
constexpr qreal StoneBandHeight = 47;
constexpr qreal BlueTop = 52;
constexpr qreal BlueBottom = 103;

// A value in [0, 1) that depends only on the row, the stone and a salt.
qreal variation(int row, int stone, int salt)
{
    const quint32 h = mix(quint32(row) * 7919U + quint32(stone) * 104729U + quint32(salt) * 31U);
    return qreal(h % 10000U) / 10000.0;
}

void paintStone(QPainter &painter, const QRectF &stone, qreal shade)
{
    const QColor light = QColor(255, 242, 150).darker(100 + int(shade * 8));
    const QColor dark = QColor(232, 188, 52).darker(100 + int(shade * 10));
    QLinearGradient fill(stone.topLeft(), stone.bottomLeft());
    fill.setColorAt(0, light);
    fill.setColorAt(1, dark);
    painter.setPen(QPen(QColor(178, 128, 30), 0.8));
    painter.setBrush(fill);
    painter.drawRoundedRect(stone, 4.5, 4.5);

    // Worn smooth: a light rim along the upper edge.
    painter.setPen(QPen(QColor(255, 252, 215, 150), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(stone.adjusted(1, 1, -1, -stone.height() * 0.45), 3.5, 3.5);
}

void paintStoneBand(QPainter &painter)
{
    painter.fillRect(QRectF(0, 0, Width, StoneBandHeight), QColor(198, 152, 44));
    const qreal rowTops[] = {0, 16, 32, StoneBandHeight};
    for (int row = 0; row < 3; ++row) {
        const qreal top = rowTops[row] + 0.9;
        const qreal bottom = rowTops[row + 1] - 0.9;
        qreal x = -variation(row, 0, 1) * 24;
        for (int stone = 0; x < Width; ++stone) {
            const qreal width = 24 + variation(row, stone, 2) * 20;
            const qreal lift = (variation(row, stone, 3) - 0.5) * 1.2;
            const QRectF rect(x + 0.9, top + lift * 0.5, width - 1.8, bottom - top - lift * 0.5);
            paintStone(painter, rect, variation(row, stone, 4));
            x += width;
        }
    }
}

void paintBands(QPainter &painter)
{
    paintStoneBand(painter);

    // The thin dark line under the stones.
    painter.fillRect(QRectF(0, StoneBandHeight, Width, 2), QColor(74, 46, 10));

    QLinearGradient blue(0, BlueTop, 0, BlueBottom);
    blue.setColorAt(0, QColor(176, 216, 255));
    blue.setColorAt(0.5, QColor(110, 166, 240));
    blue.setColorAt(1, QColor(44, 98, 200));
    painter.fillRect(QRectF(0, BlueTop, Width, BlueBottom - BlueTop), blue);
    painter.fillRect(QRectF(0, BlueTop, Width, 1), QColor(220, 238, 255));
    painter.fillRect(QRectF(0, BlueBottom - 1, Width, 1), QColor(24, 60, 140));
}

} // namespace

void writeBackground(PictureWriter &writer)
{
    writer.writePair(QStringLiteral("background"), QSize(640, 480), paintBands, true);
}

} // namespace chromatta::assets
