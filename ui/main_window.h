#pragma once

#include "picture_store.h"
#include "random.h"
#include "window_toolkit.h"

#include <QMainWindow>

#include <memory>

class QMenuBar;

namespace chromatta {
class Game;
}

namespace chromatta::ui {

class BoardSurface;
class RefreshTimer;

// The game window main: its controls, its menu, its timer, the hidden picture store and the
// game it owns. Create it with new: closing it deletes it, with the store and the game, and its
// timer stops first, so no rule runs once the window is gone.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Builds the window and runs Form_Load, which deals and draws the first board; the caller
    // then shows it.
    MainWindow();
    ~MainWindow() override;

    // The game, for whoever reaches it from outside the window's own handlers: such a caller
    // may change it, so the timer wakes to show the change.
    Game &game();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildClientArea();
    void buildScoreLabels(QWidget *client);
    void buildColourCounts(QWidget *client);
    void buildStatusStrip(QWidget *client);
    void buildMenus(QMenuBar &bar);
    void placeOnScreen();
    // Runs one handler of the game, then shows the frame it drew, complete, when the handler
    // changed anything (Game::lastHandlerChangedAnything). The timer wakes
    // before (a handler that waits in a message box lets ticks through) and after it.
    // The handler is anything that can be called with the game: one of its handlers, or a
    // lambda that passes one its arguments.
    template<typename Handler>
    void handle(Handler handler);
    // One tick, shown when it changed anything; the timer rests after a tick that changed nothing.
    void tick();
    void quit();

    PictureStore pic_;
    WindowToolkit::LabelWidgets labels_ {};
    BoardSurface *dest_ = nullptr;
    RefreshTimer *timer1_ = nullptr;
    std::unique_ptr<WindowToolkit> toolkit_;
    // The game's chance: seeded from the system, reseeded from the clock on every draw.
    Generator draws_;
    std::unique_ptr<Game> game_;
};

} // namespace chromatta::ui
