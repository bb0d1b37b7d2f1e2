// What the window's labels say, made from the record by one pure function the window and the
// harness share, and the words of the refusal.
#pragma once

#include "game_state.h"

#include <string>
#include <string_view>

namespace chromatta {

// The labels that show the record, in the order the harness prints them.
enum class Label {
    Points,
    Level,
    SelectionValue,
    ReshuffleCost, // the price of the next reshuffle
    NextLevelThreshold, // "NEXT LEVEL: n", the points the level-up asks for
    RedCount,
    VioletCount,
    GreenCount,
    YellowCount,
};
inline constexpr int LabelCount = 9;

// What the label shows for this record: plain decimal numbers, "NEXT LEVEL: n", and before the
// rules first show a number, what the window starts with ("NEXT LEVEL:" alone, "25" for the
// counts, blank for the selection value and the price).
std::string labelText(Label label, const GameState &state);

// The refusal of a level-up, as the player reads it.
inline constexpr std::string_view RefusalText = "You need more points!";
inline constexpr std::string_view RefusalTitle = "Nope";

} // namespace chromatta
