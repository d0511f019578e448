// The reading half of poformat.h: gettext's syntax as its msgfmt reads it.
// Whitespace, line ends included, only separates tokens; a keyword may touch
// its string (msgctxt"A"); "#" starts a comment up to the end of the line;
// strings next to each other are joined.
#include "poformat.h"

#include <cctype>
#include <memory>

#include "charsetdecoder.h"
#include "encoding.h"
#include "textinput.h"

namespace {

// How the bytes of a charset group into characters, as far as the lexer
// must know: in these charsets the second byte of a character may be a
// backslash or a quote, which must not be read as one.
enum class MultiByte {
    None,      // ASCII, UTF-8, EUC and single-byte charsets: no byte of a character looks like ASCII
    TwoByte,   // a byte 0x81-0xFE starts a two-byte character (Big5, GBK, UHC, Johab)
    ShiftJis,  // 0x81-0x9F and 0xE0-0xFC start a two-byte character
    Gb18030,   // as TwoByte, but a second byte 0x30-0x39 makes it four bytes long
};

enum class Encoding { Utf8, Ascii, System };

struct PoCharset {
    std::string name;  // as the header spells it
    Encoding encoding = Encoding::Utf8;
    MultiByte multiByte = MultiByte::None;
    std::unique_ptr<CharsetDecoder> decoder;  // for Encoding::System
};

std::string Lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

bool IsOneOf(const std::string& name, std::initializer_list<const char*> names) {
    for (const char* candidate : names) {
        if (name == candidate) {
            return true;
        }
    }
    return false;
}

MultiByte MultiByteOf(const std::string& lowered) {
    if (IsOneOf(lowered, {"shift_jis", "shift-jis", "sjis", "cp932", "windows-31j", "ms_kanji"})) {
        return MultiByte::ShiftJis;
    }
    if (lowered == "gb18030") {
        return MultiByte::Gb18030;
    }
    if (IsOneOf(lowered, {"big5", "big-5", "big5-hkscs", "big5hkscs", "cp950", "gbk", "cp936", "uhc", "cp949", "johab",
                          "cp1361"})) {
        return MultiByte::TwoByte;
    }
    return MultiByte::None;
}

// The bytes of the character that starts with `lead`, in the charset.
std::size_t CharacterLength(MultiByte multiByte, unsigned char lead, unsigned char next) {
    switch (multiByte) {
    case MultiByte::None: return 1;
    case MultiByte::TwoByte: return lead >= 0x81 && lead <= 0xFE ? 2 : 1;
    case MultiByte::ShiftJis: return (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
    case MultiByte::Gb18030: return lead >= 0x81 && lead <= 0xFE ? (next >= 0x30 && next <= 0x39 ? 4 : 2) : 1;
    }
    return 1;
}

// A PO file's "\n" as the table's CR LF; a CR LF stays as it is.
std::string TableLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            out += '\r';
        }
        out += text[i];
    }
    return out;
}

enum class Field { None, Context, Id, IdPlural, Str, StrPlural };

struct PoString {
    std::string bytes;  // in the file's charset, escapes resolved
    std::size_t line = 0;
};

struct PoEntry {
    bool hasContext = false;
    bool hasId = false;
    bool hasPlural = false;
    bool hasStr = false;
    bool fuzzy = false;
    PoString context;
    PoString id;
    PoString str;
    std::size_t line = 0;  // of its first keyword

    bool IsEmpty() const { return !hasContext && !hasId && !hasStr; }
};

class PoReader {
public:
    PoReader(const std::string& content, PoNames names) : content_(content), names_(names) {}

    bool Read(ExchangeFile& file) {
        file.withSource = true;
        at_ = SkipUtf8ByteOrderMark(content_);
        for (;;) {
            SkipSpace();
            if (at_ >= content_.size()) {
                return FinishEntry(file);
            }
            const char c = content_[at_];
            bool read = false;
            if (c == '#') {
                read = ReadComment(file);
            } else if (c == '"') {
                read = field_ != Field::None ? ReadString(CurrentField())
                                             : Fail(line_, "a string outside any msgctxt, msgid or msgstr");
            } else {
                read = ReadKeyword(file);
            }
            if (!read) {
                return false;
            }
        }
    }

    const std::string& error() const { return error_; }

private:
    bool Fail(std::size_t line, const std::string& problem) {
        error_ = "line " + std::to_string(line) + ": " + problem;
        return false;
    }

