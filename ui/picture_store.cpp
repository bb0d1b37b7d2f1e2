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

const QPixmap &PictureStore::picture(Holder holder, qreal devicePixelRatio)
{
    // Decoded again only when the window moves to a screen of the other density.
    const Density wanted = devicePixelRatio > 1.0 ? TwoX : OneX;
    if (loaded_ != wanted) {
        for (int i = 0; i < HolderCount; ++i) {
            const auto name = nameOf(static_cast<Holder>(i));
            pictures_[i] = loadPicture(QStringLiteral("box-") +
                                           QString::fromLatin1(name.data(), qsizetype(name.size())),
                                       devicePixelRatio);
        }
        loaded_ = wanted;
    }
    return pictures_[static_cast<int>(holder)];
}

} // namespace chromatta::ui
