// What a process holds, read from /proc: entries of a folder, status fields, a user's threads.
// Shared by the measuring probes and the sound player's tests.
#pragma once

#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace chromatta::measure {

// How many entries a folder holds: /proc/self/task counts the threads, /proc/self/fd the open
// descriptors. -1 when it cannot be read.
inline long entriesIn(const std::filesystem::path &folder)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error)
        return -1;
    return long(std::distance(entries, std::filesystem::directory_iterator()));
}

// The first number after `key` in a /proc status file; -1 when there is none.
inline long statusField(const std::filesystem::path &status, const std::string &key)
{
    std::ifstream in(status);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key, 0) == 0)
            return std::atol(line.c_str() + key.size());
    return -1;
}

// The threads of every process of this user: what RLIMIT_NPROC counts.
inline long userThreads()
{
    long total = 0;
    std::error_code error;
    for (const auto &process : std::filesystem::directory_iterator("/proc", error))
        if (std::isdigit(static_cast<unsigned char>(process.path().filename().string()[0])) &&
            statusField(process.path() / "status", "Uid:") == long(getuid()))
            total += statusField(process.path() / "status", "Threads:");
    return total;
}

} // namespace chromatta::measure
