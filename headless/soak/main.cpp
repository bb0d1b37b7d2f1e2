// chromatta-soak: plays a long random game through the rules and checks what must always hold.
#include "soak.h"

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    std::uint64_t events = 1000000;
    std::uint64_t seed = 1;
    if (argc > 1)
        events = std::strtoull(argv[1], nullptr, 10);
    if (argc > 2)
        seed = std::strtoull(argv[2], nullptr, 10);
    if (argc > 3 || events == 0) {
        std::cerr << "usage: chromatta-soak [EVENTS] [SEED]\n";
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const auto result = chromatta::runSoak(events, seed);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::cout << "events: " << result.events << "\nclearings: " << result.clearings
              << "\nlevel-ups granted: " << result.levelUps << "\nseconds: " << took.count()
              << "\n";
    if (!result.failure.empty()) {
        std::cout << "BROKEN: " << result.failure << "\n";
        return 1;
    }
    std::cout << "invariants held\n";
    return 0;
}
