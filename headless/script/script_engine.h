// The script engine of chromatta-script, also run by the fuzzer and the benchmarks.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

namespace chromatta {

struct ScriptOptions
{
    // Where draws come from once the queue of a `draws` command is used up: a generator seeded
    // from the system and reseeded from the clock, as the window's, by default; or the draws of
    // this seed, which ignore the clock, so that every run plays the same game.
    std::optional<std::uint64_t> seed;
    // What the script is called in a message about reading it.
    std::string scriptName = "standard input";
};

// Runs a chromatta-script program: commands from `in`, what a player would see on `out`, a
// message naming the line on `err` for a malformed line or one longer than any script needs, or
// naming the script when it cannot be read (a folder, a read error). Returns the exit status: 0,
// or 2 for such a script (what was printed before the bad line stays printed).
int runScript(std::istream &in, std::ostream &out, std::ostream &err,
              const ScriptOptions &options = {});

} // namespace chromatta
