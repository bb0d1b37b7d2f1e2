// Faults a player can meet, met by the whole window: sound files that cannot be played where the
// game looks for them, an audio server that has hung while input keeps arriving, "Quit" while
// the level-up box waits, and a program folder whose name is not plain ASCII.
//
// The program has a folder of its own in the build (the game looks for its sounds beside the
// program file), which these tests fill and empty; so they run one after another, in one process.
// The audio server they play to is a socket of theirs that takes connections and answers
// nothing: a connection shows that the game found and read a sound, and holding it makes the
// sound last as long as a hung server makes it.
#include "support.h"
#include "window_test_support.h"

#include <QAction>
#include <QFile>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string_view>
#include <thread>
#include <utility>

#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace chromatta::ui::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Started with this argument, the program is the game of ProgramFolder below: it clears one
// group and exits with 0 when the clearing went through.
constexpr std::string_view ClearOnceArgument = "--clear-once";

// Two green boxes side by side in the top row, three green boxes at the right of the bottom row,
// and no other group.
const std::vector<std::string> TwoGreenGroups = {
    "ggrybrybrybry", "brybrybrybryb", "rybrybrybrybr", "ybrybrybrybry",
    "brybrybrybryb", "rybrybrybrybr", "ybrybrybryggg",
};

fs::path programFolder()
{
    return fs::path(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
}

// The game's two sounds in the program's folder, as the install puts them; the tests then spoil
// them as they need.
class Faults : public WindowTest
{
protected:
    void SetUp() override
    {
        removeSounds();
        for (const char *name : {"clearbox.wav", "win.wav"})
            fs::copy_file(fs::path(CHROMATTA_ASSETS_DIR) / name, programFolder() / name);
        WindowTest::SetUp();
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        removeSounds();
    }
    static void removeSounds()
    {
        for (const char *name : {"clearbox.wav", "win.wav"})
            fs::remove_all(programFolder() / name);
    }

    QAction *action(const char *name) { return window->findChild<QAction *>(QLatin1String(name)); }
    QLabel *levelUp() { return window->findChild<QLabel *>(QStringLiteral("levelUp")); }

    // Counts the ticks of the window's timer, each with the moment it ran.
    std::vector<Clock::time_point> ticks;
    void countTicks()
    {
        QObject::connect(window->findChild<QTimer *>(QStringLiteral("refreshTimer")),
                         &QTimer::timeout, window, [this] { ticks.push_back(Clock::now()); });
    }

    // A player's input made now; what is returned posts it: two presses on the board's bottom
    // row, a click on "LEVEL UP" and the menu's Reset.
    std::function<void()> pressesLevelUpAndReset()
    {
        const auto pressAt = [&](QWidget *widget, QEvent::Type type, QPoint at) {
            return new QMouseEvent(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                                   type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                   Qt::NoModifier);
        };
        auto input = std::make_shared<std::vector<std::pair<QObject *, std::unique_ptr<QEvent>>>>();
        input->emplace_back(board(), pressAt(board(), QEvent::MouseButtonPress, cellCentre(6, 10)));
        input->emplace_back(board(), pressAt(board(), QEvent::MouseButtonPress, cellCentre(6, 12)));
        input->emplace_back(levelUp(),
                            pressAt(levelUp(), QEvent::MouseButtonPress, QPoint(10, 10)));
        input->emplace_back(levelUp(),
                            pressAt(levelUp(), QEvent::MouseButtonRelease, QPoint(10, 10)));
        return [input, reset = action("reshuffleAction")] {
            for (auto &[receiver, event] : *input)
                QCoreApplication::postEvent(receiver, event.release());
            QMetaObject::invokeMethod(reset, &QAction::trigger, Qt::QueuedConnection);
        };
    }

    // The window shown and its ticks counted; the two greens at the top left on the board, with
    // these points, and selected.
    void selectThePairWith(std::int64_t points)
    {
        show();
        countTicks();
        goOnWith([points](GameState &state) {
            state.board = boardOf(TwoGreenGroups);
            state.points = points;
        });
        QTest::mouseClick(board(), Qt::LeftButton, {}, cellCentre(0, 0));
    }

    // The two greens at the top left selected and cleared.
    void clearThePair()
    {
        goOnWithBoard(TwoGreenGroups);
        QTest::mouseClick(board(), Qt::LeftButton, {}, cellCentre(0, 0));
        QTest::mouseClick(board(), Qt::LeftButton, {}, cellCentre(0, 1));
    }

    // Waits until the condition holds, closing any refusal shown meanwhile; returns whether one
    // was shown.
    template<typename Condition>
    bool waitClosingRefusals(Condition condition)
    {
        bool refused = false;
        QTimer boxCloser;
        QObject::connect(&boxCloser, &QTimer::timeout, [&] {
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible()) {
                    refused = true;
                    box->button(QMessageBox::Ok)->click();
                }
        });
        boxCloser.start(50);
        EXPECT_TRUE(QTest::qWaitFor(condition, 10000));
        QTest::qWait(300); // a few more ticks, for the count that follows
        return refused;
    }
};

