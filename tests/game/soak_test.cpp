// The soak, bounded to a few seconds, as part of the suite.
#include "soak.h"

#include <gtest/gtest.h>

// Long random games through the rules; every event is checked against what must always hold.
// Bounded to a few seconds: tools/soak.sh runs the same soak for millions of events.
TEST(SoakTest, InvariantsHoldOverLongRandomGames)
{
    for (std::uint64_t seed : {1u, 2u, 3u}) {
        const auto result = chromatta::runSoak(20000, seed);
        EXPECT_EQ(result.failure, "") << "seed " << seed;
        EXPECT_EQ(result.events, 20000u);
        EXPECT_GT(result.clearings, 200u) << "the soak must actually play";
    }
}
