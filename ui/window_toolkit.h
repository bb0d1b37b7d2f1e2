#pragma once

#include "sound_player.h"
#include "toolkit.h"

#include <array>
#include <string>

class QLabel;
class QWidget;

namespace chromatta::ui {

class BoardSurface;

// What the rules ask of the main window, done with its Qt controls.
class WindowToolkit final : public Toolkit
{
public:
    using LabelWidgets = std::array<QLabel *, LabelCount>;

    WindowToolkit(QWidget &window, BoardSurface &surface, const LabelWidgets &labels);

    void setCaption(Label label, std::string_view text) override;
    void clearSurface() override;
    void paintPicture(Holder holder, double x, double y, double width, double height) override;
    TwipSize holderSize(Holder holder) const override;
    void messageBox(std::string_view prompt, std::string_view title) override;
    void playSoundToEnd(const std::string &path) override;
    std::string programFolder() const override;

private:
    QWidget &window_;
    BoardSurface &surface_;
    LabelWidgets labels_;
    // What each label shows: the timer rewrites two captions ten times a second, nearly always
    // with the text they already show, and such a write need not reach the widget.
    std::array<std::string, LabelCount> shown_;
    // Plays the sounds, on a worker of its own that goes with the window.
    SoundPlayer sounds_;
};

} // namespace chromatta::ui
