// The design sizes of the picture holders.
#include "toolkit.h"

#include "board_geometry.h"

namespace chromatta {

TwipSize designHolderSize(Holder holder)
{
    switch (holder) {
    case Holder::y:
    case Holder::r:
    case Holder::yh:
    case Holder::rh:
        return {735, 705};
    case Holder::g:
    case Holder::gh:
        return {735, 720};
    case Holder::b:
    case Holder::bh:
        break;
    }
    return {BoardGrid::CellWidth, BoardGrid::CellHeight};
}

} // namespace chromatta
