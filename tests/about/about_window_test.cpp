// The about window as the player meets it: its texts, the keys that close it, the Help command
// that opens it, the links, and how it ends together with the game window.
#include "about_window.h"
#include "fonts.h"
#include "support.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using chromatta::ui::missingStandInFont;
using chromatta::ui::showAboutWindow;

std::vector<QWidget *> visibleAboutWindows()
{
    std::vector<QWidget *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("aboutWindow") && widget->isVisible())
            found.push_back(widget);
    }
    return found;
}

QWidget *theAboutWindow()
{
    const std::vector<QWidget *> found = visibleAboutWindows();
    return found.size() == 1 ? found.front() : nullptr;
}

// Runs the posted deletions of closed windows.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

class AboutWindow : public testing::Test
{
protected:
    void TearDown() override
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            widget->close();
        settle();
        chromatta::ui::setLinkOpener({});
    }

    template<typename Widget>
    Widget *control(const char *name)
    {
        QWidget *window = theAboutWindow();
        return window == nullptr ? nullptr : window->findChild<Widget *>(QLatin1String(name));
    }
};

TEST_F(AboutWindow, CarriesTheHowToPlayTextExactly)
{
    const char *const lines[] = {
        "Welcome to: Chromatta Zududo!",
        "--------------------------------------",
        "",
        "Usage Instructions:",
        "-------------------------------",
        "The object of the game is to click on",
        "sets of the same color in numbers of 2",
        "or more to clear sections of the game",
        "screen.",
        "",
        "You can advance levels by clicking on",
        "\"Level Up\" at the top of the window if",
        "your points match or exceed those",
        "pre-determined to qualify for the next",
        "difficulty level.",
        "",
        "If you get stuck you can select \"Reset\"",
        "from the file menu which will scatter the",
        "colored boxes in another order so as to",
        "make more moves possible.",
        "",
        "Good Luck! ;-)",
    };
    ASSERT_EQ(std::size(lines), 22u);
    std::string expected;
    for (const char *line : lines)
        expected += std::string(line) + "\r\n";
    EXPECT_EQ(std::string(chromatta::ui::HowToPlayText), expected);
    EXPECT_EQ(std::string(lines[1]).size(), 38u);
    EXPECT_EQ(std::string(lines[4]).size(), 31u);

    showAboutWindow();
    auto *text = control<QPlainTextEdit>("howToPlay");
    ASSERT_NE(text, nullptr);
    // The box shows each line as a paragraph of its own, the last one followed by an empty one.
    QString shown;
    for (const char *line : lines)
        shown += QString::fromLatin1(line) + QLatin1Char('\n');
    EXPECT_EQ(text->toPlainText(), shown);
    EXPECT_EQ(text->document()->blockCount(), 23);

    // Read-only yet selectable, with a vertical scroll bar that really scrolls the text.
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_TRUE(text->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_TRUE(text->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    QTest::keyClick(text, Qt::Key_A);
    EXPECT_EQ(text->toPlainText(), shown);
    EXPECT_TRUE(text->verticalScrollBar()->isVisible());
    EXPECT_GT(text->verticalScrollBar()->maximum(), 0) << "22 lines do not fit in 193 px";
}

TEST_F(AboutWindow, ShowsTheDesignTexts)
{
    showAboutWindow();
    QWidget *window = theAboutWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("About Chromatta Zududo"));
    EXPECT_EQ(window->size(), QSize(367, 565));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the frame is fixed";

    auto *supportQuestion = control<QLabel>("supportQuestion");
    ASSERT_NE(supportQuestion, nullptr);
    EXPECT_EQ(supportQuestion->text(), QStringLiteral("Have questions?  Need technical support? "));
    auto *web = control<QLabel>("webAddress");
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(web->text(), QStringLiteral("https://chromatta-zududo.org"));
    EXPECT_EQ(web->toolTip(), QStringLiteral("Chromatta Zududo Team"));
    auto *contact = control<QLabel>("contactUs");
    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(contact->toolTip(), QStringLiteral("Email us!"));
    // Every label fits its text into its design box at the fonts the window asks for.
    if (const QString family = missingStandInFont(); !family.isEmpty())
        GTEST_SKIP() << family.toStdString() << " is not installed: the fit is not known";
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const QFontMetrics metrics(label->font());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
            << label->objectName().toStdString();
    }
}

