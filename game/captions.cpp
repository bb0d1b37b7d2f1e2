// The label texts the game keeps, and numbers written without the heap.
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
    case Label::Pts:
        return "0";
    case Label::lvl:
        return "1";
    case Label::NEXTLEVEL:
        return "NEXT LEVEL:";
    case Label::Label6:
    case Label::Label8:
    case Label::Label10:
    case Label::Label12:
        return "25";
    case Label::SelPts:
    case Label::Nmmc:
    case Label::Label4:
        return "";
    }
    return "";
}

void Captions::set(Label label, std::string_view text)
{
    // Assigned in place: the timer rewrites captions ten times a second, mostly with the text
    // they already hold, and that should not cost an allocation each time.
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

std::int64_t Captions::readNumber(Label label) const
{
    // Parsed as an exact 64-bit integer rather than through a double, so that a large score
    // read back from Pts is never rounded.
    const std::string &text = read(label);
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return 0;
    return number;
}

} // namespace chromatta
