#pragma once

#include <optional>
#include <string>

struct xcb_connection_t;

namespace chromatta::ui {

// Qt's X11 platform aborts the program when it cannot reach the display. This looks first, with
// the same platform and display that Qt would use (its -platform and -display arguments, then
// QT_QPA_PLATFORM and DISPLAY), and says what is missing, or that the screen has too few colours
// to draw on; nothing when the program can go on or another platform was chosen.
//
// The check's own connection stays open until Qt has made its own (release()): an X server with
// no other client resets when its last client leaves, and a connection made during the reset
// fails, so closing the check's connection first could make Qt fail where the check succeeded.
class DisplayCheck
{
public:
    DisplayCheck(int argc, char **argv);
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck &) = delete;
    DisplayCheck &operator=(const DisplayCheck &) = delete;

    const std::optional<std::string> &problem() const { return problem_; }
    void release();

private:
    std::optional<std::string> problem_;
    xcb_connection_t *connection_ = nullptr;
};

// While QApplication starts, a platform plugin that cannot start (the display went away after
// the check, a platform name Qt does not know) ends in qFatal, which aborts and dumps core. While
// this guard lives, Qt's messages are held back; a fatal one is replaced by the program's one line
// and exit status 1. finish() hands the held messages on to the usual handler.
class PlatformStartGuard
{
public:
    PlatformStartGuard();
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard &) = delete;
    PlatformStartGuard &operator=(const PlatformStartGuard &) = delete;

    void finish();
};

// The program's one line about a display it cannot use, on the error stream.
void reportDisplayProblem(const std::string &problem);

} // namespace chromatta::ui
