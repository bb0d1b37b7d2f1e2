// The window at play: start-up, presses as they show on screen, the timer, the level-up box and
// the menu commands.
#include "refresh_timer.h"
#include "window_test_support.h"

#include <QAction>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace chromatta::ui::test {
namespace {

using StartUp = WindowTest;
using Board = WindowTest;
using Commands = WindowTest;

// Two green boxes side by side in the top row and no other pair: clearing them moves nothing.
const std::vector<std::string> GreenPairOnTop = {
    "ggrybrybrybry", "brybrybrybryb", "rybrybrybrybr", "ybrybrybrybry",
    "brybrybrybryb", "rybrybrybrybr", "ybrybrybrybry",
};

TEST_F(StartUp, CountsOfTheDealtBoardThenNinetyOneBoxesAndTheCostAtTheFirstTick)
{
    EXPECT_EQ(text("reshuffleCost"), "") << "empty until the first tick";
    EXPECT_EQ(text("nextLevelThreshold"), "NEXT LEVEL: 200000");
    EXPECT_EQ(text("redCount").toInt() + text("violetCount").toInt() + text("greenCount").toInt() +
                  text("yellowCount").toInt(),
              91);

    show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return text("reshuffleCost") == "25000"; }, 2000));
    const QImage screen = onScreen();
    int boxes = 0;
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 13; ++column) {
            const QImage box = cell(screen, row, column);
            boxes += box.pixelColor(box.rect().center()) != Qt::black;
        }
    EXPECT_EQ(boxes, 91);
}

TEST_F(Board, PressHighlightsTheGroupOnScreenAndASecondPressClearsIt)
{
    show();
    goOnWithBoard(GreenPairOnTop);
    waitForTick();
    QTest::qWait(50);
    const QImage before = onScreen();

    QTest::mousePress(board(), Qt::LeftButton, {}, cellCentre(0, 1));
    QImage lit;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            lit = onScreen();
            return cell(lit, 0, 0) != cell(before, 0, 0);
        },
        2000))
        << "the highlight never reached the screen";
    EXPECT_NE(cell(lit, 0, 1), cell(before, 0, 1));
    EXPECT_EQ(cell(lit, 0, 2), cell(before, 0, 2));
    EXPECT_EQ(text("selectionValue"), "2000");

    // Any button presses.
    QTest::mousePress(board(), Qt::RightButton, {}, cellCentre(0, 0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return allBlack(cell(onScreen(), 0, 1)); }, 2000))
        << "the cleared group never left the screen";
    EXPECT_TRUE(allBlack(cell(onScreen(), 0, 0)));
    EXPECT_EQ(text("points"), "2000");
    EXPECT_EQ(text("selectionValue"), "");
    EXPECT_EQ(text("greenCount"), "0");
}

TEST_F(Board, SecondPressOfADoubleClickIsAPress)
{
    goOnWithBoard(GreenPairOnTop);
    QTest::mouseClick(board(), Qt::LeftButton, {}, cellCentre(0, 0));
    const QPointF at = cellCentre(0, 1);
    QMouseEvent second(QEvent::MouseButtonDblClick, at, board()->mapToGlobal(at), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(board(), &second);
    EXPECT_EQ(text("points"), "2000");
}

// Counts the paint events of the widget it watches.
struct PaintCounter : QObject
{
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST_F(Board, IdleTicksDoNotRepaintAnUnchangedBoard)
{
    show();
    waitForTick();
    QTest::qWait(50);
    PaintCounter counter;
    board()->installEventFilter(&counter);
    QTest::qWait(550);
    EXPECT_EQ(counter.paints, 0) << "five ticks";
    // Nothing moves: the timer rests. A press wakes it for the next tick of its own grid.
    const auto *refreshTimer = window->findChild<RefreshTimer *>();
    ASSERT_NE(refreshTimer, nullptr);
    EXPECT_TRUE(refreshTimer->resting());
    const auto pressed = RefreshTimer::Clock::now();
    QTest::mouseClick(board(), Qt::RightButton, {}, cellCentre(6, 12));
    EXPECT_FALSE(refreshTimer->resting());
    EXPECT_EQ((refreshTimer->due() - refreshTimer->origin()) % RefreshTimer::Period,
              RefreshTimer::Clock::duration::zero());
    EXPECT_GT(refreshTimer->due(), pressed);
    EXPECT_LE(refreshTimer->due() - RefreshTimer::Clock::now(), RefreshTimer::Period);
    QTest::qWait(550);
    counter.paints = 0;

    // A change still reaches the screen; nothing lies above the emptied cell to fall into it.
    goOnWith([](GameState &state) { state.board.set(0, 3, CellCode::Empty); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 2000));
    EXPECT_TRUE(allBlack(cell(onScreen(), 0, 3)));
    board()->removeEventFilter(&counter);
}

TEST_F(Commands, RefusedLevelUpShowsTheBoxWhileTicksGoOnThenStartsOver)
{
    show();
    goOnWith([](GameState &state) { state.reshuffleCount = 2; }); // ticks write 65000 from now on
    const chromatta::Board before = game().state().board;
    QMessageBox *box = nullptr;
    QString nmmcWhileOpen;
    chromatta::Board boardWhileOpen;
    QTimer::singleShot(0, [&] {
        if (!QTest::qWaitFor(
                [&] {
                    for (QWidget *widget : QApplication::topLevelWidgets())
                        if (widget->isVisible() && qobject_cast<QMessageBox *>(widget))
                            box = static_cast<QMessageBox *>(widget);
                    return box != nullptr;
                },
                2000))
            return;
        EXPECT_EQ(box->text(), "You need more points!");
        EXPECT_EQ(box->windowTitle(), "Nope");
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        EXPECT_TRUE(box->isModal());
        (void)QTest::qWaitFor([&] { return text("reshuffleCost") == "65000"; }, 2000);
        nmmcWhileOpen = text("reshuffleCost");
        boardWhileOpen = game().state().board;
        box->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(window->findChild<QLabel *>(QStringLiteral("levelUp")), Qt::LeftButton, {},
                      QPoint(10, 10));

    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(nmmcWhileOpen, "65000") << "the timer stood still while the box was open";
    EXPECT_EQ(boardWhileOpen, before) << "a new board was dealt under the box";
    EXPECT_FALSE(game().state().board == before) << "no new board once the box was closed";
    EXPECT_EQ(text("level"), "1");
    EXPECT_EQ(text("points"), "0");
    EXPECT_EQ(game().state().reshuffleCount, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("reshuffleCost") == "25000"; }, 2000));
}

TEST_F(Commands, ResetChargesAtOnceAndTheNextTickShowsTheNextCost)
{
    window->findChild<QAction *>(QStringLiteral("reshuffleAction"))->trigger();
    EXPECT_EQ(text("points"), "-25000");
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("reshuffleCost") == "45000"; }, 2000));
}

TEST_F(Commands, CloseBoxDeletesTheWindowAndItsGame)
{
    show();
    window->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 2000));
}

TEST_F(Commands, QuitClosesTheWindowAndEndsTheProgram)
{
    show();
    QTimer::singleShot(0, window->findChild<QAction *>(QStringLiteral("quitAction")),
                       &QAction::trigger);
    QTimer stuck;
    QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    stuck.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(window.isNull());
}

} // namespace
} // namespace chromatta::ui::test
