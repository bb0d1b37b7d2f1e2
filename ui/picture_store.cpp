// The pictures from the resources, at the screen's density, and the store of the box pictures.
#include "picture_store.h"

namespace chromatta::ui {

QPixmap loadPicture(const QString &name, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.0) {
        QPixmap sharp(QStringLiteral(":/%1@2x.png").arg(name));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(QStringLiteral(":/%1.png").arg(name));
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
