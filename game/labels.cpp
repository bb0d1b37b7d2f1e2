// What each label says for a record.
#include "labels.h"

namespace chromatta {

namespace {

std::string numberOr(const std::optional<std::int64_t> &number, std::string_view before)
{
    return number ? std::to_string(*number) : std::string(before);
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
    }
    return {};
}

std::string countText(int colour, const GameState &state)
{
    const auto &boxes = state.shown.boxes;
    return boxes ? std::to_string(boxes->plainByColour.at(std::size_t(colour))) : "25";
}

} // namespace chromatta
