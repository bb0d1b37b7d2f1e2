// A toolkit without a screen, which keeps what the rules ask of the window.
#pragma once

#include "captions.h"
#include "toolkit.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace chromatta {

// A toolkit without a screen: it keeps what the rules ask of the window so that tests and the
// script harness can look at it.
class RecordingToolkit : public Toolkit
{
public:
    void setCaption(Label label, std::string_view text) override;
    void clearSurface() override;
    void paintPicture(const Paint &paint) override;
    TwipSize holderSize(Holder holder) const override { return designHolderSize(holder); }
    void messageBox(std::string_view prompt, std::string_view title) override;
    void playSoundToEnd(const std::string &path) override;
    std::string programFolder() const override { return programFolder_; }

    void setProgramFolder(std::string folder) { programFolder_ = std::move(folder); }

    // What the label shows: its design text until the rules write it. It outlives the games
    // played on this toolkit, as a window's labels do.
    const std::string &caption(Label label) const { return captions_[static_cast<int>(label)]; }

    // Paint calls since the most recent clear; hasDrawn is false until the first clear.
    const std::vector<Paint> &paints() const { return paints_; }
    bool hasDrawn() const { return clears_ > 0; }
    int clears() const { return clears_; }
    int captionWrites() const { return captionWrites_; }
    const std::vector<std::string> &sounds() const { return sounds_; }
    const std::vector<std::string> &messages() const { return messages_; }

    // Forgets the sounds and message boxes so far, to keep a long run's memory flat; the
    // captions stay.
    void forgetEvents()
    {
        sounds_.clear();
        messages_.clear();
    }

    // Called as events happen, for a harness that prints them in order.
    std::function<void(const std::string &path)> onSound;
    std::function<void(std::string_view prompt, std::string_view title)> onMessage;

private:
    static std::array<std::string, LabelCount> designTexts();

    std::string programFolder_ = "/usr/lib/chromatta-zududo";
    std::vector<Paint> paints_;
    int clears_ = 0;
    int captionWrites_ = 0;
    std::array<std::string, LabelCount> captions_ = designTexts();
    std::vector<std::string> sounds_;
    std::vector<std::string> messages_;
};

} // namespace chromatta
