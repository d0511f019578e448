#include "csvformat.h"

#include "csvfield.h"
#include "encoding.h"
#include "textinput.h"

namespace {

struct CsvRecord {
    std::vector<std::string> fields;
    std::size_t line = 0;  // where the record starts
};

std::size_t FirstLoneSurrogate(const std::u16string& units) {
    for (std::size_t i = 0; i < units.size(); ++i) {
        const bool high = units[i] >= 0xD800 && units[i] <= 0xDBFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            ++i;
        } else if (high || (units[i] >= 0xDC00 && units[i] <= 0xDFFF)) {
            return i;
        }
    }
    return units.size();
}

// The content as UTF-8, whatever of the accepted encodings it came in: UTF-8
// stays where it is (from `start` on), UTF-16 is converted into `converted`.
bool DecodeCsv(const std::string& content, std::string& converted, const std::string*& utf8, std::size_t& start,
               std::string& error) {
    const bool littleEndian = content.compare(0, 2, "\xFF\xFE") == 0;
    if (!littleEndian && content.compare(0, 2, "\xFE\xFF") != 0) {
        utf8 = &content;
        start = SkipUtf8ByteOrderMark(content);
        return CheckUtf8(content, start, error);
    }
    utf8 = &converted;
    start = 0;
    std::u16string units;
    units.reserve(content.size() / 2);
    for (std::size_t at = 2; at + 1 < content.size(); at += 2) {
        const unsigned char first = static_cast<unsigned char>(content[at]);
        const unsigned char second = static_cast<unsigned char>(content[at + 1]);
        units += static_cast<char16_t>(littleEndian ? first | second << 8 : first << 8 | second);
    }
    const char* const name = littleEndian ? "UTF-16LE" : "UTF-16BE";
    if (content.size() % 2 != 0) {
        error = std::string("not valid ") + name + ": an odd number of bytes";
        return false;
    }
    if (!Utf16ToUtf8(units, converted)) {
        error = std::string("not valid ") + name + ": a surrogate without its partner at byte offset " +
                std::to_string(2 + 2 * FirstLoneSurrogate(units));
        return false;
    }
    return true;
}

// The separator: the first comma, semicolon or tab of the header line that
// is not inside quotes; a comma when there is none.
char SeparatorOf(const std::string& content, std::size_t start) {
    bool quoted = false;
    for (std::size_t i = start; i < content.size(); ++i) {
        const char c = content[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == ',' || c == ';' || c == '\t')) {
            return c;
        } else if (!quoted && (c == '\r' || c == '\n')) {
            break;
        }
    }
    return ',';
}

// Splits the content into records, following quotes across line ends.
class CsvReader {
public:
    CsvReader(const std::string& content, std::size_t start)
        : content_(content), separator_(SeparatorOf(content, start)), at_(start) {}

    // False at the end, and for a malformed record (with error() set).
    bool Next(CsvRecord& record) {
        if (at_ >= content_.size()) {
            return false;
        }
        record.fields.clear();
        record.line = line_;
        for (;;) {
            std::string field;
            if (!NextField(field)) {
                return false;
            }
            record.fields.push_back(std::move(field));
            if (at_ >= content_.size()) {
                return true;
            }
            const char separator = content_[at_++];
            if (separator == separator_) {
                continue;
            }
            EndLine(separator);
            return true;
        }
    }

    const std::string& error() const { return error_; }

private:
    bool Fail(std::size_t line, const std::string& problem) {
        error_ = "line " + std::to_string(line) + ": " + problem;
        return false;
    }

    // Moves past a line end that starts with `c` (CR LF, LF or CR alone).
    void EndLine(char c) {
        if (c == '\r' && at_ < content_.size() && content_[at_] == '\n') {
            ++at_;
        }
        ++line_;
    }

    bool NextField(std::string& field) {
        if (at_ < content_.size() && content_[at_] == '"') {
            return QuotedField(field);
        }
        const std::size_t start = at_;
        const char ends[] = {separator_, '\r', '\n', '"', '\0'};
        at_ = content_.find_first_of(ends, at_);
        if (at_ == std::string::npos) {
            at_ = content_.size();
        } else if (content_[at_] == '"') {
            return Fail(line_, "a quote inside an unquoted field");
        }
        field = content_.substr(start, at_ - start);
        return true;
    }

