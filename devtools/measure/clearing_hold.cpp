// clearing-hold: how long a clearing holds the real window (the press's handler, which plays
// clearbox.wav to its end) against the sound's length, and the descriptors and threads of the
// process before and after the clearings, optionally under a fault set up inside the process.
// Usage: clearing-hold [--clearings N] [--spare-threads K | --address-space MB |
//                       --silent-server DIR | --stop-server PID [--mid-sound | --for-one]]
//                      [--record COMMAND] [--settle]
//   --spare-threads K   the user may start only K more threads during the clearings (setrlimit
//                       RLIMIT_NPROC; root ignores it, so run it as another user); then as many
//                       clearings again with the limit lifted
//   --address-space MB  the process's address space may grow only MB past what it is once the
//                       window shows (setrlimit RLIMIT_AS)
//   --silent-server DIR the audio server is a socket in DIR that takes connections and never
//                       answers (PULSE_SERVER is set to it)
//   --stop-server PID   the audio server's process is stopped (SIGSTOP) before the clearings
//                       (with --mid-sound: half way through the first one's sound), resumed
//                       (SIGCONT) after them, and a second later one more clearing is timed;
//                       with --for-one, stopped for the first clearing only, resumed as soon as
//                       it returns, and then N more clearings are timed, with --record each one
//                       against the sound recorded from its press to the next clearing's
//   --record COMMAND    a command that prints what the sink plays (16-bit mono at 8000 Hz, as
//                       `pw-record` or `parec` on its monitor); with --stop-server, what was
//                       heard from the first sound given up on to the clearing after the
//                       resumption (late sound), and during that clearing
//   --settle            then counts the wake-ups of all threads over 10 s with the game settled
// clearbox.wav is looked up beside this program, as the game does. Needs a Qt platform
// (offscreen will do).
#include "clearing_hold_probe.h"
#include "file_size_limit.h"
#include "game.h"
#include "main_window.h"
#include "memory_check.h"
#include "process_counts.h"

#include <QApplication>
#include <QTest>

#include <csignal>

#include <sndfile.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

using namespace chromatta;
using namespace chromatta::measure;

namespace {

struct Options
{
    int clearings = 20;
    int spareThreads = -1;
    long addressSpaceMb = 0;
    std::string silentServerDir;
    pid_t stopServer = 0;
    bool midSound = false;
    bool forOne = false;
    std::string record;
    bool settle = false;
};

bool parse(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool valued = i + 1 < argc;
        if (argument == "--clearings" && valued)
            options.clearings = std::atoi(argv[++i]);
        else if (argument == "--spare-threads" && valued)
            options.spareThreads = std::atoi(argv[++i]);
        else if (argument == "--address-space" && valued)
            options.addressSpaceMb = std::atol(argv[++i]);
        else if (argument == "--silent-server" && valued)
            options.silentServerDir = argv[++i];
        else if (argument == "--stop-server" && valued)
            options.stopServer = pid_t(std::atol(argv[++i]));
        else if (argument == "--mid-sound")
            options.midSound = true;
        else if (argument == "--for-one")
            options.forOne = true;
        else if (argument == "--record" && valued)
            options.record = argv[++i];
        else if (argument == "--settle")
            options.settle = true;
        else
            return false;
    }
    return options.clearings > 0;
}

// The length of clearbox.wav beside this program, in seconds (0 when it cannot be read).
double soundLength()
{
    const std::string path =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "clearbox.wav").string();
    SF_INFO info {};
    SNDFILE *file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return 0;
    sf_close(file);
    return double(info.frames) / info.samplerate;
}

// A socket that takes connections (into its backlog) and never says a word.
int silentServer(const std::string &dir)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const std::string path = dir + "/silent";
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    unlink(path.c_str()); // one left by an earlier run
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    if (bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        listen(listener, 128) != 0)
        return -1;
    setenv("PULSE_SERVER", ("unix:" + path).c_str(), 1);
    return listener;
}

using Clock = std::chrono::steady_clock;

