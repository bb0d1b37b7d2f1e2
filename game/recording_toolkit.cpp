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

void RecordingToolkit::paintPicture(Holder holder, double x, double y, double width, double height)
{
    paints_.push_back({holder, x, y, width, height});
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
