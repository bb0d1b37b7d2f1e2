// The start-up check that enough file descriptors can be opened before Qt starts.
#pragma once

namespace chromatta::ui {

// Qt's event loop stands on GLib, which aborts the program when it cannot open the descriptors
// it needs. Looks before Qt starts whether enough can be opened; when the soft limit on open
// files is what stands in the way and the hard limit allows more, the soft limit is raised by
// just the shortfall. Otherwise says so in one line on the error stream and answers false.
bool enoughDescriptorsToStart();

} // namespace chromatta::ui
