// first-frame: starts a program and reports how long it takes until its window shows a full
// board, by polling the window's pixels from outside (no hooks in the game).
// Usage: first-frame PROGRAM   (needs DISPLAY; prints milliseconds, exit 1 on a 10 s time-out)
//        first-frame --cells   (prints "ROW COLUMN X Y" for every cell: its centre in pixels of
//                               the client area below the menu bar, where tools/measure.sh clicks)
#include "board_geometry.h"
#include "window_layout.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>

extern char **environ;

namespace {

constexpr const char *title = "Chromatta Zududo";
using chromatta::WindowLayout;
constexpr int clientHeight = WindowLayout::ClientHeight; // below the menu bar

// The centre of a cell in pixels of the client area: the board surface's inner area starts past
// its frame; the grid is the one the game draws.
int cellCentreX(int column)
{
    return WindowLayout::SurfaceLeft + WindowLayout::SurfaceFrame +
        chromatta::BoardGrid::centrePixel(0, column).x;
}

int cellCentreY(int row)
{
    return WindowLayout::SurfaceTop + WindowLayout::SurfaceFrame +
        chromatta::BoardGrid::centrePixel(row, 0).y;
}

Window findWindow(Display *display, Window window)
{
    char *name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        const bool match = std::strcmp(name, title) == 0;
        XFree(name);
        XWindowAttributes attributes;
        if (match && XGetWindowAttributes(display, window, &attributes) &&
            attributes.map_state == IsViewable && attributes.height >= clientHeight)
            return window;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i)
            found = findWindow(display, children[i]);
        if (children)
            XFree(children);
    }
    return found;
}

// Counts the cells whose centre shows a box (anything clearly brighter than the black surface).
int boxesShown(Display *display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return 0;
    const int menuBar = attributes.height - clientHeight;
    XImage *image =
        XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image)
        return 0;
    int boxes = 0;
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 13; ++column) {
            const int x = cellCentreX(column);
            const int y = menuBar + cellCentreY(row);
            if (x >= image->width || y >= image->height)
                continue;
            const unsigned long pixel = XGetPixel(image, x, y);
            const int brightness =
                int((pixel >> 16) & 0xff) + int((pixel >> 8) & 0xff) + int(pixel & 0xff);
            boxes += brightness > 90;
        }
    }
    XDestroyImage(image);
    return boxes;
}

int ignoreErrors(Display *, XErrorEvent *)
{
    return 0; // the window may vanish or change between two requests
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: first-frame PROGRAM [ARGS...] | first-frame --cells\n");
        return 2;
    }
    if (std::strcmp(argv[1], "--cells") == 0) {
        for (int row = 0; row < 7; ++row)
            for (int column = 0; column < 13; ++column)
                std::printf("%d %d %d %d\n", row, column, cellCentreX(column), cellCentreY(row));
        return 0;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "first-frame: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::perror("first-frame: spawn");
        return 2;
    }
    int status = 1;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        const Window window = findWindow(display, DefaultRootWindow(display));
        if (window && boxesShown(display, window) == 91) {
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            std::printf("%.1f\n", took.count());
            status = 0;
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return status;
}
