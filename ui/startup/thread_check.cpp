// The start-up check that the program may start as many threads as the toolkit and the sounds
// need.
#include "thread_check.h"

#include "memory_check.h"

#include <pthread.h>
#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

namespace chromatta::ui {

namespace {

// Counted under Xvfb: Qt starts the X connection's reader and the session bus's thread, and
// converts pictures on two pooled threads; the sounds have a worker of their own.
constexpr int NeededThreads = 5;

struct Attempt
{
    int started = 0;
    int failure = 0; // pthread_create's error for the first thread that could not be started
};

// Starts up to NeededThreads threads that all wait at one gate, then opens it and joins them.
// Their stacks are the size Qt's own get (the default), or the smallest there is.
Attempt startThreads(bool smallestStacks)
{
    Attempt attempt;
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0)
        return {NeededThreads, 0}; // nothing to learn here: let the toolkit try
    if (smallestStacks)
        pthread_attr_setstacksize(&attributes, PTHREAD_STACK_MIN);
    std::mutex gate;
    std::vector<pthread_t> threads;
    {
        const std::lock_guard closed(gate);
        while (attempt.started < NeededThreads) {
            pthread_t thread;
            const int failure = pthread_create(
                &thread, &attributes,
                [](void *waitAt) -> void * {
                    const std::lock_guard passed(*static_cast<std::mutex *>(waitAt));
                    return nullptr;
                },
                &gate);
            if (failure != 0) {
                attempt.failure = failure;
                break;
            }
            threads.push_back(thread);
            ++attempt.started;
        }
    }
    for (const pthread_t thread : threads)
        pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    return attempt;
}

} // namespace

bool enoughThreadsToStart()
{
    Attempt attempt = startThreads(false);
    if (attempt.started >= NeededThreads)
        return true;
    // Threads that start with small stacks only: the address space is what is short.
    if (attempt.failure == EAGAIN && startThreads(true).started >= NeededThreads) {
        std::fprintf(stderr, "chromatta-zududo: not enough memory to start its threads%s\n",
                     addressSpaceLimitWords().c_str());
        std::fflush(stderr);
        return false;
    }
    rlimit limit {};
    const bool limited = ::getrlimit(RLIMIT_NPROC, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY;
    // The soft limit is a default the program may raise itself, up to the hard one.
    while (attempt.started < NeededThreads && attempt.failure == EAGAIN && limited &&
           limit.rlim_cur < limit.rlim_max) {
        rlimit raised = limit;
        raised.rlim_cur =
            std::min(limit.rlim_max, limit.rlim_cur + rlim_t(NeededThreads - attempt.started));
        if (::setrlimit(RLIMIT_NPROC, &raised) != 0)
            break;
        limit = raised;
        attempt = startThreads(false);
    }
    if (attempt.started >= NeededThreads)
        return true;
    if (limited)
        std::fprintf(stderr,
                     "chromatta-zududo: too few threads allowed: the limit on a user's processes "
                     "and threads (ulimit -u) is %llu, and only %d more could be started; it "
                     "needs %d to start\n",
                     static_cast<unsigned long long>(limit.rlim_cur), attempt.started,
                     NeededThreads);
    else
        std::fprintf(stderr,
                     "chromatta-zududo: cannot start threads (%s): only %d could be started; it "
                     "needs %d to start\n",
                     std::strerror(attempt.failure), attempt.started, NeededThreads);
    std::fflush(stderr);
    return false;
}

} // namespace chromatta::ui
