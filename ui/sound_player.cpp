#include "sound_player.h"

namespace chromatta::ui {

// Silent until playback through PulseAudio is wired in.
void playWaveToEnd(const std::string &) {}

} // namespace chromatta::ui
