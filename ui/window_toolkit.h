// The toolkit of the main window: the rules' requests done with its Qt controls.
#pragma once

#include "sound_player.h"
#include "toolkit.h"

#include <array>

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
    void paintPicture(const Paint &paint) override;
    TwipSize holderSize(Holder holder) const override;
    void messageBox(std::string_view prompt, std::string_view title) override;
    void playSoundToEnd(const std::string &path) override;
    std::string programFolder() const override;

private:
    QWidget &window_;
    BoardSurface &surface_;
    LabelWidgets labels_;
    // Plays the sounds, on a worker of its own that goes with the window.
    SoundPlayer sounds_;
};

} // namespace chromatta::ui
