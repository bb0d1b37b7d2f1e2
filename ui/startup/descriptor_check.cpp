// The start-up check that the program may open as many files as the toolkit needs.
#include "descriptor_check.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

namespace chromatta::ui {

namespace {

// Tried under Xvfb with `ulimit -n N`: the toolkit starts with 9 descriptors in all and 10 with
// a session bus, of which 3 are the standard streams; below that GLib aborts. A desktop adds
// connections of its own (accessibility, input methods), and the first sound 5 more: 16 in
// all, 13 besides the standard streams, leaves them room.
constexpr int NeededBesidesStreams = 13;

// How many more descriptors can be opened, counted up to NeededBesidesStreams. Anything but
// the limit that stops the count (no /dev/null in a bare container) is not this check's
// business: then the count is taken as enough.
int freeDescriptors()
{
    std::vector<int> opened;
    int failure = 0;
    while (int(opened.size()) < NeededBesidesStreams) {
        const int descriptor = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) {
            failure = errno;
            break;
        }
        opened.push_back(descriptor);
    }
    for (const int descriptor : opened)
        ::close(descriptor);
    return failure == EMFILE ? int(opened.size()) : NeededBesidesStreams;
}

} // namespace

bool enoughDescriptorsToStart()
{
    int free = freeDescriptors();
    if (free >= NeededBesidesStreams)
        return true;
    rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return true; // nothing to name: let the toolkit try
    // The soft limit is a default the program may raise itself, up to the hard one: by the
    // shortfall, and again should descriptors already open lie in the part it added.
    while (free < NeededBesidesStreams && limit.rlim_cur < limit.rlim_max) {
        rlimit raised = limit;
        raised.rlim_cur = std::min(limit.rlim_max, limit.rlim_cur + (NeededBesidesStreams - free));
        if (::setrlimit(RLIMIT_NOFILE, &raised) != 0)
            break;
        limit = raised;
        free = freeDescriptors();
    }
    if (free >= NeededBesidesStreams)
        return true;
    std::fprintf(stderr,
                 "chromatta-zududo: too few open files allowed: the limit (ulimit -n) is %llu, "
                 "%llu are open and %d free; it needs %d free to start\n",
                 static_cast<unsigned long long>(limit.rlim_cur),
                 static_cast<unsigned long long>(limit.rlim_cur - free), free,
                 NeededBesidesStreams);
    std::fflush(stderr);
    return false;
}

} // namespace chromatta::ui
