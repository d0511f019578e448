// The text form of the settings both editors keep, written and read back here
// so that a damaged or foreign value is recognised and ignored rather than
// acted upon.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A main window's restored rectangle (in the coordinates the system keeps
// window placements in) and whether the window was maximised.
struct SavedPlacement {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool maximized = false;
};

// "left,top,right,bottom,maximised" in decimal, maximised 0 or 1.
std::string FormatPlacement(const SavedPlacement& placement);
// The placement, or nothing for any other text: a missing or extra field,
// anything but plain decimal numbers, an empty rectangle or one more than
// kMostPlacementExtent pixels wide or high.
std::optional<SavedPlacement> ParsePlacement(const std::string& text);
constexpr int kMostPlacementExtent = 100000;

// Decimal numbers separated by commas ("190,350").
std::string FormatIntegers(const std::vector<int>& values);
// Exactly `count` numbers each within [least, most], or nothing.
std::optional<std::vector<int>> ParseIntegers(const std::string& text, std::size_t count, int least, int most);

// A registry multi-string: each string ends in a zero and an empty string
// ends the list. A list cut short (without its final zeros) still gives the
// strings it holds.
std::vector<std::string> SplitMultiString(const std::string& bytes);
std::string JoinMultiString(const std::vector<std::string>& strings);
