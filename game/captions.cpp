#include "captions.h"

#include <charconv>

namespace chromatta {

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
    texts_[static_cast<int>(label)] = std::string(text);
    toolkit_.setCaption(label, text);
}

void Captions::setNumber(Label label, std::int64_t number)
{
    set(label, std::to_string(number));
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
