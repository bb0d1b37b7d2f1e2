// The pictures from the resources, at the screen's density, and the store of the box pictures.
#include "picture_store.h"

namespace chromatta::ui {

namespace {

// The resource name of each box picture, in the order of Holder: its colour,
// with "-highlighted" for the highlighted one.
constexpr const char *BoxPictures[HolderCount] = {
    "box-yellow",
    "box-red",
    "box-green",
    "box-violet",
    "box-yellow-highlighted",
    "box-red-highlighted",
    "box-green-highlighted",
    "box-violet-highlighted",
};

} // namespace

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

const QPixmap &PictureStore::picture(Holder holder, qreal devicePixelRatio)
{
    // Decoded again only when the window moves to a screen of the other density.
    const Density wanted = devicePixelRatio > 1.0 ? TwoX : OneX;
    if (loaded_ != wanted) {
        for (int i = 0; i < HolderCount; ++i)
            pictures_[i] = loadPicture(QLatin1String(BoxPictures[i]), devicePixelRatio);
        loaded_ = wanted;
    }
    return pictures_[static_cast<int>(holder)];
}

} // namespace chromatta::ui
