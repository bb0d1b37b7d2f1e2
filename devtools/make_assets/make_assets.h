// What the asset generator's parts share: the picture writer and the drawing of each asset.
#pragma once

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

namespace chromatta::assets {

// Paints in 1x pixels; the painter is already scaled for the picture being drawn.
using PaintFn = std::function<void(QPainter &)>;

// Writes PNG files into one folder and remembers their names for the resource list.
class PictureWriter
{
public:
    explicit PictureWriter(const QDir &folder)
        : m_folder(folder)
    { }

    // NAME.png at size and NAME@2x.png at twice the size, both painted from the same drawing.
    void writePair(const QString &name, QSize size, const PaintFn &paint, bool opaque = false);
    // NAME.png only, painted at size.
    void writeSingle(const QString &name, QSize size, const PaintFn &paint, bool opaque = false);

    const QStringList &written() const { return m_written; }

private:
    void write(const QString &fileName, QSize size, int scale, const PaintFn &paint, bool opaque);

    QDir m_folder;
    QStringList m_written;
};

// The shape pressed into a box, so the boxes can be told apart without their colours.
enum class Mark { Circle, Triangle, Diamond, Square };

// How a colour of box looks, and the sizes of its pictures.
struct BoxColour
{
    const char *name; // as the game names it (game/colours.h)
    QColor base;
    Mark mark;
    QSize box; // box-NAME and box-NAME-highlighted
    QSize swatch; // swatch-NAME
};

// The colour of this name; an unknown name is a programming error and throws.
const BoxColour &boxColour(const char *name);

// A glossy box filling rect, with its colour's embossed mark; highlighted puts it in a light frame.
void paintBox(QPainter &painter, const QRectF &rect, const BoxColour &colour,
              bool highlighted = false);

void writeBoxes(PictureWriter &writer);
void writeBackground(PictureWriter &writer);
void writeIcons(PictureWriter &writer);
void writeSounds(const QDir &folder);

// A small deterministic hash, for variation that is the same on every run.
quint32 mix(quint32 value);

} // namespace chromatta::assets
