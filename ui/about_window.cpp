#include "about_window.h"

namespace chromatta::ui {

// Opens nothing until the about window is built.
void showAboutWindow() {}

} // namespace chromatta::ui
