#include "toolkit.h"

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
        return {705, 720};
    }
    return {705, 720};
}

} // namespace chromatta
