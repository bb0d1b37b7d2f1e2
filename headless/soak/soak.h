// The soak of the rules: its result and how to run one.
#pragma once

#include <cstdint>
#include <string>

namespace chromatta {

struct SoakResult
{
    std::uint64_t events = 0; // events played
    std::uint64_t clearings = 0; // presses that cleared a group
    std::uint64_t levelUps = 0; // granted level-ups
    std::string failure; // the first broken invariant, empty when none broke
};

// Plays a long random sequence of presses (on cells, on cell edges, off the board), ticks,
// reshuffles and level-ups through the rules, and checks after every event what must always
// hold. The same seed plays the same game.
SoakResult runSoak(std::uint64_t events, std::uint64_t seed);

} // namespace chromatta
