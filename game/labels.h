// What the window's labels say, made from the record by pure functions the window and the
// harness share, and the words of the refusal.
#pragma once

#include "game_state.h"

#include <string>
#include <string_view>

namespace chromatta {

// The labels that show the record, besides the count of each colour.
enum class Label {
    Points,
    Level,
    SelectionValue,
    ReshuffleCost, // the price of the next reshuffle
    NextLevelThreshold, // "NEXT LEVEL: n", the points the level-up asks for
};
inline constexpr int LabelCount = 5;

// What the label shows for this record: plain decimal numbers, "NEXT LEVEL: n", and before the
// rules first show a number, what the window starts with ("NEXT LEVEL:" alone, blank for the
// selection value and the price).
std::string labelText(Label label, const GameState &state);
// The count of plain boxes of a colour (its index in Colours) as last counted; "25" before the
// first deal.
std::string countText(int colour, const GameState &state);

// The refusal of a level-up, as the player reads it.
inline constexpr std::string_view RefusalText = "You need more points!";
inline constexpr std::string_view RefusalTitle = "Nope";

} // namespace chromatta
