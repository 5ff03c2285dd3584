#pragma once

// Plain states of the controls a window record is made of.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kw {

struct TextBox {
    std::string text;
    bool enabled = true;

    bool operator==(const TextBox&) const = default;
};

struct Button {
    std::string caption;
    bool enabled = true;

    bool operator==(const Button&) const = default;
};

// value: 0 unchecked, 1 checked, 2 grey.
struct CheckBox {
    std::string caption;
    int value = 0;
    bool enabled = true;

    bool operator==(const CheckBox&) const = default;
};

inline constexpr int kNoSelection = -1;

// Two option buttons of which at most one is selected (index 0 or 1, or kNoSelection).
struct OptionPair {
    std::array<std::string, 2> caption;
    int selected = kNoSelection;

    bool operator==(const OptionPair&) const = default;
};

struct ListBox {
    std::vector<std::string> items;
    int selected = kNoSelection;

    bool operator==(const ListBox&) const = default;
};

}  // namespace kw
