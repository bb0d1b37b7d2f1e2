// The recording toolkit: every call noted, message boxes closed with OK at once.
#include "recording_toolkit.h"

namespace chromatta {

std::array<std::string, LabelCount> RecordingToolkit::designTexts()
{
    std::array<std::string, LabelCount> texts;
    for (int i = 0; i < LabelCount; ++i)
        texts[i] = Captions::designText(static_cast<Label>(i));
    return texts;
}

void RecordingToolkit::setCaption(Label label, std::string_view text)
{
    captions_[static_cast<int>(label)] = text;
    ++captionWrites_;
}

void RecordingToolkit::clearSurface()
{
    paints_.clear();
    ++clears_;
}

void RecordingToolkit::paintPicture(const Paint &paint)
{
    paints_.push_back(paint);
}

void RecordingToolkit::messageBox(std::string_view prompt, std::string_view title)
{
    messages_.push_back(std::string(prompt) + "|" + std::string(title));
    if (onMessage)
        onMessage(prompt, title);
}

void RecordingToolkit::playSoundToEnd(const std::string &path)
{
    sounds_.push_back(path);
    if (onSound)
        onSound(path);
}

} // namespace chromatta
