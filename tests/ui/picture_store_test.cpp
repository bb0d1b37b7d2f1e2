// The picture store: each holder gets its own picture, at the density of the screen.
#include "picture_store.h"

#include <gtest/gtest.h>

#include <utility>

namespace chromatta::ui::test {
namespace {

TEST(Pictures, EachHolderHoldsItsOwnPictureAtTheScreensDensity)
{
    // The sizes differ by colour, so a holder handed another colour's picture shows up.
    const std::pair<Holder, QSize> sizes[] = {
        {Holder::Yellow, {45, 43}},
        {Holder::Red, {45, 43}},
        {Holder::Green, {45, 44}},
        {Holder::Violet, {43, 44}},
        {Holder::YellowHighlighted, {45, 43}},
        {Holder::RedHighlighted, {45, 43}},
        {Holder::GreenHighlighted, {45, 44}},
        {Holder::VioletHighlighted, {43, 44}},
    };
    for (const qreal ratio : {1.0, 2.0}) {
        PictureStore store;
        EXPECT_FALSE(store.isLoaded()) << "nothing is decoded before the first draw";
        for (const auto &[holder, size] : sizes) {
            const QPixmap &picture = store.picture(holder, ratio);
            EXPECT_EQ(picture.size(), size * ratio) << int(holder) << " at " << ratio;
            EXPECT_EQ(picture.devicePixelRatio(), ratio) << int(holder);
        }
    }
    PictureStore store;
    EXPECT_NE(store.picture(Holder::Green, 1).toImage(),
              store.picture(Holder::GreenHighlighted, 1).toImage());
    EXPECT_EQ(store.picture(Holder::Yellow, 1.25).size(), QSize(90, 86)) << "2x above one";
}

} // namespace
} // namespace chromatta::ui::test
