// Feeds arbitrary bytes to the script engine, as a player's script or a broken file would.
#include "script_engine.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char *>(data), size));
    std::ostringstream out, err;
    chromatta::ScriptOptions options;
    options.seed = 1; // the same input plays the same game, so a saved input replays its crash
    chromatta::runScript(in, out, err, options);
    return 0;
}
