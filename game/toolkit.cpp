// The design sizes of the picture holders.
#include "toolkit.h"

#include "board_geometry.h"

namespace chromatta {

TwipSize designHolderSize(Holder holder)
{
    switch (holder) {
    case Holder::Yellow:
    case Holder::Red:
    case Holder::YellowHighlighted:
    case Holder::RedHighlighted:
        return {735, 705};
    case Holder::Green:
    case Holder::GreenHighlighted:
        return {735, 720};
    case Holder::Violet:
    case Holder::VioletHighlighted:
        break;
    }
    return {BoardGrid::CellWidth, BoardGrid::CellHeight};
}

} // namespace chromatta
