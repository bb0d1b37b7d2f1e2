// The label texts as last written, and whole numbers written without the heap.
#include "captions.h"

#include <charconv>

namespace chromatta {

NumberText::NumberText(std::int64_t number)
{
    const auto [end, error] =
        std::to_chars(digits_.data(), digits_.data() + digits_.size(), number);
    (void)error; // twenty characters hold every 64-bit number
    length_ = std::size_t(end - digits_.data());
}

Captions::Captions(Toolkit &toolkit)
    : toolkit_(toolkit)
{
    for (int i = 0; i < LabelCount; ++i)
        texts_[i] = designText(static_cast<Label>(i));
}

std::string Captions::designText(Label label)
{
    switch (label) {
    case Label::Points:
        return "0";
    case Label::Level:
        return "1";
    case Label::NextLevelThreshold:
        return "NEXT LEVEL:";
    case Label::RedCount:
    case Label::VioletCount:
    case Label::GreenCount:
    case Label::YellowCount:
        return "25";
    case Label::SelectionValue:
    case Label::ReshuffleCost:
    case Label::BoxCount:
        return "";
    }
    return "";
}

void Captions::set(Label label, std::string_view text)
{
    // Assigned in place: every tick rewrites two captions, mostly with the text they already
    // hold, and that should not cost an allocation each time.
    std::string &caption = texts_[static_cast<int>(label)];
    if (caption != text) {
        caption.assign(text);
        ++changes_;
    }
    toolkit_.setCaption(label, text);
}

void Captions::setNumber(Label label, std::int64_t number)
{
    set(label, NumberText(number).view());
}

} // namespace chromatta
