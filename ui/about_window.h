// The about window: how to play, the version and where to ask, opened from Help.
#pragma once

#include <functional>

class QUrl;

namespace chromatta::ui {

// The Help command: creates the about window on first use, modeless and without an owner, and
// brings it to the front when it is already open. After it was closed, the next call creates it
// anew, centred on the screen again.
void showAboutWindow();

// The how-to-play text exactly as the about window carries it: 22 lines, each ended by "\r\n".
extern const char HowToPlayText[];

// What opens a clicked link; QDesktopServices::openUrl unless replaced. An empty function puts
// the default back. Tests replace it to see the addresses without starting a browser.
using LinkOpener = std::function<void(const QUrl &)>;
void setLinkOpener(LinkOpener opener);

} // namespace chromatta::ui
