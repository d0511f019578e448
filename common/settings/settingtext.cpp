#include "settingtext.h"

#include <climits>

namespace {

// A whole decimal number with an optional minus sign and nothing else.
std::optional<int> ParseInteger(const std::string& text) {
    std::size_t position = text.size() > 1 && text[0] == '-' ? 1 : 0;
    if (position == text.size()) {
        return std::nullopt;
    }
    long long value = 0;
    for (; position < text.size(); ++position) {
        const char c = text[position];
        if (c < '0' || c > '9' || value > INT_MAX) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    value = text[0] == '-' ? -value : value;
    if (value < INT_MIN || value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::vector<std::string> SplitAtCommas(const std::string& text) {
    std::vector<std::string> fields(1);
    for (char c : text) {
        if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

}  // namespace

std::string FormatPlacement(const SavedPlacement& placement) {
    return FormatIntegers({placement.left, placement.top, placement.right, placement.bottom, placement.maximized});
}

std::optional<SavedPlacement> ParsePlacement(const std::string& text) {
    const std::optional<std::vector<int>> fields = ParseIntegers(text, 5, INT_MIN, INT_MAX);
    if (!fields || (*fields)[4] < 0 || (*fields)[4] > 1) {
        return std::nullopt;
    }
    const std::vector<int>& v = *fields;
    const long long width = static_cast<long long>(v[2]) - v[0];
    const long long height = static_cast<long long>(v[3]) - v[1];
    if (width <= 0 || height <= 0 || width > kMostPlacementExtent || height > kMostPlacementExtent) {
        return std::nullopt;
    }
    return SavedPlacement{v[0], v[1], v[2], v[3], v[4] == 1};
}

std::string FormatIntegers(const std::vector<int>& values) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += (i == 0 ? "" : ",") + std::to_string(values[i]);
    }
    return text;
}

std::optional<std::vector<int>> ParseIntegers(const std::string& text, std::size_t count, int least, int most) {
    const std::vector<std::string> fields = SplitAtCommas(text);
    if (fields.size() != count) {
        return std::nullopt;
    }
    std::vector<int> values;
    for (const std::string& field : fields) {
        const std::optional<int> value = ParseInteger(field);
        if (!value || *value < least || *value > most) {
            return std::nullopt;
        }
        values.push_back(*value);
    }
    return values;
}

std::vector<std::string> SplitMultiString(const std::string& bytes) {
    std::vector<std::string> strings;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\0', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        if (end == start) {
            break;  // the empty string that ends the list
        }
        strings.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return strings;
}

std::string JoinMultiString(const std::vector<std::string>& strings) {
    std::string bytes;
    for (const std::string& s : strings) {
        bytes += s;
        bytes += '\0';
    }
    bytes += '\0';
    return bytes;
}
