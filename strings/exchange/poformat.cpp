#include "poformat.h"

#include <cctype>

#include "toolerror.h"

namespace {

const char kHeader[] =
    "msgid \"\"\n"
    "msgstr \"\"\n"
    "\"MIME-Version: 1.0\\n\"\n"
    "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
    "\"Content-Transfer-Encoding: 8bit\\n\"\n";

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                const unsigned value = static_cast<unsigned char>(c);
                out += '\\';
                out += static_cast<char>('0' + (value >> 6));
                out += static_cast<char>('0' + ((value >> 3) & 7));
                out += static_cast<char>('0' + (value & 7));
            } else {
                out += c;
            }
        }
    }
    return out;
}

// A text with line breaks goes on several lines, each ending after a "\n",
// as gettext's own tools write it.
void AppendKeyword(std::string& out, const char* keyword, const std::string& text) {
    out += keyword;
    const std::size_t firstBreak = text.find('\n');
    if (firstBreak == std::string::npos || firstBreak + 1 == text.size()) {
        out += " \"" + Escaped(text) + "\"\n";
        return;
    }
    out += " \"\"\n";
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t lineBreak = text.find('\n', start);
        const std::size_t end = lineBreak == std::string::npos ? text.size() : lineBreak + 1;
        out += "\"" + Escaped(text.substr(start, end - start)) + "\"\n";
        start = end;
    }
}

enum class Field { None, Context, Id, Str };

struct PoEntry {
    bool hasContext = false;
    bool hasId = false;
    bool hasStr = false;
    std::string context;
    std::string id;
    std::string str;
    std::size_t line = 0;
};

class PoReader {
public:
    PoReader(const std::string& content, const std::string& fileName) : content_(content), fileName_(fileName) {}

    ExchangeRows Read() {
        std::size_t at = content_.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
        while (at < content_.size()) {
            std::size_t end = content_.find('\n', at);
            if (end == std::string::npos) {
                end = content_.size();
            }
            std::string line = content_.substr(at, end - at);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            ++lineNumber_;
            ReadLine(line);
            at = end + 1;
        }
        FinishEntry();
        return std::move(rows_);
    }

private:
    [[noreturn]] void Fail(const std::string& problem) const {
        throw ToolError(fileName_, "line " + std::to_string(lineNumber_) + ": " + problem);
    }

    static std::string Trimmed(const std::string& text) {
        const std::size_t first = text.find_first_not_of(" \t");
        if (first == std::string::npos) {
            return std::string();
        }
        return text.substr(first, text.find_last_not_of(" \t") - first + 1);
    }

    void ReadLine(const std::string& raw) {
        const std::string line = Trimmed(raw);
        if (line.empty() || line[0] == '#') {
            return;
        }
        if (line[0] == '"') {
            if (field_ == Field::None) {
                Fail("a string outside any msgctxt, msgid or msgstr");
            }
            CurrentField() += Unquoted(line);
            return;
        }
        const std::size_t space = line.find_first_of(" \t");
        const std::string keyword = line.substr(0, space);
        const std::string rest = space == std::string::npos ? std::string() : Trimmed(line.substr(space));
        if (keyword == "msgctxt") {
            StartField(Field::Context, entry_.hasContext, rest);
        } else if (keyword == "msgid") {
            StartField(Field::Id, entry_.hasId, rest);
        } else if (keyword == "msgstr") {
            StartField(Field::Str, entry_.hasStr, rest);
        } else if (keyword == "msgid_plural" || keyword.compare(0, 7, "msgstr[") == 0) {
            Fail("plural forms are not supported");
        } else {
            Fail("unknown keyword " + keyword);
        }
    }

    void StartField(Field field, bool& seen, const std::string& rest) {
        // A msgctxt or msgid after a msgstr begins the next entry.
        if (entry_.hasStr && field != Field::Str) {
            FinishEntry();
        }
        if (seen || (field == Field::Id && entry_.hasStr) || (field == Field::Context && entry_.hasId)) {
            Fail("keywords out of order: an entry is msgctxt, msgid, msgstr");
        }
        if (field == Field::Str && !entry_.hasId) {
            Fail("msgstr without msgid");
        }
        if (!entry_.hasContext && !entry_.hasId) {
            entry_.line = lineNumber_;
        }
        seen = true;
        field_ = field;
        CurrentField() = Unquoted(rest);
    }

    std::string& CurrentField() {
        return field_ == Field::Context ? entry_.context : field_ == Field::Id ? entry_.id : entry_.str;
    }

    void FinishEntry() {
        if (!entry_.hasContext && !entry_.hasId && !entry_.hasStr) {
            return;
        }
        if (!entry_.hasStr) {
            Fail("the entry of line " + std::to_string(entry_.line) + " has no msgstr");
        }
        if (!entry_.hasContext && entry_.id.empty()) {
            CheckHeader(entry_.str);
        } else {
            const std::string where = RowPlace(rows_.size() + 1, entry_.line);
            if (!entry_.hasContext) {
                throw ToolError(fileName_, where + ": no msgctxt, which holds the entry's name");
            }
            rows_.push_back(ExchangeRow{entry_.context, entry_.str.empty() ? entry_.id : entry_.str, where});
        }
        entry_ = PoEntry();
        field_ = Field::None;
    }

    void CheckHeader(const std::string& header) {
        std::string lowered;
        for (char c : header) {
            lowered += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        const std::size_t charset = lowered.find("charset=");
        if (charset == std::string::npos) {
            return;
        }
        const std::size_t start = charset + 8;
        const std::string name = lowered.substr(start, lowered.find_first_of(" ;\n", start) - start);
        if (name != "utf-8" && name != "utf8") {
            throw ToolError(fileName_, "the header declares charset " + name + "; only UTF-8 is read");
        }
    }

    // The contents of a C-like quoted string, escapes resolved.
    std::string Unquoted(const std::string& quoted) const {
        if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') {
            Fail("expected a string in double quotes");
        }
        std::string out;
        for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
            char c = quoted[i];
            if (c == '"') {
                Fail("an unescaped quote inside a string");
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (++i + 1 >= quoted.size()) {
                Fail("a string ends in a backslash");
            }
            c = quoted[i];
            switch (c) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'a': out += '\a'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'v': out += '\v'; break;
            case '\\':
            case '"':
            case '\'':
            case '?': out += c; break;
            default:
                if (c >= '0' && c <= '7') {
                    unsigned value = 0;
                    for (int digits = 0; digits < 3 && i + 1 < quoted.size() && quoted[i] >= '0' && quoted[i] <= '7';
                         ++digits, ++i) {
                        value = value * 8 + unsigned(quoted[i] - '0');
                    }
                    --i;
                    if (value > 0xFF) {
                        Fail("an octal escape above \\377");
                    }
                    out += static_cast<char>(value);
                } else {
                    Fail(std::string("unknown escape \\") + c);
                }
            }
        }
        return out;
    }

    const std::string& content_;
    const std::string& fileName_;
    std::size_t lineNumber_ = 0;
    Field field_ = Field::None;
    PoEntry entry_;
    ExchangeRows rows_;
};

}  // namespace

std::string WritePo(const ExchangeRows& rows) {
    std::string out = kHeader;
    for (const ExchangeRow& row : rows) {
        out += '\n';
        AppendKeyword(out, "msgctxt", row.name);
        AppendKeyword(out, "msgid", row.text);
        AppendKeyword(out, "msgstr", row.text);
    }
    return out;
}

ExchangeRows ReadPo(const std::string& content, const std::string& fileName) {
    return PoReader(content, fileName).Read();
}
