// What the start-up checks say when memory is what is short.
#include "memory_check.h"

#include <sys/mman.h>
#include <sys/resource.h>

#include <cerrno>

namespace chromatta::ui {

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

} // namespace chromatta::ui