using SoundFiles = Faults;
using HungAudioServer = Faults;
using QuitDuringLevelUpBox = Faults;

TEST_F(SoundFiles, ClearingGoesOnAndRedrawsWhateverLiesWhereClearboxWavShouldBe)
{
    show();
    SilentAudioServer server(false);
    ASSERT_TRUE(server.listening());
    const fs::path sound = programFolder() / "clearbox.wav";
    std::vector<char> wave(fs::file_size(sound));
    std::ifstream(sound, std::ios::binary).read(wave.data(), std::ssize(wave));

    std::int64_t points = 0;
    for (const std::string_view spoilt : {"missing", "a directory", "garbage", "cut short"}) {
        SCOPED_TRACE(spoilt);
        fs::remove_all(sound);
        if (spoilt == "a directory")
            fs::create_directory(sound);
        else if (spoilt == "garbage")
            std::ofstream(sound, std::ios::binary) << "RIFF? no, not a wave";
        else if (spoilt == "cut short") // inside its header
            std::ofstream(sound, std::ios::binary).write(wave.data(), 30);
        goOnWithBoard(TwoGreenGroups);
        QTest::mouseClick(board(), Qt::LeftButton, {}, cellCentre(0, 0));
        ASSERT_EQ(text("selectionValue"), "2000");
        // The selected pair on screen first, so that the black below is the clearing's own.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !allBlack(cell(onScreen(), 0, 0)); }, 10000));
        QTest::mouseClick(board(), Qt::LeftButton, {}, cellCentre(0, 1));
        points += 2000;
        EXPECT_EQ(text("points"), QString::number(points));
        EXPECT_EQ(text("selectionValue"), "");
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const QImage screen = onScreen();
                return allBlack(cell(screen, 0, 0)) && allBlack(cell(screen, 0, 1));
            },
            10000))
            << "the cleared pair never left the screen";
        EXPECT_EQ(server.connections(), 0) << "the player tried to play it";
    }

    // The same game with its sound in place does reach the server: what the count above shows.
    fs::remove_all(sound);
    std::ofstream(sound, std::ios::binary).write(wave.data(), std::ssize(wave));
    clearThePair();
    points += 2000;
    EXPECT_EQ(text("points"), QString::number(points));
    EXPECT_EQ(server.connections(), 1);
}

TEST_F(SoundFiles, WithoutAnAudioServerTheClearingGoesOn)
{
    TempFolder nothing;
    setenv("PULSE_SERVER", ("unix:" + (nothing.path / "native").string()).c_str(), 1);
    clearThePair();
    unsetenv("PULSE_SERVER");
    EXPECT_EQ(text("points"), "2000");
}

// The player clears a group and the audio server hangs; meanwhile the player presses twice,
// clicks "LEVEL UP" and chooses Reset. Nothing runs while the game waits for the sound; after it
// gave up on the server, everything is handled in the order it came, and the ticks that fell due
// meanwhile are not made up.
TEST_F(HungAudioServer, InputWaitsForTheSoundThenIsHandledInOrderAndMissedTicksAreNotMadeUp)
{
    selectThePairWith(208000);
    ASSERT_EQ(text("selectionValue"), "2000");

    // Made here, posted from the server's thread once the sound has reached it.
    std::atomic<bool> posted = false;
    SilentAudioServer server(true, [&, post = pressesLevelUpAndReset()] {
        post();
        posted = true;
    });
    ASSERT_TRUE(server.listening());

    const std::size_t ticksBefore = ticks.size();
    const auto start = Clock::now();
    QTest::mouseClick(board(), Qt::LeftButton, {}, cellCentre(0, 1)); // clears: the sound
    const auto soundOver = Clock::now();
    server.release();

    ASSERT_TRUE(posted) << "the clearing sound never reached the server";
    // The second a server is given to answer before the game goes on without it.
    EXPECT_GE(soundOver - start, std::chrono::milliseconds(900));
    EXPECT_EQ(ticks.size(), ticksBefore) << "ticks ran during the sound";
    EXPECT_EQ(text("points"), "210000");
    EXPECT_EQ(text("selectionValue"), "") << "a press was handled during the sound";
    EXPECT_EQ(text("level"), "1") << "the level-up was handled during the sound";
    EXPECT_EQ(game().state().reshuffleCount, 0) << "Reset was handled during the sound";

    // In order: the three greens selected and cleared (4500 points), then the level-up, granted
    // at 214500, then Reset. Reset before the level-up would leave 189500, too few: refused.
    const bool refused = waitClosingRefusals([&] { return game().state().reshuffleCount == 1; });
    const auto watched = Clock::now() - soundOver;
    EXPECT_FALSE(refused) << "the level-up came after Reset";
    EXPECT_EQ(text("level"), "2");
    EXPECT_EQ(text("points"), "189500");

    // Ticks are due 100 ms apart, and one overdue when the sound ended. Made up, the 10 or so
    // missed during the sound would come on top.
    const auto allowed = std::size_t(watched / std::chrono::milliseconds(100)) + 2;
    EXPECT_GE(ticks.size() - ticksBefore, 1u);
    EXPECT_LE(ticks.size() - ticksBefore, allowed);

    // The player let go of the hung server when it gave up on the sound; now that the server has
    // let go too, a clearing's sound reaches it again.
    const int connections = server.connections();
    clearThePair();
    EXPECT_GT(server.connections(), connections) << "sounds never came back";
}