TEST_F(AboutWindow, EnterAndEscCloseIt)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        showAboutWindow();
        QPointer<QWidget> window = theAboutWindow();
        ASSERT_NE(window, nullptr);
        auto *ok = control<QPushButton>("okButton");
        ASSERT_NE(ok, nullptr);
        EXPECT_TRUE(ok->isDefault());
        EXPECT_EQ(window->focusWidget(), ok) << "OK has the focus when the window opens";
        QTest::keyClick(window->focusWidget(), key);
        settle();
        EXPECT_TRUE(window.isNull()) << "key " << key << " should unload the window";
    }
}

TEST_F(AboutWindow, HelpTwiceShowsOneWindow)
{
    showAboutWindow();
    QWidget *first = theAboutWindow();
    showAboutWindow();
    settle();
    EXPECT_EQ(visibleAboutWindows().size(), 1u);
    EXPECT_EQ(theAboutWindow(), first);
}

// Whether the outer window, frame included, stands in the middle of the screen (to the pixel
// the halves round to); on a screen too short for it, with its title bar at the top.
bool outerWindowCentred(const QWidget *window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen->geometry();
    const QRect outer = window->frameGeometry();
    const bool across = std::abs(outer.x() * 2 + outer.width() - area.width()) <= 1;
    if (outer.height() > screen->availableGeometry().height())
        return across && outer.y() == screen->availableGeometry().y();
    return across && std::abs(outer.y() * 2 + outer.height() - area.height()) <= 1;
}

// Once a window manager (if there is one) has framed the window and Qt has heard of it: Qt's
// idea of the geometry passes through other values on the way.
bool becomesCentred(const QWidget *window)
{
    return QTest::qWaitFor([window] { return outerWindowCentred(window); }, 1000);
}

TEST_F(AboutWindow, ComesBackCentredAfterItWasMovedAndClosed)
{
    showAboutWindow();
    QWidget *window = theAboutWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(becomesCentred(window))
        << "outer window at " << window->frameGeometry().x() << ", " << window->frameGeometry().y();
    const QRect centred = window->frameGeometry();

    window->move(centred.topLeft() + QPoint(70, 40));
    window->close();
    // Help again at once, before the closed window's deletion has run.
    showAboutWindow();
    settle();
    ASSERT_EQ(visibleAboutWindows().size(), 1u);
    EXPECT_TRUE(becomesCentred(theAboutWindow()));
    EXPECT_EQ(theAboutWindow()->frameGeometry(), centred);
}

// A fixed dialog frame with a close box only, and Help brings it back from wherever the player
// put it: minimized, or behind another window. Under a window manager (with_window_manager.sh) the
// window really is iconified and mapped again.
TEST_F(AboutWindow, OffersOnlyACloseBoxAndHelpBringsItBackFromMinimized)
{
    showAboutWindow();
    QWidget *window = theAboutWindow();
    ASSERT_NE(window, nullptr);
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the player cannot resize it";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        // KWin offers minimize to every normal window whatever its Motif hints say; a utility
        // window it does not.
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"),
                    {QStringLiteral("-id"), QString::number(window->winId()),
                     QStringLiteral("_NET_WM_WINDOW_TYPE")});
        if (xprop.waitForFinished(5000) && xprop.exitCode() == 0) {
            EXPECT_TRUE(xprop.readAllStandardOutput().contains("_NET_WM_WINDOW_TYPE_UTILITY"));
        }
    }

    window->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([window] { return window->isMinimized(); }, 2000));
    showAboutWindow();
    EXPECT_EQ(theAboutWindow(), window) << "still the one window";
    EXPECT_TRUE(QTest::qWaitFor(
        [window] { return !window->isMinimized() && window->windowHandle()->isExposed(); }, 2000))
        << "Help leaves the about window minimized";
    EXPECT_TRUE(QTest::qWaitFor([window] { return window->isActiveWindow(); }, 2000))
        << "the about window comes back without the focus";

    // Behind another window that has the focus.
    QWidget other;
    other.setGeometry(window->geometry());
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    showAboutWindow();
    EXPECT_TRUE(QTest::qWaitFor([window] { return window->isActiveWindow(); }, 2000))
        << "the about window stays behind";
    settle();
    EXPECT_EQ(visibleAboutWindows().size(), 1u);
}