// The clearings with the server stopped, then one after it has resumed, and what the sink played
// meanwhile.
void stoppedServer(Clearings &clearings, const Options &options, double soundSeconds)
{
    std::unique_ptr<SinkRecording> recording;
    if (!options.record.empty()) {
        recording = std::make_unique<SinkRecording>(options.record);
        clearings.settleFor(std::chrono::milliseconds(500));
    }
    const auto first = Clock::now();
    std::thread stopper;
    if (options.midSound)
        stopper = std::thread([&] {
            std::this_thread::sleep_for(std::chrono::duration<double>(soundSeconds / 2));
            kill(options.stopServer, SIGSTOP);
        });
    else
        kill(options.stopServer, SIGSTOP);
    const auto ends =
        clearings.run(options.clearings,
                      options.midSound ? "the server stopped half way through the first sound"
                                       : "the server stopped");
    if (stopper.joinable())
        stopper.join();
    kill(options.stopServer, SIGCONT);
    // Anything of the sounds given up on that the server still plays would come now.
    clearings.settleFor(std::chrono::seconds(1));
    const auto next = Clock::now();
    clearings.run(1, "the next clearing, a second after the server resumed");
    clearings.settleFor(std::chrono::milliseconds(500));
    if (recording) {
        const auto before = recording->between(first, ends.front().ended);
        const auto late = recording->between(ends.front().ended, next);
        const auto heard = recording->between(next, Clock::now());
        std::printf("  recorded during the first clearing: %.1f ms of sound (peak %d)\n",
                    before.milliseconds, before.peak);
        std::printf("  recorded from the first give-up to the next clearing: %.1f ms of sound "
                    "(peak %d) in %.2f s; during the next clearing: %.1f ms of sound (peak %d)\n",
                    late.milliseconds, late.peak, double(late.samples) / 8000, heard.milliseconds,
                    heard.peak);
    }
}

// The server stopped for one clearing, then answering again: each later clearing's hold and what
// the sink played from its press to the next one's, in full when the clearing was heard, nothing
// when it was given up on (anything there was played late).
void stoppedForOneClearing(Clearings &clearings, const Options &options, double soundSeconds)
{
    SinkRecording recording(options.record);
    clearings.settleFor(std::chrono::milliseconds(500));
    kill(options.stopServer, SIGSTOP);
    const auto stopped = clearings.run(1, "the server stopped for this clearing");
    kill(options.stopServer, SIGCONT);
    const auto next = clearings.run(options.clearings, "then answering again");
    clearings.settleFor(std::chrono::milliseconds(500));
    const auto heardUntil = [&](std::size_t i) {
        return i + 1 < next.size() ? next[i + 1].pressed : Clock::now();
    };
    const auto late = recording.between(stopped.front().ended, next.front().pressed);
    std::printf("  recorded from the stopped clearing's give-up to the next press: %.1f ms\n",
                late.milliseconds);
    int heard = 0;
    double longest = 0;
    for (std::size_t i = 0; i < next.size(); ++i) {
        const auto played = recording.between(next[i].pressed, heardUntil(i));
        const bool waited = next[i].seconds() >= soundSeconds;
        heard += waited && played.milliseconds >= 0.8 * soundSeconds * 1000;
        longest = std::max(longest, next[i].seconds());
        std::printf("  clearing %zu: hold %.0f ms, %s, recorded until the next %.1f ms%s\n", i + 1,
                    next[i].seconds() * 1000, waited ? "waited" : "given up", played.milliseconds,
                    !waited && played.milliseconds > 0 ? " (late)" : "");
    }
    std::printf("  heard %d of %zu, longest hold %.3f s\n", heard, next.size(), longest);
}

void limit(int resource, rlim_t value)
{
    rlimit now {};
    getrlimit(resource, &now);
    now.rlim_cur = std::min(value, now.rlim_max);
    if (setrlimit(resource, &now) != 0)
        std::perror("clearing-hold: setrlimit");
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (!parse(argc, argv, options))
        return std::fprintf(stderr, "usage: see the first lines of clearing_hold.cpp\n"), 2;
    // As the game starts, for a run under ulimit -f or -v.
    ui::keepFileSizeLimitFromEndingTheGame();
    ui::shareOneHeapUnderAnAddressSpaceLimit();
    QApplication app(argc, argv);
    const int listener =
        options.silentServerDir.empty() ? -1 : silentServer(options.silentServerDir);
    auto window = std::make_unique<ui::MainWindow>();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return std::fprintf(stderr, "clearing-hold: the window did not show\n"), 1;
    Clearings clearings(*window, soundLength());
    clearings.settleFor(std::chrono::seconds(1));

    const rlimit unlimitedThreads = currentLimit(RLIMIT_NPROC);
    if (options.spareThreads >= 0)
        limit(RLIMIT_NPROC, rlim_t(userThreads() + options.spareThreads));
    if (options.addressSpaceMb > 0)
        limit(RLIMIT_AS, rlim_t(addressSpaceKb() + (options.addressSpaceMb << 10)) << 10);
    if (options.stopServer > 0 && options.forOne)
        stoppedForOneClearing(clearings, options, soundLength());
    else if (options.stopServer > 0)
        stoppedServer(clearings, options, soundLength());
    else
        clearings.run(options.clearings, "clearings");
    if (options.spareThreads >= 0) {
        setrlimit(RLIMIT_NPROC, &unlimitedThreads);
        clearings.run(options.clearings, "then with threads to be had again");
    }
    if (options.settle)
        clearings.countSettledWakeups();
    const auto closing = std::chrono::steady_clock::now();
    window.reset(); // with its sound player, whose worker it joins
    std::printf(
        "closing the window: %.1f ms\n",
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - closing)
            .count());
    if (listener >= 0)
        close(listener);
    return 0;
}
