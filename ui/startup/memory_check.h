// What the start-up checks say when memory is what is short, and the address space they start
// with.
#pragma once

#include <cstddef>
#include <string>

namespace chromatta::ui {

// Whether fewer than `bytes` of address space can still be had (an address-space limit, ulimit
// -v, nearly used up, or no memory at all).
bool addressSpaceShort(std::size_t bytes);

// " (the address-space limit, ulimit -v, is N MiB)" when such a limit is set, else nothing.
std::string addressSpaceLimitWords();

// Under an address-space limit (ulimit -v), glibc's malloc gives each thread that allocates an
// arena of its own and reserves 64 MiB of address space for each: the game's threads reserved
// 440 MiB that way where 130 MiB were used, and the audio library's 64 MiB pool of sound memory
// no longer fitted under a limit of 600 MiB. Under such a limit every thread allocates from the
// one heap. Called first thing, before any thread starts.
void shareOneHeapUnderAnAddressSpaceLimit();

// Under an address-space limit too low for the game to start and play, the libraries under Qt
// fail where they cannot allocate (Qt's session bus thread throws std::bad_alloc and aborts the
// program, fontconfig crashes). Says so in one line on the error stream and answers false.
bool enoughAddressSpaceToStart();

} // namespace chromatta::ui