// "Quit" reaches the program while the refused level-up waits in its message box (triggered from
// a timer: the box keeps the player's own input from the menu). The program ends: the box's and
// the program's event loops both return, the window is closed and its timer stopped, and the
// level-up that goes on once the box is gone finds the window still there.
TEST_F(QuitDuringLevelUpBox, TheProgramEndsCleanly)
{
    show();
    countTicks();
    bool boxSeen = false;
    QTimer quitter;
    QObject::connect(&quitter, &QTimer::timeout, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (qobject_cast<QMessageBox *>(widget) && widget->isVisible() && !boxSeen) {
                boxSeen = true;
                action("quitAction")->trigger();
            }
    });
    quitter.start(20);
    QTimer::singleShot(0,
                       [&] { QTest::mouseClick(levelUp(), Qt::LeftButton, {}, QPoint(10, 10)); });
    QTimer stuck;
    QObject::connect(&stuck, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    stuck.start(30000);

    EXPECT_EQ(QApplication::exec(), 0);
    quitter.stop();
    stuck.stop();
    EXPECT_TRUE(boxSeen);
    for (QWidget *widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<QMessageBox *>(widget) && widget->isVisible());
    const std::size_t ticksAtTheEnd = ticks.size();
    QTest::qWait(300);
    EXPECT_EQ(ticks.size(), ticksAtTheEnd) << "the timer ran on after Quit";
    EXPECT_TRUE(window.isNull() || !window->isVisible());
}

// What the copied program does when started with ClearOnceArgument.
int clearOnce()
{
    QPointer<MainWindow> window = new MainWindow;
    GameState start;
    start.board = boardOf(TwoGreenGroups);
    window->startFrom(start);
    auto *board = window->findChild<BoardSurface *>(QStringLiteral("board"));
    const auto centre = [&](int column) {
        return board->contentsRect().topLeft() +
            QPoint(BoardGrid::centrePixel(0, column).x, BoardGrid::centrePixel(0, column).y);
    };
    QTest::mouseClick(board, Qt::LeftButton, {}, centre(0));
    QTest::mouseClick(board, Qt::LeftButton, {}, centre(1));
    const bool cleared = window->game().state().points == 2000;
    delete window.data();
    return cleared ? 0 : 1;
}

// Runs the program at path with one argument, from another working folder; its exit status.
int run(const fs::path &program, std::string_view argument)
{
    std::string first = program.string(), second(argument);
    char *arguments[] = {first.data(), second.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, first.c_str(), nullptr, nullptr, arguments, environ) != 0)
        return -1;
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The game's folder named the way players name theirs: spaces and accented letters, in UTF-8 as
// today's systems write them and in Latin-1 as an old archive may unpack them. A copy of this
// program (the game's window, rules and sound player) runs from there and clears a group; its
// clearing sound reaching the server shows the sound was found and read at that path.
TEST(ProgramFolder, SoundsAreFoundInAFolderWithSpacesAndAccentedLetters)
{
    const std::pair<const char *, const char *> names[] = {
        {"UTF-8", "Chromatta Zúdudo spiel"},
        {"Latin-1",
         "Chromatta Z\xfa"
         "dudo spiel"},
    };
    for (const auto &[encoding, name] : names) {
        SCOPED_TRACE(encoding);
        TempFolder scratch;
        const fs::path folder = scratch.path / name;
        fs::create_directory(folder);
        fs::copy_file(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(),
                      folder / "chromatta-zududo");
        fs::copy_file(fs::path(CHROMATTA_ASSETS_DIR) / "clearbox.wav", folder / "clearbox.wav");

        SilentAudioServer server(false);
        ASSERT_TRUE(server.listening());
        EXPECT_EQ(run(folder / "chromatta-zududo", ClearOnceArgument), 0);
        EXPECT_EQ(server.connections(), 1) << "clearbox.wav was not found beside the program";
    }
}

} // namespace
} // namespace chromatta::ui::test

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The tests close windows and run the event loop themselves.
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc == 2 && argv[1] == chromatta::ui::test::ClearOnceArgument)
        return chromatta::ui::test::clearOnce();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
