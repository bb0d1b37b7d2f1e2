// Start-up on a display the game can use: Qt's platform failures, and screens too shallow to
// draw on, each told in one line with exit status 1.
#pragma once

#include <optional>
#include <string>

namespace chromatta::ui {

// Qt chooses the platform and the display. While QApplication starts, a platform plugin that
// cannot start (no display, a compositor or X server that cannot be reached, a platform name Qt
// does not know) ends in qFatal, which aborts and dumps core. While this guard lives, Qt's
// messages are held back; a fatal one is replaced by the program's one line, with Qt's own
// reason, and exit status 1. finish() hands the held messages on to the usual handler.
class PlatformStartGuard
{
public:
    PlatformStartGuard();
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard &) = delete;
    PlatformStartGuard &operator=(const PlatformStartGuard &) = delete;

    void finish();
};

// Why the started platform's screen cannot show the game, or nothing. Qt draws in true colour:
// on a screen of fewer bits (an 8-bit colour-map screen) every paint fails and the window stays
// black.
std::optional<std::string> screenProblem();

// The program's one line about a display it cannot use, on the error stream.
void reportDisplayProblem(const std::string &problem);

} // namespace chromatta::ui
