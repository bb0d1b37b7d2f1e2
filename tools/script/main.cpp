// chromatta-script: drives the game rules headless from a script and prints what a player sees.
#include "script_engine.h"

#include <fstream>
#include <iostream>

int main(int argc, char **argv)
{
    if (argc > 2) {
        std::cerr << "usage: chromatta-script [FILE]\n";
        return 2;
    }
    if (argc == 2) {
        std::ifstream file(argv[1]);
        if (!file) {
            std::cerr << "chromatta-script: cannot open " << argv[1] << "\n";
            return 2;
        }
        return chromatta::runScript(file, std::cout, std::cerr);
    }
    return chromatta::runScript(std::cin, std::cout, std::cerr);
}
