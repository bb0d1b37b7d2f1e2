// chromatta-script: drives the game rules headless from a script and prints what a player sees.
#include "script_engine.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iostream>

namespace {

constexpr const char *Usage = "usage: chromatta-script [--seed N] [FILE]\n";

int usage()
{
    std::cerr << Usage;
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << Usage;
        return 0;
    }
    chromatta::ScriptOptions options;
    int next = 1;
    if (next < argc && std::strcmp(argv[next], "--seed") == 0) {
        if (next + 1 >= argc)
            return usage();
        const std::string_view word = argv[next + 1];
        std::uint64_t seed = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), seed);
        if (error != std::errc() || end != word.data() + word.size())
            return usage();
        options.seed = seed;
        next += 2;
    }
    if (argc - next > 1)
        return usage();
    if (next < argc) {
        std::ifstream file(argv[next]);
        if (!file) {
            std::cerr << "chromatta-script: cannot open " << argv[next] << ": "
                      << std::strerror(errno) << "\n";
            return 2;
        }
        // A folder opens as a file does; reading it is what fails, and is said so.
        options.scriptName = argv[next];
        return chromatta::runScript(file, std::cout, std::cerr, options);
    }
    return chromatta::runScript(std::cin, std::cout, std::cerr, options);
}
