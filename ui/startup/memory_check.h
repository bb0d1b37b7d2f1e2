// What the start-up checks say when memory is what is short.
#pragma once

#include <cstddef>
#include <string>

namespace chromatta::ui {

// Whether fewer than `bytes` of address space can still be had (an address-space limit, ulimit
// -v, nearly used up, or no memory at all).
bool addressSpaceShort(std::size_t bytes);

// " (the address-space limit, ulimit -v, is N MiB)" when such a limit is set, else nothing.
std::string addressSpaceLimitWords();

} // namespace chromatta::ui
