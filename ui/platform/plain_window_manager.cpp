// The window manager where no windowing system is built in: nothing is known before mapping.
#include "window_manager.h"

namespace chromatta::ui {

std::optional<QMargins> frameExtentsBeforeMapping(QWidget &)
{
    return std::nullopt;
}

void keepOffTheTaskbar(QWidget &) { }

void offerCloseOnly(QWidget &) { }

} // namespace chromatta::ui