    bool FailRow(std::size_t row, std::size_t line, const std::string& problem) {
        error_ = RowPlace(row, line) + ": " + problem;
        return false;
    }

    char Peek() const { return at_ < content_.size() ? content_[at_] : '\0'; }

    // Moves past one character that may end a line (CR LF, CR or LF).
    void Advance() {
        const char c = content_[at_++];
        if (c == '\n' || (c == '\r' && Peek() != '\n')) {
            ++line_;
        }
    }

    void SkipSpace() {
        while (at_ < content_.size() && (content_[at_] == ' ' || content_[at_] == '\t' || content_[at_] == '\n' ||
                                         content_[at_] == '\r' || content_[at_] == '\f' || content_[at_] == '\v')) {
            Advance();
        }
    }

    std::string RestOfLine() {
        const std::size_t start = at_;
        while (at_ < content_.size() && content_[at_] != '\n' && content_[at_] != '\r') {
            ++at_;
        }
        return content_.substr(start, at_ - start);
    }

    // Comments belong to the entry after them; "#," holds its flags, and
    // "#~" lines are obsolete entries, which are not read.
    bool ReadComment(ExchangeFile& file) {
        if (entry_.hasStr && !FinishEntry(file)) {
            return false;
        }
        const std::string comment = RestOfLine();
        if (comment.compare(0, 2, "#~") == 0) {
            pendingFuzzy_ = false;  // the flags were the obsolete entry's
        }
        if (comment.compare(0, 2, "#,") != 0) {
            return true;
        }
        for (std::size_t start = 2; start < comment.size();) {
            std::size_t end = comment.find(',', start);
            if (end == std::string::npos) {
                end = comment.size();
            }
            const std::size_t first = comment.find_first_not_of(" \t", start);
            const std::size_t last = comment.find_last_not_of(" \t", end - 1);
            if (first < end && comment.compare(first, last + 1 - first, "fuzzy") == 0) {
                pendingFuzzy_ = true;
            }
            start = end + 1;
        }
        return true;
    }

    bool ReadKeyword(ExchangeFile& file) {
        const std::size_t start = at_;
        while (at_ < content_.size() && (std::isalnum(static_cast<unsigned char>(content_[at_])) ||
                                         content_[at_] == '_' || content_[at_] == '$')) {
            ++at_;
        }
        const std::string keyword = content_.substr(start, at_ - start);
        if (keyword.empty()) {
            return Fail(line_, "unexpected " + Shown(content_[at_]));
        }
        const std::size_t keywordLine = line_;
        bool indexed = false;
        if (keyword == "msgstr") {
            SkipSpace();
            if (Peek() == '[') {
                indexed = true;
                do {
                    Advance();
                } while (at_ < content_.size() && content_[at_] != ']' && content_[at_] != '\n');
                if (Peek() != ']') {
                    return Fail(line_, "msgstr[ is not closed by ]");
                }
                ++at_;
            }
        }
        bool started = false;
        if (keyword == "msgctxt") {
            started = StartField(file, Field::Context, keywordLine);
        } else if (keyword == "msgid") {
            started = StartField(file, Field::Id, keywordLine);
        } else if (keyword == "msgid_plural") {
            started = StartField(file, Field::IdPlural, keywordLine);
        } else if (keyword == "msgstr") {
            started = StartField(file, indexed ? Field::StrPlural : Field::Str, keywordLine);
        } else if (keyword == "domain") {
            return Fail(keywordLine, "domain directives are not supported: one file holds one table");
        } else {
            return Fail(keywordLine, "unknown keyword " + keyword);
        }
        if (!started) {
            return false;
        }
        SkipSpace();
        return Peek() == '"' ? ReadString(CurrentField()) : Fail(line_, "expected a string in double quotes");
    }

