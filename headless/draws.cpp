// Queued draws, then the fallback's.
#include "draws.h"

namespace chromatta {

double QueuedDraws::draw()
{
    if (queue_.empty())
        return fallback_.draw();
    const double u = queue_.front();
    queue_.pop_front();
    return u;
}

} // namespace chromatta
