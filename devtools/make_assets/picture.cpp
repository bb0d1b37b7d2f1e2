// The picture writer: each picture at one and two device pixels per pixel, as PNG.
#include "make_assets.h"

#include <stdexcept>

namespace chromatta::assets {

void PictureWriter::writePair(const QString &name, QSize size, const PaintFn &paint, bool opaque)
{
    write(name + QStringLiteral(".png"), size, 1, paint, opaque);
    write(name + QStringLiteral("@2x.png"), size, 2, paint, opaque);
}

void PictureWriter::writeSingle(const QString &name, QSize size, const PaintFn &paint, bool opaque)
{
    write(name + QStringLiteral(".png"), size, 1, paint, opaque);
}

void PictureWriter::write(const QString &fileName, QSize size, int scale, const PaintFn &paint,
                          bool opaque)
{
    QImage image(size * scale, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.fill(opaque ? Qt::black : Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    paint(painter);
    painter.end();

    const QString path = m_folder.filePath(fileName);
    if (!image.save(path, "PNG"))
        throw std::runtime_error("cannot write " + path.toStdString());
    m_written.append(fileName);
}

quint32 mix(quint32 value)
{
    value ^= value >> 16;
    value *= 0x7feb352dU;
    value ^= value >> 15;
    value *= 0x846ca68bU;
    value ^= value >> 16;
    return value;
}

} // namespace chromatta::assets
