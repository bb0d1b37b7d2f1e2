#pragma once

#include "picture_store.h"
#include "window_toolkit.h"

#include <QMainWindow>

#include <memory>

class QTimer;

namespace chromatta {
class Game;
}

namespace chromatta::ui {

class BoardSurface;

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

    Game &game() { return *game_; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildClientArea();
    void buildStatusStrip(QWidget *client);
    void buildMenus();
    void placeOnScreen();
    // Runs one handler of the game, then shows the frame it drew, complete.
    void handle(void (Game::*handler)());
    void quit();

    PictureStore pic_;
    WindowToolkit::LabelWidgets labels_ {};
    BoardSurface *dest_ = nullptr;
    QTimer *timer1_ = nullptr;
    std::unique_ptr<WindowToolkit> toolkit_;
    std::unique_ptr<Game> game_;
};

} // namespace chromatta::ui
