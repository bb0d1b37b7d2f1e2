// The window at play: start-up, presses on the board as they show on screen, the timer, the
// level-up box and the menu commands.
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

// Two green boxes side by side in the top row, nothing else that pairs up: clearing them moves
// nothing, since nothing lies above them.
const std::vector<std::string> GreenPairOnTop = {
    "ggrybrybrybry", "brybrybrybryb", "rybrybrybrybr", "ybrybrybrybry",
    "brybrybrybryb", "rybrybrybrybr", "ybrybrybrybry",
};

// Counts paint events of one widget.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST(StartUpBeforeTheFirstTick, CaptionsShowTheDealtBoardAndNmmcIsStillEmpty)
{
    QPointer<MainWindow> window = new MainWindow;
    const auto text = [&](const char *name) {
        return window->findChild<QLabel *>(QLatin1String(name))->text();
    };
    EXPECT_EQ(text("Pts"), "0");
    EXPECT_EQ(text("lvl"), "1");
    EXPECT_EQ(text("SelPts"), "");
    EXPECT_EQ(text("Nmmc"), "");
    EXPECT_EQ(text("NEXTLEVEL"), "NEXT LEVEL: 200000");
    int total = 0;
    for (const char *count : {"Label6", "Label8", "Label10", "Label12"})
        total += text(count).toInt();
    EXPECT_EQ(total, 91);
    EXPECT_EQ(text("Label4"), "91");
    delete window.data();
}

TEST_F(StartUp, ShowsNinetyOneBoxesAndTheResetCostAfterTheFirstTick)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return text("Nmmc") == "25000"; }, 2000));
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
    game().state().board = boardOf(GreenPairOnTop);
    waitForTick();
    QTest::qWait(50);
    const QImage before = onScreen();

    QTest::mousePress(dest(), Qt::LeftButton, {}, cellCentre(0, 1));
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
    EXPECT_EQ(cell(lit, 1, 0), cell(before, 1, 0));
    EXPECT_EQ(text("SelPts"), "2000");

    // Any button presses; the release does nothing of its own.
    QTest::mousePress(dest(), Qt::RightButton, {}, cellCentre(0, 0));
    QTest::mouseRelease(dest(), Qt::RightButton, {}, cellCentre(0, 0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return allBlack(cell(onScreen(), 0, 1)); }, 2000))
        << "the cleared group never left the screen";
    const QImage cleared = onScreen();
    EXPECT_TRUE(allBlack(cell(cleared, 0, 0)));
    EXPECT_EQ(cell(cleared, 1, 1), cell(before, 1, 1));
    EXPECT_EQ(text("Pts"), "2000");
    EXPECT_EQ(text("SelPts"), "");
    EXPECT_EQ(text("Label10"), "0");
}

TEST_F(Board, SecondPressOfADoubleClickIsAPress)
{
    game().state().board = boardOf(GreenPairOnTop);
    QTest::mousePress(dest(), Qt::LeftButton, {}, cellCentre(0, 0));
    QTest::mouseRelease(dest(), Qt::LeftButton, {}, cellCentre(0, 0));
    const QPointF at = cellCentre(0, 1);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, dest()->mapToGlobal(at),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(dest(), &doubleClick);
    EXPECT_EQ(game().state().board.at(0, 1), CellCode::X);
    EXPECT_EQ(text("Pts"), "2000");
}

TEST_F(Board, PressesOnTheFrameOrBesideTheGridDoNothing)
{
    game().state().board = boardOf(GreenPairOnTop);
    QTest::mousePress(dest(), Qt::LeftButton, {}, QPoint(0, 20)); // the frame line
    QTest::mousePress(dest(), Qt::LeftButton, {}, dest()->contentsRect().topLeft() + QPoint(1, 20));
    EXPECT_EQ(game().state().board.at(0, 0), CellCode::g);
    EXPECT_EQ(text("SelPts"), "");
}

TEST_F(Board, IdleTicksDoNotRepaintAnUnchangedBoard)
{
    waitForTick();
    QTest::qWait(50);
    PaintCounter counter;
    dest()->installEventFilter(&counter);
    QTest::qWait(550); // five ticks
    EXPECT_EQ(counter.paints, 0);

    // A change still reaches the screen; nothing lies above the emptied cell to fall into it.
    game().state().board.set(0, 3, CellCode::X);
    ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 2000));
    EXPECT_TRUE(allBlack(cell(onScreen(), 0, 3)));
    dest()->removeEventFilter(&counter);
}

TEST_F(Commands, RefusedLevelUpShowsTheBoxWhileTicksGoOnThenStartsOver)
{
    game().state().board = boardOf(GreenPairOnTop);
    game().state().resetCount = 2; // ticks show 65000 from now on
    QTest::mousePress(dest(), Qt::LeftButton, {}, cellCentre(0, 0));

    struct Seen
    {
        bool box = false;
        QString text, title, nmmc;
        QMessageBox::Icon icon = QMessageBox::Information;
        QMessageBox::StandardButtons buttons;
        bool modal = false;
    } seen;
    QTimer::singleShot(0, [&] {
        QMessageBox *box = nullptr;
        const bool shown = QTest::qWaitFor(
            [&] {
                for (QWidget *widget : QApplication::topLevelWidgets())
                    if (auto *found = qobject_cast<QMessageBox *>(widget);
                        found && found->isVisible())
                        box = found;
                return box != nullptr;
            },
            2000);
        if (!shown)
            return;
        seen.box = true;
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.modal = box->isModal();
        (void)QTest::qWaitFor([&] { return text("Nmmc") == "65000"; }, 2000);
        seen.nmmc = text("Nmmc");
        box->button(QMessageBox::Ok)->click();
    });
    auto *levelUp = window->findChild<QLabel *>(QStringLiteral("Label3"));
    QTest::mouseClick(levelUp, Qt::LeftButton, {}, QPoint(10, 10));

    ASSERT_TRUE(seen.box) << "no message box";
    EXPECT_EQ(seen.text, "You need more points!");
    EXPECT_EQ(seen.title, "Nope");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.nmmc, "65000") << "the timer stood still while the box was open";

    // A new game: level 1, no points, a full board, and the old selection value still shown.
    EXPECT_EQ(text("lvl"), "1");
    EXPECT_EQ(text("Pts"), "0");
    EXPECT_EQ(text("SelPts"), "2000");
    EXPECT_EQ(game().state().resetCount, 0);
    EXPECT_EQ(text("Label4"), "91");
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("Nmmc") == "25000"; }, 2000));
}

TEST_F(Commands, ResetChargesAtOnceAndTheNextTickShowsTheNextCost)
{
    waitForTick();
    window->findChild<QAction *>(QStringLiteral("mnuFileNew"))->trigger();
    EXPECT_EQ(text("Pts"), "-25000");
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("Nmmc") == "45000"; }, 2000));
}

TEST_F(Commands, CloseBoxDeletesTheWindowAndItsGame)
{
    window->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, 2000));
}

TEST_F(Commands, QuitClosesTheWindowAndEndsTheProgram)
{
    QTimer::singleShot(0, window->findChild<QAction *>(QStringLiteral("mnuFileQuit")),
                       &QAction::trigger);
    QTimer stuck;
    stuck.setSingleShot(true);
    QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    stuck.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(window.isNull());
}

} // namespace
} // namespace chromatta::ui::test
