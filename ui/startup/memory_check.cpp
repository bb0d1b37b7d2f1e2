// What the start-up checks say when memory is what is short, and the address space they start
// with.
#include "memory_check.h"

#include <malloc.h>
#include <sys/mman.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstdio>

namespace chromatta::ui {

namespace {

// The address space the game takes at its peak, started on an X server and settled, with one
// heap for all threads: 126 MiB (Release build, Debian 12, Qt 6.4), and a margin for a desktop's
// fonts and themes. Sound needs about 70 MiB more, the audio library's pool and the worker; with
// less the game plays silently and says so.
constexpr rlim_t NeededAddressSpace = rlim_t(150) << 20;

bool addressSpaceLimited(rlimit &limit)
{
    return ::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY;
}

} // namespace

bool addressSpaceShort(std::size_t bytes)
{
    // Reserved only, never touched: it counts against the limit and costs nothing else.
    void *reserved =
        ::mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (reserved == MAP_FAILED)
        return errno == ENOMEM;
    ::munmap(reserved, bytes);
    return false;
}

std::string addressSpaceLimitWords()
{
    rlimit limit {};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return {};
    return " (the address-space limit, ulimit -v, is " + std::to_string(limit.rlim_cur >> 20) +
        " MiB)";
}

void shareOneHeapUnderAnAddressSpaceLimit()
{
    rlimit limit {};
    if (addressSpaceLimited(limit))
        ::mallopt(M_ARENA_MAX, 1);
}

bool enoughAddressSpaceToStart()
{
    rlimit limit {};
    if (!addressSpaceLimited(limit) || limit.rlim_cur >= NeededAddressSpace)
        return true;
    std::fprintf(stderr,
                 "chromatta-zududo: not enough memory to start: it needs an address space of "
                 "about %llu MiB%s\n",
                 static_cast<unsigned long long>(NeededAddressSpace >> 20),
                 addressSpaceLimitWords().c_str());
    std::fflush(stderr);
    return false;
}

} // namespace chromatta::ui
