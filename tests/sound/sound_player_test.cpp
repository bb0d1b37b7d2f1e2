// The sound player against a real audio server (a private one with a null sink, PipeWire's or
// PulseAudio), against no server and against a server that never answers.
#include "process_counts.h"
#include "sound_player.h"
#include "support.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include <grp.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

void writeTone(const fs::path &path, double seconds, int rate = 22050, int channels = 1,
               int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16)
{
    SF_INFO info {0, rate, channels, format, 0, 0};
    SNDFILE *file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const auto frames = static_cast<sf_count_t>(seconds * rate);
    std::vector<float> samples(static_cast<std::size_t>(frames * channels));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = 0.3f * static_cast<float>(std::sin(0.06 * static_cast<double>(i)));
    ASSERT_EQ(sf_writef_float(file, samples.data(), frames), frames);
    sf_close(file);
}

using chromatta::measure::entriesIn;
using chromatta::measure::userThreads;
using chromatta::ui::SoundPlayer;

double secondsToPlay(SoundPlayer &player, const fs::path &path)
{
    const auto start = std::chrono::steady_clock::now();
    player.playToEnd(path.string());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void useServer(const fs::path &socket)
{
    setenv("PULSE_SERVER", ("unix:" + socket.string()).c_str(), 1);
}

bool run(const std::string &command)
{
    return std::system(command.c_str()) == 0;
}

// What a command prints, and whether it succeeded.
std::pair<std::string, int> output(const std::string &command)
{
    std::string printed;
    FILE *pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return {"cannot run " + command, -1};
    std::array<char, 4096> buffer;
    for (std::size_t got; (got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        printed.append(buffer.data(), got);
    const int status = pclose(pipe);
    return {printed, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// A private audio server of the kind the machine has (PipeWire's or PulseAudio), with a null
// sink, started once for the suite and stopped with it (or with the process, if it dies).
class WithAudioServer : public testing::Test
{
protected:
    static std::string serverScript(const std::string &action)
    {
        return std::string(CHROMATTA_AUDIO_SERVER_SCRIPT) + " " + action + " " +
            folder->path.string();
    }

    static void SetUpTestSuite()
    {
        folder = new TempFolder;
        auto [printed, status] =
            output(serverScript("start") + " " + std::to_string(getpid()) + " 2>&1");
        if (status != 0)
            notStarted = "exit status " + std::to_string(status) + ": " + printed;
        skipped = status == 77;
        useServer(folder->path / "native");
    }

    static void TearDownTestSuite()
    {
        run(serverScript("stop"));
        unsetenv("PULSE_SERVER");
        delete folder;
        folder = nullptr;
    }

    void SetUp() override
    {
        if (skipped)
            GTEST_SKIP() << notStarted; // no audio server of either kind here
        ASSERT_EQ(notStarted, "") << "the private audio server did not start";
    }

    TempFolder files;
    SoundPlayer player;
    static inline TempFolder *folder = nullptr;
    static inline std::string notStarted;
    static inline bool skipped = false;
};

TEST_F(WithAudioServer, ReturnsWhenTheSoundHasBeenHeard)
{
    // Mono 16-bit as the game's sounds are, and stereo float at another rate, which must be
    // converted and not played at the wrong speed.
    writeTone(files.path / "mono.wav", 0.5);
    writeTone(files.path / "stereo.wav", 0.5, 48000, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    for (const char *name : {"mono.wav", "stereo.wav"}) {
        const double took = secondsToPlay(player, files.path / name);
        EXPECT_GE(took, 0.4) << name;
        EXPECT_LE(took, 1.5) << name;
    }
}

TEST_F(WithAudioServer, FilesThatCannotBePlayedAreSilentAndQuick)
{
    const fs::path &dir = files.path;
    writeTone(dir / "good.wav", 0.5);
    std::vector<char> good(fs::file_size(dir / "good.wav"));
    std::ifstream(dir / "good.wav", std::ios::binary).read(good.data(), std::ssize(good));

    std::ofstream(dir / "garbage.wav", std::ios::binary) << "this is no wave file at all";
    std::ofstream(dir / "empty.wav", std::ios::binary);
    std::ofstream(dir / "header-cut.wav", std::ios::binary).write(good.data(), 20);
    // The header promises half a second; only a few samples arrived.
    std::ofstream(dir / "data-cut.wav", std::ios::binary).write(good.data(), 44 + 200);
    fs::create_directory(dir / "clearbox.wav");

    for (const char *name : {"missing.wav", "garbage.wav", "empty.wav", "header-cut.wav",
                             "data-cut.wav", "clearbox.wav"}) {
        EXPECT_LT(secondsToPlay(player, dir / name), 1.5) << name;
    }
}

// Files a hostile or unlucky player may put beside the game: none may crash it, hold it past the
// ceiling, block it, or go unheard for its layout.
TEST_F(WithAudioServer, HostileFilesNeitherCrashNorHoldTheGame)
{
    const fs::path &dir = files.path;
    // A FLAC under the wave's name whose header claims 2^36 - 1 frames (its 36-bit frame count,
    // bytes 21 to 25, all ones): nothing may be sized from that.
    writeTone(dir / "clearbox.wav", 0.3, 22050, 1, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
    {
        std::fstream lying(dir / "clearbox.wav", std::ios::binary | std::ios::in | std::ios::out);
        lying.seekg(21);
        const char low = static_cast<char>(lying.get() | 0x0f);
        lying.seekp(21);
        lying.put(low).write("\xff\xff\xff\xff", 4);
    }
    EXPECT_LT(secondsToPlay(player, dir / "clearbox.wav"), 3.0);

    // A long file is cut off at the ceiling (lowered here from ten seconds to one).
    writeTone(dir / "long.wav", 4.0);
    SoundPlayer cutting({std::chrono::seconds(1)});
    const double cut = secondsToPlay(cutting, dir / "long.wav");
    EXPECT_GE(cut, 0.8);
    EXPECT_LE(cut, 2.5);

    // A pipe in the sound's place, with no writer: opening it must not wait for one.
    ASSERT_EQ(mkfifo((dir / "win.wav").c_str(), 0600), 0);
    EXPECT_LT(secondsToPlay(player, dir / "win.wav"), 1.5);

    // Eight channels need a channel map, forty more than the server takes: both are heard.
    for (const int channels : {8, 40}) {
        const fs::path many = dir / ("channels-" + std::to_string(channels) + ".wav");
        writeTone(many, 0.5, 22050, channels);
        const double took = secondsToPlay(player, many);
        EXPECT_GE(took, 0.4) << channels;
        EXPECT_LE(took, 1.5) << channels;
    }
}

// Waits up to a second for the process's threads and descriptors to be as many as given.
bool backTo(std::ptrdiff_t threads, std::ptrdiff_t descriptors)
{
    for (int i = 0; i < 20; ++i) {
        if (entriesIn("/proc/self/task") == threads && entriesIn("/proc/self/fd") == descriptors)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// The player against a server that stops answering (SIGSTOP) and comes back. The first sound is
// given up on once the server has had its time to answer; while it stays stopped, each later
// sound holds the game only a moment. Once it runs again, none of the sounds given up on is
// heard late, and the next sound is heard to its end, however long the server takes to answer
// it: that the server is back is learnt from its late answer to the last sound given up on, not
// from how quickly it answers the next (here given a millisecond, which no server meets).
// Threads and descriptors are then back where they were.
TEST_F(WithAudioServer, AServerThatStopsAnsweringCostsOneWaitAndIsHeardAgainWhenItComesBack)
{
    SoundPlayer impatient({.silentServerWait = std::chrono::milliseconds(1)});
    writeTone(files.path / "clearbox.wav", 0.5);
    EXPECT_GE(secondsToPlay(impatient, files.path / "clearbox.wav"), 0.4); // its worker starts
    const std::string dir = folder->path.string();
    // Everything the sink plays from here is recorded, in short fragments so that little is
    // lost when the recorder is stopped; the stream that keeps PulseAudio's sink awake plays
    // only zeros, so any other sample is a sound.
    ASSERT_TRUE(run("parec -d null.monitor --format=s16le --channels=1 --rate=8000 "
                    "--latency-msec=50 >" +
                    dir + "/heard.raw & echo $! >" + dir + "/parec.pid"));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const auto threads = entriesIn("/proc/self/task");
    const auto descriptors = entriesIn("/proc/self/fd");
    const auto recorded = [&] {
        std::ifstream recording(dir + "/heard.raw", std::ios::binary);
        return std::vector<char> {std::istreambuf_iterator<char>(recording), {}};
    };

    ASSERT_TRUE(run("kill -STOP $(cat " + dir + "/server.pid)"));
    const double first = secondsToPlay(impatient, files.path / "clearbox.wav");
    EXPECT_GE(first, 0.9) << "given up on before the server had its second to answer";
    EXPECT_LT(first, 2.5) << "waited for the sound's margin, not for the answer";
    for (int clearing = 0; clearing < 3; ++clearing)
        EXPECT_LT(secondsToPlay(impatient, files.path / "clearbox.wav"), 0.5)
            << "a server known to be silent held the game again, clearing " << clearing;
    ASSERT_TRUE(run("kill -CONT $(cat " + dir + "/server.pid)"));
    // Once the server answers others again (a busy machine may take a while to let it), it has
    // answered the player's last connection too, which waited in front of them.
    ASSERT_TRUE(run("pactl info >/dev/null"));

    // Long enough for a sound started on waking to reach the recording.
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    const std::vector<char> late = recorded();
    ASSERT_FALSE(late.empty()) << "parec recorded nothing";
    EXPECT_EQ(std::count(late.begin(), late.end(), 0), std::ssize(late))
        << "a sound the game gave up on was played late";

    // The server answers again: the next sound is waited for to its end, and reaches the sink.
    const double next = secondsToPlay(impatient, files.path / "clearbox.wav");
    EXPECT_GE(next, 0.4) << "the server came back but the sound was not waited for";
    EXPECT_LT(next, 1.5);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(run("kill $(cat " + dir + "/parec.pid)"));
    const std::vector<char> heard = recorded();
    EXPECT_NE(std::count(heard.begin() + std::ssize(late), heard.end(), 0),
              std::ssize(heard) - std::ssize(late))
        << "the sound after the server came back was not heard";
    EXPECT_TRUE(backTo(threads, descriptors))
        << "threads " << threads << " -> " << entriesIn("/proc/self/task") << ", descriptors "
        << descriptors << " -> " << entriesIn("/proc/self/fd");
}

// In a child process (as nobody when run as root, whom the limit does not bind): sounds while
// the user can start only one more thread, then with threads to be had again. What went wrong,
// or nothing.
std::string starvedThenFed(const fs::path &sound)
{
    if (getuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0 ||
         prctl(PR_SET_DUMPABLE, 1) != 0))
        return "cannot become nobody";
    std::string failures;
    SoundPlayer player;
    const auto threads = entriesIn("/proc/self/task"), descriptors = entriesIn("/proc/self/fd");
    rlimit threadsToBeHad {};
    getrlimit(RLIMIT_NPROC, &threadsToBeHad);
    const rlimit oneMore {rlim_t(userThreads() + 1), threadsToBeHad.rlim_max};
    if (setrlimit(RLIMIT_NPROC, &oneMore) != 0)
        return "cannot limit threads";
    // Heard, or silent if another of the user's processes took that thread: never held longer.
    for (int clearing = 0; clearing < 3; ++clearing)
        if (const double took = secondsToPlay(player, sound); took > 1.5)
            failures += "held " + std::to_string(took) + " s while threads were short; ";
    setrlimit(RLIMIT_NPROC, &threadsToBeHad);
    if (const double took = secondsToPlay(player, sound); took < 0.4)
        failures += "silent once threads could be had again; ";
    if (!backTo(threads + 1, descriptors)) // the worker stays for the next sound
        failures += "threads " + std::to_string(threads) + " -> " +
            std::to_string(entriesIn("/proc/self/task")) + ", descriptors " +
            std::to_string(descriptors) + " -> " + std::to_string(entriesIn("/proc/self/fd"));
    return failures;
}

// Started with this argument and a sound file, the program runs starvedThenFed and prints what
// went wrong. A process of its own: the audio library refuses to run in a forked copy of a
// process that has used it.
constexpr std::string_view StarvedThenFedArgument = "--starved-then-fed";

// A clearing while threads are short neither holds the game nor silences it for good, and
// leaves no thread or descriptor behind.
TEST_F(WithAudioServer, AShortageOfThreadsPassesAndTheNextSoundIsHeard)
{
    writeTone(files.path / "clearbox.wav", 0.5);
    if (getuid() == 0) { // the child is nobody: let it reach the server and the sound
        fs::permissions(folder->path, fs::perms::all, fs::perm_options::add);
        fs::permissions(folder->path / "native", fs::perms::all, fs::perm_options::add);
        fs::permissions(files.path, fs::perms::all, fs::perm_options::add);
    }
    const auto [failures, status] =
        output("/proc/" + std::to_string(getpid()) + "/exe " + std::string(StarvedThenFedArgument) +
               " " + (files.path / "clearbox.wav").string());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(failures, "");
}

TEST(WithoutAudioServer, AGoodFileIsSilentAndQuick)
{
    TempFolder files;
    writeTone(files.path / "win.wav", 1.0);
    useServer(files.path / "no-server-here");
    SoundPlayer player;
    EXPECT_LT(secondsToPlay(player, files.path / "win.wav"), 1.5);
    unsetenv("PULSE_SERVER");
}

// A server that takes the connection and then never says a word, as a frozen one does: the first
// sound waits the second a server has to answer, the next only a moment.
TEST(WithHungAudioServer, TheFirstWaitEndsWhenTheServerHadItsTimeToAnswerAndTheNextAreShort)
{
    TempFolder files;
    writeTone(files.path / "win.wav", 0.5);
    SilentAudioServer server(true);
    ASSERT_TRUE(server.listening());
    SoundPlayer player;
    const auto threads = entriesIn("/proc/self/task");
    const auto descriptors = entriesIn("/proc/self/fd");
    const double took = secondsToPlay(player, files.path / "win.wav");
    EXPECT_GE(took, 0.9);
    EXPECT_LE(took, 2.5);
    EXPECT_LT(secondsToPlay(player, files.path / "win.wav"), 0.5);
    // The server takes connections on a thread of its own, which a busy machine may hold back.
    for (int i = 0; i < 40 && server.connections() < 2; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(server.connections(), 2) << "the second sound did not look for the server";
    // Its worker has let go of the connections, which the server, let go, no longer holds either.
    server.release();
    EXPECT_TRUE(backTo(threads + 1, descriptors)) // the worker stays for the next sound
        << "threads " << threads << " -> " << entriesIn("/proc/self/task") << ", descriptors "
        << descriptors << " -> " << entriesIn("/proc/self/fd");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && argv[1] == StarvedThenFedArgument) {
        std::fputs(starvedThenFed(argv[2]).c_str(), stdout);
        return 0;
    }
    testing::InitGoogleTest(&argc, argv);
    return statusWithSkips(RUN_ALL_TESTS());
}
