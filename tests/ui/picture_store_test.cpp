// The picture store: each box gets its own picture, at the density of the screen.
#include "picture_store.h"

#include <gtest/gtest.h>

#include <utility>

namespace chromatta::ui::test {
namespace {

TEST(Pictures, EachBoxHasItsOwnPictureAtTheScreensDensity)
{
    // The sizes differ by colour, so a box handed another colour's picture shows up.
    const std::pair<CellCode, QSize> sizes[] = {
        {CellCode {'y'}, {45, 43}}, {CellCode {'r'}, {45, 43}}, {CellCode {'g'}, {45, 44}},
        {CellCode {'b'}, {43, 44}}, {CellCode {'Y'}, {45, 43}}, {CellCode {'R'}, {45, 43}},
        {CellCode {'G'}, {45, 44}}, {CellCode {'B'}, {43, 44}},
    };
    for (const qreal ratio : {1.0, 2.0}) {
        PictureStore store;
        EXPECT_FALSE(store.isLoaded()) << "nothing is decoded before the first draw";
        for (const auto &[code, size] : sizes) {
            const QPixmap &picture = store.picture(code, ratio);
            EXPECT_EQ(picture.size(), size * ratio) << toChar(code) << " at " << ratio;
            EXPECT_EQ(picture.devicePixelRatio(), ratio) << toChar(code);
        }
    }
    PictureStore store;
    EXPECT_NE(store.picture(CellCode {'g'}, 1).toImage(),
              store.picture(CellCode {'G'}, 1).toImage());
    EXPECT_EQ(store.picture(CellCode {'y'}, 1.25).size(), QSize(90, 86)) << "2x above one";
    EXPECT_TRUE(store.picture(CellCode::Empty, 1).isNull()) << "an empty cell shows the surface";
}

} // namespace
} // namespace chromatta::ui::test