    bool StartField(ExchangeFile& file, Field field, std::size_t line) {
        // A msgctxt or msgid after a msgstr begins the next entry.
        if (entry_.hasStr && (field == Field::Context || field == Field::Id) && !FinishEntry(file)) {
            return false;
        }
        const bool inOrder = field == Field::Context    ? !entry_.hasContext && !entry_.hasId
                             : field == Field::Id       ? !entry_.hasId
                             : field == Field::IdPlural ? entry_.hasId && !entry_.hasPlural && !entry_.hasStr
                             : field == Field::Str      ? entry_.hasId && !entry_.hasPlural && !entry_.hasStr
                                                        : entry_.hasPlural;
        if (!inOrder) {
            return Fail(line, field == Field::Str && entry_.hasPlural ? "msgstr where msgid_plural needs msgstr[N]"
                              : field == Field::StrPlural             ? "msgstr[N] without msgid_plural"
                              : (field == Field::Str || field == Field::IdPlural) && !entry_.hasId
                                  ? "msgstr without msgid"
                                  : "keywords out of order: an entry is msgctxt, msgid, msgstr");
        }
        if (entry_.IsEmpty()) {
            entry_.line = line;
            entry_.fuzzy = pendingFuzzy_;
            pendingFuzzy_ = false;
        }
        field_ = field;
        switch (field) {
        case Field::Context: entry_.hasContext = true; break;
        case Field::Id: entry_.hasId = true; break;
        case Field::IdPlural: entry_.hasPlural = true; break;
        case Field::Str:
        case Field::StrPlural: entry_.hasStr = true; break;
        case Field::None: break;
        }
        CurrentField().line = line;
        return true;
    }

    PoString& CurrentField() {
        switch (field_) {
        case Field::Context: return entry_.context;
        case Field::Id: return entry_.id;
        case Field::Str: return entry_.str;
        default: return pluralForm_;  // plural entries are refused as a whole
        }
    }

    static std::string Shown(char c) {
        const unsigned char byte = static_cast<unsigned char>(c);
        return byte >= 0x21 && byte < 0x7F ? std::string("\"") + c + "\"" : ByteForMessage(byte);
    }

    // A string in double quotes, appended with its escapes resolved as
    // msgfmt resolves them: \n \t \b \r \f \v \a \\ \", one to three octal
    // digits, \x and any number of hexadecimal digits (both keep the value's
    // lowest byte, as msgfmt does).
    bool ReadString(PoString& into) {
        ++at_;
        for (;;) {
            if (at_ >= content_.size() || content_[at_] == '\n' || content_[at_] == '\r') {
                return Fail(line_, "a string is not closed before the end of the line");
            }
            const unsigned char c = static_cast<unsigned char>(content_[at_]);
            const std::size_t length =
                CharacterLength(charset_.multiByte, c, at_ + 1 < content_.size() ? content_[at_ + 1] : 0);
            if (length > 1) {
                into.bytes.append(content_, at_, length);
                at_ += length;
                continue;
            }
            ++at_;
            if (c == '"') {
                return true;
            }
            if (c != '\\') {
                into.bytes += static_cast<char>(c);
                continue;
            }
            if (!ReadEscape(into.bytes)) {
                return false;
            }
        }
    }

    bool ReadEscape(std::string& into) {
        const char c = Peek();
        const char* const simple = "n\nt\tb\br\rf\fv\va\a\\\\\"\"";
        for (const char* pair = simple; *pair != '\0'; pair += 2) {
            if (c == pair[0]) {
                into += pair[1];
                ++at_;
                return true;
            }
        }
        unsigned value = 0;
        const auto isHex = [](char digit) { return std::isxdigit(static_cast<unsigned char>(digit)) != 0; };
        if (c >= '0' && c <= '7') {
            for (int digits = 0; digits < 3 && Peek() >= '0' && Peek() <= '7'; ++digits, ++at_) {
                value = (value * 8 + unsigned(Peek() - '0')) & 0xFF;
            }
        } else if (c == 'x' && at_ + 1 < content_.size() && isHex(content_[at_ + 1])) {
            for (++at_; isHex(Peek()); ++at_) {
                const char digit = Peek();
                value = (value * 16 + unsigned(digit <= '9' ? digit - '0' : (digit | 0x20) - 'a' + 10)) & 0xFF;
            }
        } else {
            const bool printable = c >= 0x21 && c < 0x7F;
            return Fail(line_, "invalid escape \\" +
                                   (printable ? std::string(1, c) : ByteForMessage(static_cast<unsigned char>(c))));
        }
        into += static_cast<char>(value & 0xFF);
        return true;
    }

