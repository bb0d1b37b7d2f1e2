// The generator of the window's games, the wall clock's reseed number and randomInRange.
#include "random.h"

#include <cmath>
#include <ctime>
#include <random>

namespace chromatta {

namespace {

std::uint64_t splitMix64(std::uint64_t &x)
{
    std::uint64_t z = (x += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::uint64_t rotateLeft(std::uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}

} // namespace

Generator::Generator()
{
    std::random_device device;
    std::uint64_t seed = (std::uint64_t(device()) << 32) ^ device();
    for (auto &word : state_)
        word = splitMix64(seed);
}

Generator::Generator(std::uint64_t seed)
{
    for (auto &word : state_)
        word = splitMix64(seed);
}

std::uint64_t Generator::next()
{
    const std::uint64_t result = rotateLeft(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = rotateLeft(state_[3], 45);
    return result;
}

double Generator::draw()
{
    return double(next() >> 11) * 0x1.0p-53;
}

void Generator::reseed(std::int64_t number)
{
    // The number is hashed into one word of the state and the generator stepped once: the new
    // state depends on the old one, so a seed repeated many times a second keeps the draws moving.
    std::uint64_t mix = std::uint64_t(number);
    state_[0] ^= splitMix64(mix);
    if ((state_[0] | state_[1] | state_[2] | state_[3]) == 0)
        state_[0] = 1;
    next();
}

std::int64_t WallClock::reseedNumber() const
{
    std::tm first {};
    std::tm second {};
    const std::time_t now1 = std::time(nullptr);
    localtime_r(&now1, &first);
    const std::time_t now2 = std::time(nullptr);
    localtime_r(&now2, &second);
    const int seconds = first.tm_sec > 59 ? 59 : first.tm_sec; // a leap second counts as 59
    return seconds + (second.tm_mon + 1);
}

int randomInRange(DrawSource &source, const ReseedClock &clock, int low, int high)
{
    // top is one past the highest wanted value, kept in 64 bits so that high = INT_MAX works.
    std::int64_t top = std::int64_t(high) + 1;
    std::int64_t lowest = low;
    if (top <= 0) {
        lowest = 0;
        top = 10;
    } else if (lowest >= top) {
        lowest = 0;
    }

    source.reseed(clock.reseedNumber());

    std::int64_t r = -1;
    while (r < lowest || r == top) {
        const double u = source.draw();
        if (!(u >= 0.0 && u < 1.0))
            return int(lowest); // a broken source must neither leave the range nor loop
        // nearbyint rounds an exact half to the even neighbour in the default rounding mode.
        r = std::int64_t(std::nearbyint(u * double(top)));
    }
    return int(r);
}

} // namespace chromatta
