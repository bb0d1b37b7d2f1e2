// The game window: the window, its controls and the game it owns.
#pragma once

#include "game.h"
#include "game_sounds.h"
#include "labels.h"
#include "picture_store.h"
#include "random.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QLabel;
class QMenuBar;

namespace chromatta::ui {

class BoardSurface;
class RefreshTimer;

// The game window: its labels and pictures, the board surface, its menu, its timer, the box
// pictures, the game's sounds and the game it owns. Create it with new: closing it deletes it, with
// the store and the game, and its timer stops first, so no rule runs once the window is gone.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Builds the window and tells the game it has opened, which deals and draws the first board;
    // the caller then shows it.
    MainWindow();
    ~MainWindow() override;

    // The game, to look at.
    const Game &game() const;
    // Replaces the game by one that starts from this record, for tests and probes that need a
    // board of their own. The timer wakes, so the next tick shows the new record.
    void startFrom(const GameState &state);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildClientArea();
    void showBackground(const QPixmap &picture);
    void buildScoreLabels(QWidget *client);
    void buildColourCounts(QWidget *client);
    void buildStatusStrip(QWidget *client);
    void buildMenus(QMenuBar &bar);
    void placeOnScreen();
    // Runs one handler of the game, performs its outcome (a sound to its end, the refusal until
    // it is closed), then shows the new record, the board only when the handler changed anything
    // (Game::lastHandlerChangedAnything); where the game goes on after the outcome, that is one
    // more handler, shown the same way. The timer wakes before (ticks run while the refusal is
    // shown, each a handler of its own) and after it. The handler is anything that can be called
    // with the game: one of its handlers, or a lambda that passes one its arguments.
    template<typename Handler>
    void handle(Handler handler);
    void perform(Outcome outcome);
    // The labels written from the record, and the board shown when it may have changed.
    void showRecord(bool changed);
    // One tick, shown when it changed anything; the timer rests after a tick that changed nothing.
    void tick();
    void quit();

    PictureStore pictures_;
    QLabel *background_ = nullptr;
    std::array<QLabel *, LabelCount> labels_ {};
    // The count of each colour, in the order of Colours.
    std::array<QLabel *, ColourCount> counts_ {};
    BoardSurface *surface_ = nullptr;
    RefreshTimer *timer_ = nullptr;
    // Plays the sounds, on a worker of its own that goes with the window.
    GameSounds sounds_;
    // The game's chance: seeded from the system, reseeded from the wall clock on every draw.
    Generator draws_;
    WallClock clock_;
    std::unique_ptr<Game> game_;
};

} // namespace chromatta::ui