    // The header's charset, as it governs the entries after it.
    bool ReadHeader(const std::string& header, std::size_t line) {
        const std::string lowered = Lowered(header);
        const std::size_t contentType = lowered.find("content-type:");
        const std::size_t charset =
            contentType == std::string::npos ? std::string::npos : lowered.find("charset=", contentType);
        if (charset == std::string::npos || charset > lowered.find('\n', contentType)) {
            return true;
        }
        const std::size_t start = charset + 8;
        const std::size_t end = lowered.find_first_of(" \t;\r\n", start);
        const std::string name = header.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const std::string key = Lowered(name);
        PoCharset read;
        read.name = name;
        read.multiByte = MultiByteOf(key);
        if (key == "utf-8" || key == "utf8" || key == "charset") {
            // CHARSET is the placeholder of a template, whose text is ASCII or UTF-8.
            read.encoding = Encoding::Utf8;
        } else if (IsOneOf(key, {"ascii", "us-ascii", "ansi_x3.4-1968"})) {
            read.encoding = Encoding::Ascii;
        } else {
            read.encoding = Encoding::System;
            if (name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.:") ==
                    std::string::npos &&
                !name.empty()) {
                read.decoder = std::make_unique<CharsetDecoder>(name);
            }
            if (!read.decoder || !*read.decoder) {
                return Fail(line, "the header declares charset " + name + ", which this system cannot convert");
            }
        }
        charset_ = std::move(read);
        return true;
    }

    // The string as UTF-8, from the charset the header declared.
    bool Decoded(const PoString& string, std::string& utf8) {
        switch (charset_.encoding) {
        case Encoding::Utf8:
        case Encoding::Ascii: {
            const std::size_t bad = FirstInvalidUtf8(string.bytes);
            const bool ascii = charset_.encoding == Encoding::Ascii;
            std::size_t firstHigh = std::string::npos;
            for (std::size_t i = 0; ascii && i < string.bytes.size() && firstHigh == std::string::npos; ++i) {
                if (static_cast<unsigned char>(string.bytes[i]) >= 0x80) {
                    firstHigh = i;
                }
            }
            const std::size_t at = ascii ? firstHigh : bad;
            if (at != std::string::npos) {
                return Fail(string.line, std::string("not valid ") + (ascii ? "ASCII" : "UTF-8") + " (the byte " +
                                             ByteForMessage(static_cast<unsigned char>(string.bytes[at])) +
                                             " in a string of this line)");
            }
            utf8 = string.bytes;
            return true;
        }
        case Encoding::System:
            if (charset_.decoder->toUtf8(string.bytes, utf8)) {
                return true;
            }
            return Fail(string.line, "not valid " + charset_.name + " in a string of this line");
        }
        return false;
    }

    bool FinishEntry(ExchangeFile& file) {
        PoEntry entry = std::move(entry_);
        entry_ = PoEntry();
        field_ = Field::None;
        if (entry.IsEmpty()) {
            return true;
        }
        if (!entry.hasStr) {
            return Fail(entry.line, "the entry has no msgstr");
        }
        if (!entry.hasContext && entry.id.bytes.empty() && !entry.hasPlural) {
            if (headerSeen_) {
                return Fail(entry.line, "a second header entry (msgid \"\" without msgctxt)");
            }
            headerSeen_ = true;
            return ReadHeader(entry.str.bytes, entry.line);
        }
        const std::size_t row = file.rows.size() + 1;
        std::string context;
        std::string id;
        std::string str;
        if (!Decoded(entry.context, context) || !Decoded(entry.id, id) || !Decoded(entry.str, str)) {
            return false;
        }
        const std::string& name = names_ == PoNames::FromMsgid ? id : context;
        if (names_ == PoNames::FromContext && !entry.hasContext) {
            return FailRow(row, entry.line,
                           "no msgctxt, which holds the entry's name (names can be taken from the msgid instead)");
        }
        if (entry.hasPlural) {
            return FailRow(row, entry.line,
                           "\"" + name + "\" has plural forms (msgid_plural), which a table cannot hold");
        }
        ExchangeRow read{name, TableLineBreaks(id), TableLineBreaks(str), RowState::Translated,
                         RowPlace(row, entry.line)};
        if (entry.fuzzy) {
            read.state = RowState::Fuzzy;
        } else if (read.text.empty() && !read.source.empty()) {
            read.state = RowState::Untranslated;
        }
        file.rows.push_back(std::move(read));
        return true;
    }

    const std::string& content_;
    const PoNames names_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
    Field field_ = Field::None;
    PoEntry entry_;
    bool pendingFuzzy_ = false;
    bool headerSeen_ = false;
    PoCharset charset_;
    PoString pluralForm_;
    std::string error_;
};

}  // namespace

bool ReadPo(const std::string& content, PoNames names, ExchangeFile& file, std::string& error) {
    ExchangeFile read;
    PoReader reader(content, names);
    if (!reader.Read(read)) {
        error = reader.error();
        return false;
    }
    file = std::move(read);
    return true;
}
