// The sound player against a real PulseAudio server (a private one with a null sink), against
// no server and against a server that never answers.
#include "sound_player.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sndfile.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

namespace fs = std::filesystem;
using Seconds = std::chrono::duration<double>;

// A folder of its own under /tmp, removed again at the end. Unix socket paths must stay short,
// so the build tree is no place for the server's socket.
struct TempFolder
{
    TempFolder()
    {
        std::string pattern = "/tmp/chromatta-sound-XXXXXX";
        path = mkdtemp(pattern.data());
    }
    ~TempFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

// A tone written by libsndfile: format is e.g. SF_FORMAT_WAV | SF_FORMAT_PCM_16.
void writeTone(const fs::path &path, double seconds, int rate = 22050, int channels = 1,
               int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16)
{
    SF_INFO info {};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE *file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const auto frames = static_cast<sf_count_t>(seconds * rate);
    std::vector<float> samples(static_cast<std::size_t>(frames * channels));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = 0.3f * static_cast<float>(std::sin(0.06 * static_cast<double>(i)));
    ASSERT_EQ(sf_writef_float(file, samples.data(), frames), frames);
    sf_close(file);
}

Seconds timePlay(const fs::path &path)
{
    const auto start = std::chrono::steady_clock::now();
    chromatta::ui::playWaveToEnd(path.string());
    return std::chrono::steady_clock::now() - start;
}

pid_t spawn(const std::vector<std::string> &arguments)
{
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The server's root warnings are expected; keep the test log readable.
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

bool onPath(const std::string &program)
{
    const char *path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    std::size_t begin = 0;
    while (begin <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', begin), folders.size());
        if (access((folders.substr(begin, end - begin) + "/" + program).c_str(), X_OK) == 0)
            return true;
        begin = end + 1;
    }
    return false;
}

// Points the player at a socket of our own choosing for the life of the object.
struct ServerAddress
{
    explicit ServerAddress(const fs::path &socket)
    {
        const char *old = std::getenv("PULSE_SERVER");
        hadOld = old != nullptr;
        if (hadOld)
            oldValue = old;
        setenv("PULSE_SERVER", ("unix:" + socket.string()).c_str(), 1);
    }
    ~ServerAddress()
    {
        if (hadOld)
            setenv("PULSE_SERVER", oldValue.c_str(), 1);
        else
            unsetenv("PULSE_SERVER");
    }
    bool hadOld = false;
    std::string oldValue;
};

// A private PulseAudio with a null sink, started once for the suite.
class WithAudioServer : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!onPath("pulseaudio") || !onPath("pacat"))
            return;
        serverFolder = new TempFolder;
        socket = serverFolder->path / "native";
        setenv("HOME", serverFolder->path.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", serverFolder->path.c_str(), 1);
        server =
            spawn({"pulseaudio", "--system=false", "-n", "--daemonize=no", "--exit-idle-time=-1",
                   "--use-pid-file=no", "-L", "module-null-sink", "-L",
                   "module-native-protocol-unix socket=" + socket.string() + " auth-anonymous=1"});
        for (int i = 0; i < 100 && !fs::exists(socket); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (!fs::exists(socket))
            return;
        address = new ServerAddress(socket);
        // An idle null sink adds about two seconds to every drain; one low-latency stream kept
        // running holds it awake, and needs a moment before timings mean anything.
        keepAwake = spawn({"pacat", "--latency-msec=20", "/dev/zero"});
        std::this_thread::sleep_for(std::chrono::seconds(2));
    }

    static void TearDownTestSuite()
    {
        stop(keepAwake);
        stop(server);
        delete address;
        delete serverFolder;
        keepAwake = server = -1;
        address = nullptr;
        serverFolder = nullptr;
    }

    void SetUp() override
    {
        if (!onPath("pulseaudio") || !onPath("pacat"))
            GTEST_SKIP() << "pulseaudio and pacat (Debian: pulseaudio, pulseaudio-utils) are "
                            "needed for a real audio server";
        ASSERT_NE(server, -1) << "pulseaudio did not start";
        ASSERT_TRUE(fs::exists(socket)) << "pulseaudio did not open " << socket;
    }

    TempFolder files;
    static inline TempFolder *serverFolder = nullptr;
    static inline ServerAddress *address = nullptr;
    static inline fs::path socket;
    static inline pid_t server = -1;
    static inline pid_t keepAwake = -1;
};

TEST_F(WithAudioServer, ReturnsWhenTheSoundHasBeenHeard)
{
    // Mono 16-bit as the game's sounds are, and stereo float at another rate, which must be
    // converted and not played at the wrong speed.
    writeTone(files.path / "mono.wav", 0.5);
    writeTone(files.path / "stereo.wav", 0.5, 48000, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    for (const char *name : {"mono.wav", "stereo.wav"}) {
        const Seconds took = timePlay(files.path / name);
        EXPECT_GE(took.count(), 0.4) << name;
        EXPECT_LE(took.count(), 1.5) << name;
    }
}

TEST_F(WithAudioServer, FilesThatCannotBePlayedAreSilentAndQuick)
{
    const fs::path &folder = files.path;
    writeTone(folder / "good.wav", 0.5);
    std::vector<char> good(fs::file_size(folder / "good.wav"));
    std::ifstream(folder / "good.wav", std::ios::binary).read(good.data(), std::ssize(good));

    std::ofstream(folder / "garbage.wav", std::ios::binary) << "this is no wave file at all";
    std::ofstream(folder / "empty.wav", std::ios::binary);
    std::ofstream(folder / "header-cut.wav", std::ios::binary).write(good.data(), 20);
    // The header promises half a second; only the header and a few samples arrived.
    std::ofstream(folder / "data-cut.wav", std::ios::binary).write(good.data(), 44 + 200);
    fs::create_directory(folder / "clearbox.wav");

    for (const char *name : {"missing.wav", "garbage.wav", "empty.wav", "header-cut.wav",
                             "data-cut.wav", "clearbox.wav"}) {
        EXPECT_LT(timePlay(folder / name).count(), 1.5) << name;
    }
}

TEST(WithoutAudioServer, AGoodFileIsSilentAndQuick)
{
    TempFolder files;
    writeTone(files.path / "win.wav", 1.0);
    const ServerAddress nowhere(files.path / "no-server-here");
    EXPECT_LT(timePlay(files.path / "win.wav").count(), 1.5);
}

// A server that takes the connection and then never says a word, as a frozen one does.
TEST(WithHungAudioServer, TheWaitEndsAfterTheSoundAndAMargin)
{
    TempFolder files;
    writeTone(files.path / "win.wav", 0.5);
    const fs::path socketPath = files.path / "hung";
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    socketPath.string().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0); // connections queue up and are never accepted

    const ServerAddress hung(socketPath);
    const Seconds took = timePlay(files.path / "win.wav");
    // The player's own bound is the sound's length plus three seconds.
    EXPECT_GE(took.count(), 3.0);
    EXPECT_LE(took.count(), 6.0);
    // Closing the socket lets the worker left behind fail and finish.
    close(listener);
}

} // namespace
