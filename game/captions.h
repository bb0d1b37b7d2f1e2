#pragma once

#include "toolkit.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace chromatta {

// The label texts are game state: this table keeps them, starting from the window's design texts,
// and hands every write on to the toolkit so that the window shows it.
class Captions
{
public:
    explicit Captions(Toolkit &toolkit);

    void set(Label label, std::string_view text);
    void setNumber(Label label, std::int64_t number);
    const std::string &read(Label label) const { return texts_[static_cast<int>(label)]; }

    // A caption read back as a whole number. The game only ever writes decimal digits into the
    // captions it reads; anything else reads as 0, as an empty label would.
    std::int64_t readNumber(Label label) const;

    static std::string designText(Label label);

private:
    Toolkit &toolkit_;
    std::array<std::string, LabelCount> texts_;
};

} // namespace chromatta
