// The label texts as the rules last wrote them, and whole numbers written without the heap.
#pragma once

#include "toolkit.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace chromatta {

// A whole number in decimal, formatted without touching the heap.
class NumberText
{
public:
    explicit NumberText(std::int64_t number);
    std::string_view view() const { return {digits_.data(), length_}; }

private:
    std::array<char, 20> digits_ {}; // "-9223372036854775808" is the longest
    std::size_t length_ = 0;
};

// What each label shows, starting from the window's design texts. Every write is handed on to
// the toolkit so that the window shows it. The texts are written from the game's record and
// never read back by the rules: they are kept only to tell whether a handler changed a label
// (changes()) and for whoever looks at the labels from outside (the harness, the tests).
class Captions
{
public:
    explicit Captions(Toolkit &toolkit);

    void set(Label label, std::string_view text);
    void setNumber(Label label, std::int64_t number);
    const std::string &read(Label label) const { return texts_[static_cast<int>(label)]; }

    static std::string designText(Label label);

    // How many writes so far gave a caption a text it did not already show: a handler that
    // leaves this number as it found it changed no caption.
    std::uint64_t changes() const { return changes_; }

private:
    Toolkit &toolkit_;
    std::array<std::string, LabelCount> texts_;
    std::uint64_t changes_ = 0;
};

} // namespace chromatta
