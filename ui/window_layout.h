// The window's layout numbers that more than one place needs, in pixels; no Qt, so that the
// measuring tools can use them too.
#pragma once

namespace chromatta {

// The client area below the menu bar, and where the board surface lies in it. The surface's
// frame is one pixel wide, inside its geometry; the grid (BoardGrid) starts at its inner corner.
struct WindowLayout
{
    static constexpr int ClientWidth = 633;
    static constexpr int ClientHeight = 486;
    static constexpr int SurfaceLeft = 8;
    static constexpr int SurfaceTop = 112;
    static constexpr int SurfaceWidth = 617;
    static constexpr int SurfaceHeight = 350;
    static constexpr int SurfaceFrame = 1;
};

} // namespace chromatta
