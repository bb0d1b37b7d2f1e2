// The start-up step that keeps a file-size limit from ending the game by a signal.
#include "file_size_limit.h"

#include <csignal>

namespace chromatta::ui {

void keepFileSizeLimitFromEndingTheGame()
{
    struct sigaction current
    {
    };
    if (::sigaction(SIGXFSZ, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
        return;
    struct sigaction nothing
    {
    };
    nothing.sa_handler = [](int) {
    };
    sigemptyset(&nothing.sa_mask);
    nothing.sa_flags = SA_RESTART;
    ::sigaction(SIGXFSZ, &nothing, nullptr);
}

} // namespace chromatta::ui
