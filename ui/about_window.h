#pragma once

namespace chromatta::ui {

// The Help command: creates the about window on first use, modeless and without an owner, and
// brings it to the front when it is already open.
void showAboutWindow();

} // namespace chromatta::ui
