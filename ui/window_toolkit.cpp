// The main window's toolkit: captions, the board surface, message boxes, sounds, the folder.
#include "window_toolkit.h"

#include "board_surface.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>

#include <filesystem>
#include <system_error>

namespace chromatta::ui {

namespace {

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

WindowToolkit::WindowToolkit(QWidget &window, BoardSurface &surface, const LabelWidgets &labels)
    : window_(window)
    , surface_(surface)
    , labels_(labels)
{ }

void WindowToolkit::setCaption(Label label, std::string_view text)
{
    // Every tick rewrites two captions, nearly always with the text they already show: QLabel
    // leaves a label alone when its text stays the same.
    labels_[static_cast<int>(label)]->setText(toQString(text));
}

void WindowToolkit::clearSurface()
{
    surface_.clear();
}

void WindowToolkit::paintPicture(const Paint &paint)
{
    surface_.paintPicture(paint);
}

TwipSize WindowToolkit::holderSize(Holder holder) const
{
    // The holders keep their design size whatever the density the pictures are drawn at.
    return designHolderSize(holder);
}

void WindowToolkit::messageBox(std::string_view prompt, std::string_view title)
{
    // exec() runs a local event loop: the window's input waits, its timer keeps ticking.
    QMessageBox box(QMessageBox::NoIcon, toQString(title), toQString(prompt), QMessageBox::Ok,
                    &window_);
    box.exec();
}

void WindowToolkit::playSoundToEnd(const std::string &path)
{
    sounds_.playToEnd(path);
}

std::string WindowToolkit::programFolder() const
{
    // The folder's name as the file system's bytes, as the sound player opens it. Qt's answer
    // goes through a QString, which cannot carry a name that is not UTF-8 (a Latin-1 folder from
    // an old archive): Qt then gives no folder at all, and the sounds are never found.
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && program.is_absolute())
        return program.parent_path().string();
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

} // namespace chromatta::ui
