#include "jsonformat.h"

#include <cstdio>
#include <set>

#include "encoding.h"
#include "textinput.h"

namespace {

constexpr int kDeepest = 512;  // nesting beyond this is refused, not followed down the stack

const char kShape[] = "the JSON must be an array of {\"name\": ..., \"text\": ...} objects";

void AppendJsonString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                out += escape;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void AppendMember(std::string& out, const char* name, const std::string& value, bool last) {
    out += "    \"";
    out += name;
    out += "\": ";
    AppendJsonString(out, value);
    out += last ? "\n" : ",\n";
}

void AppendUtf8(std::string& out, char32_t c) {
    std::string utf8;
    Utf16ToUtf8(c < 0x10000 ? std::u16string(1, static_cast<char16_t>(c))
                            : std::u16string{static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
                                             static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))},
                utf8);
    out += utf8;
}

// A reader of one document that keeps only the rows' strings.
class JsonReader {
public:
    JsonReader(const std::string& content, std::size_t start) : content_(content), at_(start) {}

    bool ReadRows(ExchangeFile& file) {
        SkipSpace();
        if (Peek() != '[') {
            return SkipValue(0) && SkipSpace() && AtEnd() && FailShape(kShape);
        }
        ++at_;
        SkipSpace();
        if (Peek() == ']') {
            ++at_;
            return SkipSpace() && AtEnd();
        }
        for (;;) {
            SkipSpace();
            if (!ReadRow(file)) {
                return false;
            }
            SkipSpace();
            if (Peek() == ',') {
                ++at_;
            } else if (Peek() == ']') {
                ++at_;
                return SkipSpace() && AtEnd();
            } else {
                return Fail(at_, "expected a comma or ] after an element of the array");
            }
        }
    }

    const std::string& error() const { return error_; }

private:
    char Peek() const { return at_ < content_.size() ? content_[at_] : '\0'; }

    bool SkipSpace() {
        while (at_ < content_.size() &&
               (content_[at_] == ' ' || content_[at_] == '\t' || content_[at_] == '\n' || content_[at_] == '\r')) {
            ++at_;
        }
        return true;
    }

    // The line of at_, counted on from the last row's: rows only move forward.
    std::size_t CurrentLine() {
        for (; scanned_ < at_; ++scanned_) {
            const char c = content_[scanned_];
            if (c == '\n' || (c == '\r' && (scanned_ + 1 >= content_.size() || content_[scanned_ + 1] != '\n'))) {
                ++line_;
            }
        }
        return line_;
    }

