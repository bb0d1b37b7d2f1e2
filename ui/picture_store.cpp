// The pictures from the resources, at the screen's density, and the store of the box pictures.
#include "picture_store.h"

#include <system_error>

namespace chromatta::ui {

namespace {

// QImage, unlike QPixmap, may be decoded away from the window's thread.
QImage loadImage(const QString &name, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.0) {
        QImage sharp(QStringLiteral(":/%1@2x.png").arg(name));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QImage(QStringLiteral(":/%1.png").arg(name));
}

} // namespace

QPixmap loadPicture(const QString &name, qreal devicePixelRatio)
{
    return QPixmap::fromImage(loadImage(name, devicePixelRatio));
}

PictureAhead::PictureAhead(const QString &name, qreal devicePixelRatio)
{
    try {
        image_ = std::async(std::launch::async, loadImage, name, devicePixelRatio);
    } catch (const std::system_error &) {
        image_ = std::async(std::launch::deferred, loadImage, name, devicePixelRatio);
    }
}

QPixmap PictureAhead::take()
{
    return QPixmap::fromImage(image_.get());
}

const QPixmap &PictureStore::picture(CellCode code, qreal devicePixelRatio)
{
    // Decoded again only when the window moves to a screen of the other density.
    const Density wanted = devicePixelRatio > 1.0 ? TwoX : OneX;
    if (loaded_ != wanted) {
        for (int colour = 0; colour < ColourCount; ++colour) {
            const std::string_view name = Colours[colour].name;
            const QString box =
                QStringLiteral("box-") + QLatin1String(name.data(), qsizetype(name.size()));
            pictures_[2 * colour] = loadPicture(box, devicePixelRatio);
            pictures_[2 * colour + 1] =
                loadPicture(box + QStringLiteral("-highlighted"), devicePixelRatio);
        }
        loaded_ = wanted;
    }
    const auto colour = colourOf(code);
    if (!colour)
        return none_;
    return pictures_[2 * *colour + (isHighlighted(code) ? 1 : 0)];
}

} // namespace chromatta::ui
