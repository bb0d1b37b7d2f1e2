#pragma once

#include <optional>
#include <string>

namespace chromatta::ui {

// Qt's X11 platform aborts the program when it cannot reach the display. This looks first, with
// the same platform and display that Qt would use (its -platform and -display arguments, then
// QT_QPA_PLATFORM and DISPLAY), and says what is missing; nothing when the program can go on or
// another platform was chosen.
std::optional<std::string> displayProblem(int argc, char **argv);

} // namespace chromatta::ui
