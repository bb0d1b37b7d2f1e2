// The application icon at the sizes of the desktop's icon theme, and the about window's emblem.
#include "make_assets.h"

namespace chromatta::assets {

namespace {

// Four boxes, one of each colour, two by two.
void paintIcon(QPainter &painter, qreal size)
{
    const qreal cell = size / 2;
    const qreal gap = size / 32;
    const char *colours[] = {"red", "yellow", "violet", "green"};
    for (int i = 0; i < 4; ++i) {
        const QRectF rect(cell * (i % 2), cell * (i / 2), cell, cell);
        paintBox(painter, rect.adjusted(gap, gap, -gap, -gap), boxColour(colours[i]));
    }
}

// A pyramid of six boxes with the top one still tumbling down, for the black about window.
void paintEmblem(QPainter &painter)
{
    constexpr qreal Cell = 32.0 / 3;
    const char *rows[3][3] = {{"yellow"}, {"green", "violet"}, {"red", "yellow", "green"}};
    for (int row = 1; row < 3; ++row) {
        for (int i = 0; i <= row; ++i) {
            const QRectF rect((2 - row) * Cell / 2 + i * Cell, row * Cell, Cell, Cell);
            paintBox(painter, rect.adjusted(0.3, 0.3, -0.3, -0.3), boxColour(rows[row][i]));
        }
    }
    painter.save();
    painter.translate(16, Cell / 2 + 0.5);
    painter.rotate(-18);
    paintBox(painter, QRectF(-Cell / 2, -Cell / 2, Cell, Cell).adjusted(0.8, 0.8, -0.8, -0.8),
             boxColour(rows[0][0]));
    painter.restore();
}

} // namespace

void writeIcons(PictureWriter &writer)
{
    writer.writePair(QStringLiteral("icon-32"), QSize(32, 32),
                     [](QPainter &painter) { paintIcon(painter, 32); });
    for (int size : {48, 64, 128, 256}) {
        writer.writeSingle(QStringLiteral("icon-%1").arg(size), QSize(size, size),
                           [size](QPainter &painter) { paintIcon(painter, size); });
    }
    writer.writePair(QStringLiteral("emblem"), QSize(32, 32), paintEmblem);
}

} // namespace chromatta::assets
