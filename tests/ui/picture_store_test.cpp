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
        {Holder::y, {45, 43}},  {Holder::r, {45, 43}},  {Holder::g, {45, 44}},
        {Holder::b, {43, 44}},  {Holder::yh, {45, 43}}, {Holder::rh, {45, 43}},
        {Holder::gh, {45, 44}}, {Holder::bh, {43, 44}},
    };
    for (const qreal ratio : {1.0, 2.0}) {
        PictureStore store;
        EXPECT_FALSE(store.isLoaded()) << "nothing is decoded before the first draw";
        for (const auto &[holder, size] : sizes) {
            const QPixmap &picture = store.picture(holder, ratio);
            EXPECT_EQ(picture.size(), size * ratio) << nameOf(holder) << " at " << ratio;
            EXPECT_EQ(picture.devicePixelRatio(), ratio) << nameOf(holder);
        }
    }
    PictureStore store;
    EXPECT_NE(store.picture(Holder::g, 1).toImage(), store.picture(Holder::gh, 1).toImage());
    EXPECT_EQ(store.picture(Holder::y, 1.25).size(), QSize(90, 86)) << "2x above one";
}

} // namespace
} // namespace chromatta::ui::test
