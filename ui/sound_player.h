#pragma once

#include <string>

namespace chromatta::ui {

// Plays a wave file and returns when it has been heard. A missing or unreadable file, or no
// audio server, is silent and returns at once.
void playWaveToEnd(const std::string &path);

} // namespace chromatta::ui
