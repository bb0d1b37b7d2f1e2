// The start-up check that the threads Qt and the sounds need can be started.
#pragma once

namespace chromatta::ui {

// Qt starts threads of its own while it starts (the X connection's reader, the session bus's),
// and waits for ever for one it could not start; the game's sounds need one more. Looks before
// Qt starts whether as many can be started at once; when the soft limit on a user's processes is
// what stands in the way and the hard limit allows more, the soft limit is raised as far as
// needed. Otherwise says so in one line on the error stream and answers false.
bool enoughThreadsToStart();

} // namespace chromatta::ui
