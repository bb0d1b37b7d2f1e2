// What tests of several folders share: ctest's skip status, a scratch folder, a silent audio
// server.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// ctest reads 77 as "skipped": a run in which nothing failed but something was skipped says so
// rather than passing as if all had been checked.
inline int statusWithSkips(int result)
{
    const testing::UnitTest &unit = *testing::UnitTest::GetInstance();
    return result == 0 && unit.skipped_test_count() > 0 ? 77 : result;
}

// A folder of its own under /tmp: a unix socket's path must stay short.
struct TempFolder
{
    TempFolder()
    {
        std::string pattern = "/tmp/chromatta-test-XXXXXX";
        path = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

// An audio server's socket that accepts connections and never answers, as a frozen PulseAudio
// does. While it holds, connections stay open and the game's wait runs to its bound; released,
// it closes them, and every later one at once, which the client takes as no server.
class SilentAudioServer
{
public:
    explicit SilentAudioServer(bool hold, std::function<void()> onFirstConnection = {})
        : holding_(hold)
        , onFirstConnection_(std::move(onFirstConnection))
    {
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        (folder_.path / "native").string().copy(address.sun_path, sizeof address.sun_path - 1);
        listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
        bound_ = bind(listener_, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
            listen(listener_, 8) == 0;
        thread_ = std::thread([this] { serve(); });
        setenv("PULSE_SERVER", ("unix:" + (folder_.path / "native").string()).c_str(), 1);
    }
    ~SilentAudioServer()
    {
        unsetenv("PULSE_SERVER");
        stop_ = true;
        thread_.join();
        close(listener_);
    }

    bool listening() const { return bound_; }
    int connections() const { return connections_; }
    void release() { holding_ = false; }

private:
    void serve()
    {
        std::vector<int> held;
        while (!stop_) {
            pollfd waiting {listener_, POLLIN, 0};
            if (poll(&waiting, 1, 20) > 0) {
                const int connection = accept(listener_, nullptr, nullptr);
                if (connection >= 0) {
                    held.push_back(connection);
                    if (++connections_ == 1 && onFirstConnection_)
                        onFirstConnection_();
                }
            }
            if (!holding_) {
                for (const int connection : held)
                    close(connection);
                held.clear();
            }
        }
        for (const int connection : held)
            close(connection);
    }

    TempFolder folder_;
    int listener_ = -1;
    bool bound_ = false;
    std::atomic<bool> holding_;
    std::atomic<bool> stop_ = false;
    std::atomic<int> connections_ = 0;
    std::function<void()> onFirstConnection_;
    std::thread thread_;
};
