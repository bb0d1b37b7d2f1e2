// The script engine of chromatta-script, also run by the fuzzer and the benchmarks.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>

namespace chromatta {

struct ScriptOptions
{
    // Where draws come from once the queue of a `draws` command is used up: a generator seeded
    // from the system and reseeded from the clock, as the window's, by default; or the draws of
    // this seed, which ignore the clock, so that every run plays the same game.
    std::optional<std::uint64_t> seed;
};

// Runs a chromatta-script program: commands from `in`, what a player would see on `out`, a
// message naming the line on `err` for a malformed line. Returns the exit status: 0, or 2 for
// a malformed script (what was printed before the bad line stays printed).
int runScript(std::istream &in, std::ostream &out, std::ostream &err,
              const ScriptOptions &options = {});

} // namespace chromatta