    bool QuotedField(std::string& field) {
        const std::size_t startLine = line_;
        for (++at_; at_ < content_.size(); ++at_) {
            const char c = content_[at_];
            if (c == '"') {
                if (at_ + 1 < content_.size() && content_[at_ + 1] == '"') {
                    field += '"';
                    ++at_;
                    continue;
                }
                ++at_;
                if (at_ < content_.size() && content_[at_] != separator_ && content_[at_] != '\r' &&
                    content_[at_] != '\n') {
                    return Fail(line_,
                                std::string("only ") + SeparatorName() + " or a line end may follow a closing quote");
                }
                return true;
            }
            if (c == '\n' || (c == '\r' && (at_ + 1 >= content_.size() || content_[at_ + 1] != '\n'))) {
                ++line_;
            }
            field += c;
        }
        return Fail(startLine, "a quoted field is not closed");
    }

    const char* SeparatorName() const {
        return separator_ == ',' ? "a comma" : separator_ == ';' ? "a semicolon" : "a tab";
    }

    const std::string& content_;
    const char separator_;
    std::size_t at_;
    std::size_t line_ = 1;
    std::string error_;
};

std::string Lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

bool IsEmptyLine(const CsvRecord& record) { return record.fields.size() == 1 && record.fields[0].empty(); }

// The header's titles for a message, quoted and short.
std::string TitlesFound(const CsvRecord& header) {
    std::string titles;
    for (const std::string& title : header.fields) {
        titles += (titles.empty() ? "\"" : ", \"") + title.substr(0, 40) + "\"";
    }
    return titles;
}

}  // namespace

std::string WriteCsv(const ExchangeFile& file, bool byteOrderMark) {
    std::string out = byteOrderMark ? "\xEF\xBB\xBF" : "";
    out += file.withSource ? "name,source,text\r\n" : "name,text\r\n";
    for (const ExchangeRow& row : file.rows) {
        AppendCsvField(out, row.name);
        out += ',';
        if (file.withSource) {
            AppendCsvField(out, row.source);
            out += ',';
        }
        AppendCsvField(out, row.text);
        out += "\r\n";
    }
    return out;
}

bool ReadCsv(const std::string& content, ExchangeFile& file, std::string& error) {
    std::string converted;
    const std::string* utf8 = nullptr;
    std::size_t start = 0;
    if (!DecodeCsv(content, converted, utf8, start, error)) {
        return false;
    }
    CsvReader reader(*utf8, start);
    CsvRecord header;
    if (!reader.Next(header)) {
        error = reader.error().empty() ? "no header: the first line must be name,text" : reader.error();
        return false;
    }
    const std::size_t none = header.fields.size();
    std::size_t nameColumn = none;
    std::size_t sourceColumn = none;
    std::size_t textColumn = none;
    for (std::size_t column = 0; column < header.fields.size(); ++column) {
        const std::string title = Lowered(header.fields[column]);
        std::size_t& wanted = title == "name" ? nameColumn : title == "text" ? textColumn : sourceColumn;
        if ((title == "name" || title == "text" || title == "source") && wanted == none) {
            wanted = column;
        }
    }
    if (nameColumn == none || textColumn == none) {
        error =
            "line 1: the header needs the columns name and text, separated by commas, semicolons or tabs; it "
            "has " +
            TitlesFound(header);
        return false;
    }
    ExchangeFile read;
    read.withSource = sourceColumn != none;
    CsvRecord record;
    while (reader.Next(record)) {
        if (IsEmptyLine(record)) {
            continue;
        }
        const std::string where = RowPlace(read.rows.size() + 1, record.line);
        if (record.fields.size() != header.fields.size()) {
            error = where + ": " + std::to_string(record.fields.size()) + " fields where the header has " +
                    std::to_string(header.fields.size());
            return false;
        }
        ExchangeRow row{std::move(record.fields[nameColumn]),
                        read.withSource ? std::move(record.fields[sourceColumn]) : std::string(),
                        std::move(record.fields[textColumn]), RowState::Translated, where};
        if (row.text.empty() && !row.source.empty()) {
            row.state = RowState::Untranslated;
        }
        read.rows.push_back(std::move(row));
    }
    if (!reader.error().empty()) {
        error = reader.error();
        return false;
    }
    file = std::move(read);
    return true;
}
