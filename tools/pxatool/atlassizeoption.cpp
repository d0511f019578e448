#include "atlassizeoption.h"

#include <cstdint>

namespace {

bool ParsePositive(const std::string& digits, std::int32_t& value) {
    if (digits.empty() || digits.size() > 10) {
        return false;
    }
    std::int64_t number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return false;
        }
        number = number * 10 + (c - '0');
    }
    if (number <= 0 || number > INT32_MAX) {
        return false;
    }
    value = static_cast<std::int32_t>(number);
    return true;
}

}  // namespace

std::string ParseAtlasSize(const std::string& text, AtlasSize& size) {
    const std::string::size_type cross = text.find_first_of("xX");
    AtlasSize parsed;
    if (cross == std::string::npos || !ParsePositive(text.substr(0, cross), parsed.width) ||
        !ParsePositive(text.substr(cross + 1), parsed.height)) {
        return "the size must be WIDTHxHEIGHT in pixels, such as 512x256, not " + text;
    }
    size = parsed;
    return std::string();
}
