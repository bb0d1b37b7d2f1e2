// The start-up step that keeps a file-size limit (ulimit -f) from ending the game by a signal.
#pragma once

namespace chromatta::ui {

// A write past the file-size limit sends SIGXFSZ, whose default ends the program without a word.
// The game writes no file of its own; the libraries under it grow files they can do without:
// the audio library its shared memory, which it then takes from the process's own memory
// instead. With the signal caught and doing nothing, such a write fails with EFBIG, which they
// handle. Caught rather than ignored, so that a program the game starts (a browser for a link)
// has the usual signal back. A disposition the game was started with is left alone.
void keepFileSizeLimitFromEndingTheGame();

} // namespace chromatta::ui