    // "line L, column C", columns counted in characters from 1.
    std::string Position(std::size_t offset) const {
        std::size_t line = 1;
        std::size_t column = 1;
        for (std::size_t i = 0; i < offset; ++i) {
            const char c = content_[i];
            if (c == '\n' || (c == '\r' && (i + 1 >= content_.size() || content_[i + 1] != '\n'))) {
                ++line;
                column = 1;
            } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && c != '\r') {
                ++column;
            }
        }
        return "line " + std::to_string(line) + ", column " + std::to_string(column);
    }

    bool Fail(std::size_t offset, const std::string& problem) {
        error_ = "not JSON: " + Position(offset) + ": " + problem;
        return false;
    }

    bool FailShape(const std::string& problem) {
        error_ = problem;
        return false;
    }

    bool AtEnd() { return at_ >= content_.size() || Fail(at_, "more after the end of the JSON value"); }

    bool ReadRow(ExchangeFile& file) {
        const std::string where = RowPlace(file.rows.size() + 1, CurrentLine());
        if (Peek() != '{') {
            return SkipValue(1) && FailShape(where + ": not an object");
        }
        ExchangeRow row;
        row.where = where;
        bool hasName = false;
        bool hasText = false;
        bool hasSource = false;
        const auto take = [&](const std::string& member, std::string& value) {
            if (member == "name") {
                row.name = std::move(value);
                return hasName = true;
            }
            if (member == "text") {
                row.text = std::move(value);
                return hasText = true;
            }
            if (member == "source") {
                row.source = std::move(value);
                return hasSource = true;
            }
            return false;
        };
        if (!ReadObject(1, where + ": ", take)) {
            return false;
        }
        for (const auto& [has, member] : {std::make_pair(hasName, "name"), std::make_pair(hasText, "text")}) {
            if (!has) {
                return FailShape(where + ": needs \"" + member + "\" as a string");
            }
        }
        if (hasSource) {
            file.withSource = true;
            if (row.text.empty() && !row.source.empty()) {
                row.state = RowState::Untranslated;
            }
        }
        file.rows.push_back(std::move(row));
        return true;
    }

    // Reads an object; `take(member, value)` is offered every member whose
    // value is a string and says whether it wanted it. The members "name",
    // "text" and "source" of a row must be strings.
    template <typename Take>
    bool ReadObject(int depth, const std::string& rowPrefix, Take take) {
        ++at_;
        std::set<std::string> members;
        SkipSpace();
        if (Peek() == '}') {
            ++at_;
            return true;
        }
        for (;;) {
            SkipSpace();
            const std::size_t memberAt = at_;
            std::string member;
            if (Peek() != '"') {
                return Fail(at_, "expected a member name in double quotes");
            }
            if (!ReadString(member)) {
                return false;
            }
            if (!members.insert(member).second) {
                return FailShape(rowPrefix + "the member \"" + member + "\" appears twice in one object (" +
                                 Position(memberAt) + ")");
            }
            SkipSpace();
            if (Peek() != ':') {
                return Fail(at_, "expected : after a member name");
            }
            ++at_;
            SkipSpace();
            const bool isRowMember = !rowPrefix.empty() && (member == "name" || member == "text" || member == "source");
            if (Peek() == '"') {
                std::string value;
                if (!ReadString(value)) {
                    return false;
                }
                if (isRowMember) {
                    take(member, value);
                }
            } else if (!SkipValue(depth + 1)) {
                return false;
            } else if (isRowMember) {
                return FailShape(rowPrefix + "needs \"" + member + "\" as a string");
            }
            SkipSpace();
            if (Peek() == ',') {
                ++at_;
            } else if (Peek() == '}') {
                ++at_;
                return true;
            } else {
                return Fail(at_, "expected a comma or } after a member");
            }
        }
    }

    bool SkipValue(int depth) {
        if (depth > kDeepest) {
            return Fail(at_, "nested more than " + std::to_string(kDeepest) + " deep");
        }
        SkipSpace();
        switch (Peek()) {
        case '{': return ReadObject(depth, std::string(), [](const std::string&, std::string&) { return false; });
        case '[': return SkipArray(depth);
        case '"': {
            std::string ignored;
            return ReadString(ignored);
        }
        case 't': return SkipWord("true");
        case 'f': return SkipWord("false");
        case 'n': return SkipWord("null");
        default: return SkipNumber();
        }
    }

    bool SkipArray(int depth) {
        ++at_;
        SkipSpace();
        if (Peek() == ']') {
            ++at_;
            return true;
        }
        for (;;) {
            if (!SkipValue(depth + 1)) {
                return false;
            }
            SkipSpace();
            if (Peek() == ',') {
                ++at_;
            } else if (Peek() == ']') {
                ++at_;
                return true;
            } else {
                return Fail(at_, "expected a comma or ] after an element of an array");
            }
        }
    }

    bool SkipWord(const char* word) {
        const std::string expected(word);
        if (content_.compare(at_, expected.size(), expected) != 0) {
            return Fail(at_, "expected a value");
        }
        at_ += expected.size();
        return true;
    }

    bool SkipDigits() {
        const std::size_t start = at_;
        while (Peek() >= '0' && Peek() <= '9') {
            ++at_;
        }
        return at_ > start || Fail(at_, at_ >= content_.size() ? "the file ends inside a value" : "expected a value");
    }

    bool SkipNumber() {
        if (Peek() == '-') {
            ++at_;
        }
        if (Peek() == '0') {
            ++at_;
        } else if (!SkipDigits()) {
            return false;
        }
        if (Peek() == '.') {
            ++at_;
            if (!SkipDigits()) {
                return false;
            }
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++at_;
            if (Peek() == '+' || Peek() == '-') {
                ++at_;
            }
            return SkipDigits();
        }
        return true;
    }

    bool ReadHex4(char32_t& value) {
        value = 0;
        for (int i = 0; i < 4; ++i, ++at_) {
            const char c = Peek();
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                return Fail(at_, "\\u needs four hexadecimal digits");
            }
            value = value * 16 + static_cast<char32_t>(digit);
        }
        return true;
    }

    bool ReadString(std::string& out) {
        const std::size_t start = at_++;
        for (;;) {
            if (at_ >= content_.size()) {
                return Fail(start, "a string is not closed");
            }
            const char c = content_[at_];
            if (c == '"') {
                ++at_;
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return Fail(at_, "a control character inside a string must be escaped");
            }
            if (c != '\\') {
                out += c;
                ++at_;
                continue;
            }
            const std::size_t escapeAt = at_++;
            switch (Peek()) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                ++at_;
                char32_t unit = 0;
                if (!ReadHex4(unit)) {
                    return false;
                }
                if (unit >= 0xD800 && unit <= 0xDBFF && content_.compare(at_, 2, "\\u") == 0) {
                    at_ += 2;
                    char32_t low = 0;
                    if (!ReadHex4(low)) {
                        return false;
                    }
                    if (low < 0xDC00 || low > 0xDFFF) {
                        return Fail(escapeAt, "a UTF-16 surrogate without its partner");
                    }
                    unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                } else if (unit >= 0xD800 && unit <= 0xDFFF) {
                    return Fail(escapeAt, "a UTF-16 surrogate without its partner");
                }
                AppendUtf8(out, unit);
                continue;
            }
            default: return Fail(escapeAt, "an unknown escape");
            }
            ++at_;
        }
    }

    const std::string& content_;
    std::size_t at_;
    std::size_t scanned_ = 0;  // CurrentLine has counted the lines up to here
    std::size_t line_ = 1;
    std::string error_;
};

}  // namespace

std::string WriteJson(const ExchangeFile& file) {
    if (file.rows.empty()) {
        return "[]\n";
    }
    std::string out = "[\n";
    for (std::size_t i = 0; i < file.rows.size(); ++i) {
        const ExchangeRow& row = file.rows[i];
        out += "  {\n";
        AppendMember(out, "name", row.name, false);
        if (file.withSource) {
            AppendMember(out, "source", row.source, false);
        }
        AppendMember(out, "text", row.text, true);
        out += i + 1 < file.rows.size() ? "  },\n" : "  }\n";
    }
    return out + "]\n";
}

bool ReadJson(const std::string& content, ExchangeFile& file, std::string& error) {
    const std::size_t start = SkipUtf8ByteOrderMark(content);
    if (!CheckUtf8(content, start, error)) {
        return false;
    }
    ExchangeFile read;
    JsonReader reader(content, start);
    if (!reader.ReadRows(read)) {
        error = reader.error();
        return false;
    }
    file = std::move(read);
    return true;
}