TEST_F(AboutWindow, LinksOpenTheirAddresses)
{
    std::vector<QUrl> opened;
    chromatta::ui::setLinkOpener([&opened](const QUrl &url) { opened.push_back(url); });
    showAboutWindow();
    for (const char *name :
         {"webAddress", "title", "contactUs", "supportQuestion", "gameName", "version"}) {
        auto *label = control<QLabel>(name);
        ASSERT_NE(label, nullptr) << name;
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(3, 3));
    }
    const std::vector<QUrl> expected = {
        QUrl(QStringLiteral("https://chromatta-zududo.org")),
        QUrl(QStringLiteral("mailto:support@chromatta-zududo.org")),
        QUrl(QStringLiteral("mailto:support@chromatta-zududo.org")),
    };
    EXPECT_EQ(opened, expected);
    EXPECT_NE(theAboutWindow(), nullptr) << "a link leaves the window open";
}

// The program ends when no window is left, so the about window must count as one.
TEST_F(AboutWindow, KeepsTheProgramRunningAfterTheGameWindowCloses)
{
    QWidget game;
    game.show();
    showAboutWindow();
    QPointer<QWidget> about = theAboutWindow();
    ASSERT_NE(about, nullptr);

    bool aboutOpenAfterGameClosed = false;
    QTimer::singleShot(0, &game, &QWidget::close);
    QTimer::singleShot(200, [&] {
        aboutOpenAfterGameClosed = !about.isNull() && about->isVisible();
        if (about)
            about->close();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    watchdog.start(5000);
    const int result = QApplication::exec();
    EXPECT_TRUE(aboutOpenAfterGameClosed);
    EXPECT_EQ(result, 0) << "the program should end once the about window is closed too";
}

TEST_F(AboutWindow, QuitEndsItWithTheProgram)
{
    showAboutWindow();
    QPointer<QWidget> about = theAboutWindow();
    ASSERT_NE(about, nullptr);
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(about.isNull()) << "the window is freed when the program quits";
}

// On X11 the window must stay off the taskbar without being tied to the game window, which
// window managers would keep it above.
TEST_F(AboutWindow, OnX11StaysOffTheTaskbarAndBelongsToNoOtherWindow)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (the test runs again under xvfb-run when present)";
    showAboutWindow();
    QWidget *window = theAboutWindow();
    ASSERT_NE(window, nullptr);
    QCoreApplication::processEvents();
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window->winId()),
                 QStringLiteral("_NET_WM_STATE"), QStringLiteral("WM_TRANSIENT_FOR")});
    if (!xprop.waitForFinished(5000) || xprop.exitCode() != 0)
        GTEST_SKIP() << "xprop (Debian: x11-utils) is needed to read the window's properties";
    const QString properties = QString::fromLocal8Bit(xprop.readAllStandardOutput());
    EXPECT_TRUE(properties.contains(QLatin1String("_NET_WM_STATE_SKIP_TASKBAR")))
        << properties.toStdString();
    EXPECT_TRUE(properties.contains(QLatin1String("WM_TRANSIENT_FOR:  not found")))
        << "a transient window is kept above the windows it belongs to\n"
        << properties.toStdString();
}

} // namespace

int main(int argc, char **argv)
{
    // The offscreen platform cannot raise windows and says so on every Help command.
    static const QtMessageHandler defaultHandler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (!text.contains(QLatin1String("does not support raise()")))
                defaultHandler(type, context, text);
        });
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return statusWithSkips(RUN_ALL_TESTS());
}
