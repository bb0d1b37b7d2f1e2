// randomInRange, the clocks and the generator.
#include "draws.h"
#include "test_support.h"

#include <array>
#include <set>

using namespace chromatta;
using chromatta::test::FixedDraws;

namespace {

const FixedClock fixedClock {37};
const WallClock wallClock;

} // namespace

TEST(RandomInRangeTest, RoundsHalfToEvenAndRedrawsOutsideTheRange)
{
    // top = 41 for (1, 40): 0.5 / 41 x 41 = 0.5 rounds to 0 (even), below low, so it is redrawn;
    // 40.5 rounds to 40 (even); 1.5 rounds to 2; 40.9 rounds to 41 = top and is redrawn.
    FixedDraws draws({0.5 / 41, 40.5 / 41, 1.5 / 41, 40.9 / 41, 2.5 / 41});
    EXPECT_EQ(randomInRange(draws, fixedClock, 1, 40), 40);
    EXPECT_EQ(draws.drawn, 2);
    EXPECT_EQ(randomInRange(draws, fixedClock, 1, 40), 2);
    EXPECT_EQ(randomInRange(draws, fixedClock, 1, 40),
              2); // 41 redrawn, then 2.5 goes to the even 2
    EXPECT_EQ(draws.drawn, 5);
}

TEST(RandomInRangeTest, ZeroIsAllowedWhenLowIsZero)
{
    FixedDraws draws({0.0, 0.49 / 31, 0.51 / 31, 30.5 / 31, 0.999});
    EXPECT_EQ(randomInRange(draws, fixedClock, 0, 30), 0);
    EXPECT_EQ(randomInRange(draws, fixedClock, 0, 30), 0);
    EXPECT_EQ(randomInRange(draws, fixedClock, 0, 30), 1);
    EXPECT_EQ(randomInRange(draws, fixedClock, 0, 30),
              30); // 30.5 goes to the even 30; 0.999 x 31 is never kept
}

TEST(RandomInRangeTest, GuardsFixBoundsThatMakeNoRange)
{
    // A negative high gives 0..9.
    FixedDraws draws({0.95, 0.93, 0.5 / 4, 0.9, 0.7});
    EXPECT_EQ(randomInRange(draws, fixedClock, 0, -4), 9); // 9.5 -> 10 = top, redrawn; 9.3 -> 9
    EXPECT_EQ(randomInRange(draws, fixedClock, 5, 3), 0); // low above high: 0..3; 0.5 -> 0
    EXPECT_EQ(randomInRange(draws, fixedClock, 5, 3), 3); // 3.6 -> 4 = top, redrawn; 2.8 -> 3
}

TEST(RandomInRangeTest, ReseedsFromTheClockBeforeEveryCall)
{
    FixedDraws draws({0.5, 0.5, 0.5});
    randomInRange(draws, fixedClock, 1, 40);
    randomInRange(draws, fixedClock, 1, 40);
    randomInRange(draws, fixedClock, 0, 30);
    EXPECT_EQ(draws.reseeds, std::vector<std::int64_t>(3, 37));
    const std::int64_t wall = wallClock.reseedNumber();
    EXPECT_GE(wall, 1);
    EXPECT_LE(wall, 71);
}

TEST(RandomInRangeTest, ABrokenSourceGivesTheLowestValueInsteadOfLooping)
{
    struct Broken : DrawSource
    {
        double draw() override { return 1.0; }
        void reseed(std::int64_t) override { }
    } broken;
    EXPECT_EQ(randomInRange(broken, fixedClock, 1, 40), 1);
    EXPECT_EQ(randomInRange(broken, fixedClock, 5, 3), 0); // low above high: 0..3
}

TEST(RandomInRangeTest, TheWidestRangeDoesNotOverflow)
{
    FixedDraws draws({0.75});
    EXPECT_EQ(randomInRange(draws, fixedClock, 0, 2147483647), 1610612736);
}

TEST(GeneratorTest, ASeedGivesTheSameDrawsOnEveryRunAndMachine)
{
    // Pinned: a seed given to chromatta-script --seed, the soak or the fuzzer replays one game
    // only while these stay what they are. The numbers are those of xoshiro256** with its state
    // filled by splitmix64 from the seed, as both are published, worked out apart from this
    // code; the seeded draws ignore the clock's reseeds.
    SeededDraws seeded(7);
    const double first[] = {0x1.66b1f5ee9df2ep-1, 0x1.1d70f6593d20ap-2, 0x1.ade3a6932a58fp-1,
                            0x1.f65270e63d00ep-1};
    for (const double expected : first) {
        seeded.reseed(wallClock.reseedNumber());
        EXPECT_EQ(seeded.draw(), expected);
    }
}

TEST(GeneratorTest, RepeatedReseedsWithOneNumberKeepTheSequenceMoving)
{
    Generator generator(42);
    std::set<double> seen;
    for (int i = 0; i < 1000; ++i) {
        generator.reseed(37);
        const double u = generator.draw();
        EXPECT_GE(u, 0.0);
        EXPECT_LT(u, 1.0);
        seen.insert(u);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(GeneratorTest, RealDrawsAreFlatOverOneToFortyAndZeroIsHalfAsLikely)
{
    // A generator with real clock reseeds, as the window's. The tolerances are many standard
    // deviations wide, so the test does not flake.
    Generator generator;
    constexpr int calls = 400000;
    std::array<int, 41> counts {};
    for (int i = 0; i < calls; ++i) {
        const int v = randomInRange(generator, wallClock, 1, 40);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 40);
        ++counts[v];
    }
    for (int v = 1; v <= 40; ++v)
        EXPECT_NEAR(counts[v], calls / 40, calls / 40 * 0.06) << v;

    std::array<int, 32> small {};
    constexpr int smallCalls = 310000;
    for (int i = 0; i < smallCalls; ++i) {
        const int v = randomInRange(generator, wallClock, 0, 30);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 30);
        ++small[v];
    }
    const double unit = smallCalls / 30.5;
    EXPECT_NEAR(small[0], unit / 2, unit * 0.06);
    for (int v = 1; v <= 30; ++v)
        EXPECT_NEAR(small[v], unit, unit * 0.06) << v;
}
