// One whole session as a player has it, from start to "Quit", in a program laid out like the
// game (its two sounds beside it) and ended the way the game ends: the start-up window, presses
// that select and clear, a reshuffle, a level-up that is granted and one that is refused, the
// about window opened and closed, and "Quit". ctest runs it under the sanitizers, where a leak
// fails it at exit; tools/memcheck.sh runs it under valgrind. It fails when a step did not take
// effect, so that a session cut short is not taken for a clean one.
#include "board_geometry.h"
#include "board_surface.h"
#include "board_text.h"
#include "game.h"
#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using chromatta::Board;
using chromatta::GameState;
using chromatta::ui::BoardSurface;
using chromatta::ui::MainWindow;

// Under valgrind everything runs tens of times slower; each wait ends as soon as what it waits
// for has happened, so only a session that is stuck meets this.
constexpr int Patience = 120'000;

int failures = 0;

void check(bool passed, const char *step)
{
    if (!passed) {
        ++failures;
        std::fprintf(stderr, "session: %s did not take effect\n", step);
    }
}

// Two green boxes side by side in the top row and no other pair.
Board greenPairOnTop()
{
    return chromatta::boardOf({
        "ggrybrybrybry",
        "brybrybrybryb",
        "rybrybrybrybr",
        "ybrybrybrybry",
        "brybrybrybryb",
        "rybrybrybrybr",
        "ybrybrybrybry",
    });
}

class Session
{
public:
    explicit Session(MainWindow &window)
        : window_(window)
    { }

    void play()
    {
        goOnWith([](GameState &state) { state.board = greenPairOnTop(); });
        press(0, 1);
        check(text("selectionValue") == "2000", "selecting the pair");
        press(0, 0);
        check(text("points") == "2000", "clearing the pair");
    }

    void reshuffle()
    {
        action("reshuffleAction")->trigger();
        check(text("points") == "-23000", "the reshuffle");
        check(QTest::qWaitFor([&] { return text("reshuffleCost") == "45000"; }, Patience),
              "the tick after the reshuffle");
    }

    void levelUpGranted()
    {
        goOnWith([](GameState &state) { state.points = 200000; });
        clickLevelUp();
        check(text("level") == "2", "the granted level-up");
    }

    void levelUpRefused()
    {
        // Level 2 asks for 450000: refused, and the box is closed from a timer while its own
        // event loop runs, as a player's click on OK would.
        bool boxSeen = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(widget);
                if (box != nullptr && box->isVisible()) {
                    boxSeen = true;
                    box->button(QMessageBox::Ok)->click();
                }
            }
        });
        closer.start(50);
        clickLevelUp();
        closer.stop();
        check(boxSeen, "the refusal's message box");
        check(text("level") == "1" && text("points") == "0", "the new game after the refusal");
    }

    void aboutWindow()
    {
        action("aboutAction")->trigger();
        QPointer<QWidget> about;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String("aboutWindow") && widget->isVisible())
                about = widget;
        check(about != nullptr && QTest::qWaitForWindowExposed(about, Patience),
              "opening the about window");
        if (about == nullptr)
            return;
        about->findChild<QPushButton *>(QStringLiteral("okButton"))->click();
        check(QTest::qWaitFor([&] { return about.isNull(); }, Patience),
              "closing the about window");
    }

    // From the event loop, as the menu would: the program's exec() is what returns.
    void quitLater() { QTimer::singleShot(0, action("quitAction"), &QAction::trigger); }

private:
    template<typename Change>
    void goOnWith(Change change)
    {
        GameState state = window_.game().state();
        change(state);
        window_.startFrom(state);
    }
    QString text(const char *label)
    {
        return window_.findChild<QLabel *>(QLatin1String(label))->text();
    }
    QAction *action(const char *name) { return window_.findChild<QAction *>(QLatin1String(name)); }

    // A left click at the centre of a cell of the drawn grid.
    void press(int row, int column)
    {
        auto *board = window_.findChild<BoardSurface *>(QStringLiteral("board"));
        const chromatta::BoardGrid::Pixel centre = chromatta::BoardGrid::centrePixel(row, column);
        QTest::mouseClick(board, Qt::LeftButton, {},
                          board->contentsRect().topLeft() + QPoint(centre.x, centre.y));
    }

    void clickLevelUp()
    {
        QTest::mouseClick(window_.findChild<QLabel *>(QStringLiteral("levelUp")), Qt::LeftButton,
                          {}, QPoint(10, 10));
    }

    MainWindow &window_;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The sounds are found and decoded, then meet no audio server, the same on every machine
    // (and no server is started on the player's behalf). Set PULSE_SERVER to hear them.
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        qputenv("PULSE_SERVER", "unix:/nonexistent/chromatta-session");

    // As the game's own main() does it.
    QApplication app(argc, argv);
    QPointer<MainWindow> window = new MainWindow;
    window->show();
    QTimer::singleShot(0, [&] {
        if (!QTest::qWaitForWindowExposed(window, Patience))
            check(false, "showing the window");
        Session session(*window);
        session.play();
        session.reshuffle();
        session.levelUpGranted();
        session.levelUpRefused();
        session.aboutWindow();
        session.quitLater();
    });
    const int status = QApplication::exec();
    check(status == 0, "quitting");
    check(window.isNull() || !window->isVisible(), "closing the window on quitting");
    delete window.data();

    if (failures == 0)
        std::puts("session: start, play, reshuffle, level up and down, about window, quit: done");
    return failures == 0 ? 0 : 1;
}
