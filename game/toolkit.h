// The seam between the rules and the window: labels, picture holders, what the rules ask of it.
#pragma once

#include <string>
#include <string_view>

namespace chromatta {

// The labels the rules write: what each shows. The window's design gives each its first text
// (Captions::designText).
enum class Label {
    Points,
    Level,
    SelectionValue,
    ReshuffleCost, // what the next reshuffle costs, written by every tick
    NextLevelThreshold, // "NEXT LEVEL: n", the points the level-up asks for
    BoxCount, // all plain boxes: kept up to date but never shown
    RedCount,
    VioletCount,
    GreenCount,
    YellowCount,
};
inline constexpr int LabelCount = 10;

// The eight pictures of the boxes, by colour and highlight, in the order of the picture store.
enum class Holder {
    Yellow,
    Red,
    Green,
    Violet,
    YellowHighlighted,
    RedHighlighted,
    GreenHighlighted,
    VioletHighlighted,
};
inline constexpr int HolderCount = 8;

struct TwipSize
{
    double width = 0;
    double height = 0;
};

// Design sizes of the holders in twips (BoardGrid::TwipsPerPixel to the pixel of each picture);
// that of the violet ones is the size of a cell of the drawn grid.
TwipSize designHolderSize(Holder holder);

// One picture drawn on the board surface: a holder's picture scaled to width x height with its
// top-left corner at (x, y), all in twips.
struct Paint
{
    Holder holder;
    double x, y, width, height;
    bool operator==(const Paint &) const = default;
};

// What the rules need of the window. The Qt window implements it; RecordingToolkit stands in
// for it without a screen. Every call happens on the one user-interface thread.
class Toolkit
{
public:
    virtual ~Toolkit() = default;

    // The label shows this text from now on.
    virtual void setCaption(Label label, std::string_view text) = 0;
    // Erase the board surface back to its black background.
    virtual void clearSurface() = 0;
    virtual void paintPicture(const Paint &paint) = 0;
    virtual TwipSize holderSize(Holder holder) const = 0;
    // A modal box with one OK button and no icon; returns when the player has closed it.
    virtual void messageBox(std::string_view prompt, std::string_view title) = 0;
    // Plays a wave file and returns when it has ended; a file that cannot be played is silent.
    virtual void playSoundToEnd(const std::string &path) = 0;
    // The folder that holds the program file, without a trailing separator.
    virtual std::string programFolder() const = 0;
};

} // namespace chromatta
