// The game's sounds, looked up beside the program file each time one plays.
#include "game_sounds.h"

#include <QCoreApplication>
#include <QFile>

#include <filesystem>
#include <string>
#include <system_error>

namespace chromatta::ui {

namespace {

// Where the sounds lie: the folder of the program file, as the file system's bytes, as the
// sound player opens it. Qt's answer goes through a QString, which cannot carry a name that is
// not UTF-8 (a Latin-1 folder from an old archive): Qt then gives no folder at all, and the
// sounds are never found.
std::string soundFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && program.is_absolute())
        return program.parent_path().string();
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

} // namespace

void GameSounds::playToEnd(Sound sound)
{
    // The path is found anew each time, so a player may replace a file while the game runs.
    const char *file = sound == Clearing ? "clearbox.wav" : "win.wav";
    player_.playToEnd(soundFolder() + "/" + file);
}

} // namespace chromatta::ui
