// Start-up on a display the game can use: the guard around Qt's platform start and the screen
// check.
#include "display_check.h"

#include "memory_check.h"

#include <QGuiApplication>
#include <QScreen>
#include <qlogging.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace chromatta::ui {

namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray file;
    int line;
    QByteArray function;
    QByteArray category;
    QString text;
};

// Less address space left than this when the platform fails: memory is what it lacked. The xcb
// plugin and its libraries take about 10 MiB; a display that cannot be reached leaves more than
// 16 MiB at every limit the game can run with.
constexpr std::size_t PlatformNeedsBytes = std::size_t(16) << 20;

bool holding = false;
QtMessageHandler usualHandler = nullptr;
std::vector<HeldMessage> heldMessages;

// Qt's last warning before it gave up names the cause ("could not connect to display :5", "Could
// not find the Qt platform plugin ..."); its first line is enough.
std::string qtReason()
{
    for (auto held = heldMessages.rbegin(); held != heldMessages.rend(); ++held) {
        const QString reason = held->text.section(QLatin1Char('\n'), 0, 0).trimmed();
        if (held->type != QtDebugMsg && held->type != QtInfoMsg && !reason.isEmpty())
            return reason.toStdString();
    }
    return "Qt's platform plugin could not start";
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        // Too little address space left for the plugin's libraries and threads: the platform
        // may be there, but memory is what it lacks.
        if (addressSpaceShort(PlatformNeedsBytes)) {
            std::fprintf(stderr,
                         "chromatta-zududo: not enough memory to start Qt's platform plugin%s "
                         "(%s)\n",
                         addressSpaceLimitWords().c_str(), qtReason().c_str());
            std::fflush(stderr);
        } else {
            reportDisplayProblem("cannot open a display (" + qtReason() + ")");
        }
        std::_Exit(1); // inside QApplication's constructor: nothing of ours to clean up
    }
    heldMessages.push_back(
        {type, context.file, context.line, context.function, context.category, text});
}

} // namespace

PlatformStartGuard::PlatformStartGuard()
{
    usualHandler = qInstallMessageHandler(holdMessage);
    holding = true;
}

PlatformStartGuard::~PlatformStartGuard()
{
    finish();
}

void PlatformStartGuard::finish()
{
    if (!holding)
        return;
    holding = false;
    qInstallMessageHandler(usualHandler);
    for (const HeldMessage &held : std::exchange(heldMessages, {})) {
        const QMessageLogContext context(held.file.constData(), held.line,
                                         held.function.constData(), held.category.constData());
        qt_message_output(held.type, context, held.text);
    }
}

std::optional<std::string> screenProblem()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || screen->depth() >= 15)
        return std::nullopt;
    return "cannot draw on this display (its screen is " + std::to_string(screen->depth()) +
        "-bit; a 15-bit or deeper colour screen is needed)";
}

void reportDisplayProblem(const std::string &problem)
{
    std::fprintf(stderr,
                 "chromatta-zududo: %s; run it inside a desktop session, or with "
                 "QT_QPA_PLATFORM=offscreen to run it without one\n",
                 problem.c_str());
    std::fflush(stderr);
}

} // namespace chromatta::ui
