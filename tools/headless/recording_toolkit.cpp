// The recording toolkit: every call noted, message boxes closed with OK at once.
#include "recording_toolkit.h"

namespace chromatta {

void RecordingToolkit::setCaption(Label, std::string_view)
{
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
