// The pictures from the resources, at the screen's density, and the store of the box pictures.
#include "picture_store.h"

namespace chromatta::ui {

namespace {

// The picture of each cell code that holds a box.
struct BoxPicture
{
    CellCode code;
    const char *name;
};
constexpr BoxPicture BoxPictures[] = {
    {CellCode::Yellow, "box-yellow"},
    {CellCode::Red, "box-red"},
    {CellCode::Green, "box-green"},
    {CellCode::Violet, "box-violet"},
    {CellCode::YellowHighlighted, "box-yellow-highlighted"},
    {CellCode::RedHighlighted, "box-red-highlighted"},
    {CellCode::GreenHighlighted, "box-green-highlighted"},
    {CellCode::VioletHighlighted, "box-violet-highlighted"},
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

const QPixmap &PictureStore::picture(CellCode code, qreal devicePixelRatio)
{
    // Decoded again only when the window moves to a screen of the other density.
    const Density wanted = devicePixelRatio > 1.0 ? TwoX : OneX;
    if (loaded_ != wanted) {
        for (std::size_t i = 0; i < std::size(BoxPictures); ++i)
            pictures_[i] = loadPicture(QLatin1String(BoxPictures[i].name), devicePixelRatio);
        loaded_ = wanted;
    }
    for (std::size_t i = 0; i < std::size(BoxPictures); ++i)
        if (BoxPictures[i].code == code)
            return pictures_[i];
    return none_;
}

} // namespace chromatta::ui
