// What each label says for a record.
#include "labels.h"

namespace chromatta {

namespace {

std::string numberOr(const std::optional<std::int64_t> &number, std::string_view before)
{
    return number ? std::to_string(*number) : std::string(before);
}

std::string countOr(const std::optional<BoxCounts> &boxes, int BoxCounts::*colour)
{
    return boxes ? std::to_string((*boxes).*colour) : "25";
}

} // namespace

std::string labelText(Label label, const GameState &state)
{
    const Shown &shown = state.shown;
    switch (label) {
    case Label::Points:
        return std::to_string(state.points);
    case Label::Level:
        return std::to_string(state.level);
    case Label::SelectionValue:
        return numberOr(shown.selectionValue, "");
    case Label::ReshuffleCost:
        return numberOr(shown.reshuffleCost, "");
    case Label::NextLevelThreshold:
        return shown.nextLevelThreshold ? "NEXT LEVEL: " + std::to_string(*shown.nextLevelThreshold)
                                        : "NEXT LEVEL:";
    case Label::RedCount:
        return countOr(shown.boxes, &BoxCounts::red);
    case Label::VioletCount:
        return countOr(shown.boxes, &BoxCounts::violet);
    case Label::GreenCount:
        return countOr(shown.boxes, &BoxCounts::green);
    case Label::YellowCount:
        return countOr(shown.boxes, &BoxCounts::yellow);
    }
    return {};
}

} // namespace chromatta
