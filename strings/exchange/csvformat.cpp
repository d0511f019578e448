#include "csvformat.h"

#include <cctype>

#include "csvfield.h"
#include "toolerror.h"

namespace {

struct CsvRecord {
    std::vector<std::string> fields;
    std::size_t line = 0;  // where the record starts
};

// Splits the content into records, following quotes across line ends.
class CsvReader {
public:
    CsvReader(const std::string& content, const std::string& fileName) : content_(content), fileName_(fileName) {
        if (content_.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            at_ = 3;
        }
    }

    bool Next(CsvRecord& record) {
        if (at_ >= content_.size()) {
            return false;
        }
        record.fields.clear();
        record.line = line_;
        for (;;) {
            record.fields.push_back(NextField());
            if (at_ >= content_.size()) {
                return true;
            }
            const char separator = content_[at_++];
            if (separator == ',') {
                continue;
            }
            EndLine(separator);
            return true;
        }
    }

private:
    // Moves past a line end that starts with `c` (CR LF, LF or CR alone).
    void EndLine(char c) {
        if (c == '\r' && at_ < content_.size() && content_[at_] == '\n') {
            ++at_;
        }
        ++line_;
    }

    std::string NextField() {
        if (at_ < content_.size() && content_[at_] == '"') {
            return QuotedField();
        }
        const std::size_t start = at_;
        at_ = content_.find_first_of(",\r\n\"", at_);
        if (at_ == std::string::npos) {
            at_ = content_.size();
        } else if (content_[at_] == '"') {
            throw ToolError(fileName_, "line " + std::to_string(line_) + ": a quote inside an unquoted field");
        }
        return content_.substr(start, at_ - start);
    }

    std::string QuotedField() {
        const std::size_t startLine = line_;
        std::string field;
        for (++at_; at_ < content_.size(); ++at_) {
            const char c = content_[at_];
            if (c == '"') {
                if (at_ + 1 < content_.size() && content_[at_ + 1] == '"') {
                    field += '"';
                    ++at_;
                    continue;
                }
                ++at_;
                if (at_ < content_.size() && content_.find_first_of(",\r\n", at_) != at_) {
                    throw ToolError(fileName_, "line " + std::to_string(line_) +
                                                   ": only a comma or a line end may follow a closing quote");
                }
                return field;
            }
            if (c == '\n' || (c == '\r' && (at_ + 1 >= content_.size() || content_[at_ + 1] != '\n'))) {
                ++line_;
            }
            field += c;
        }
        throw ToolError(fileName_, "line " + std::to_string(startLine) + ": a quoted field is not closed");
    }

    const std::string& content_;
    const std::string& fileName_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
};

std::string Lowered(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool IsEmptyLine(const CsvRecord& record) { return record.fields.size() == 1 && record.fields[0].empty(); }

}  // namespace

std::string WriteCsv(const ExchangeRows& rows) {
    std::string out = "name,text\r\n";
    for (const ExchangeRow& row : rows) {
        AppendCsvField(out, row.name);
        out += ',';
        AppendCsvField(out, row.text);
        out += "\r\n";
    }
    return out;
}

ExchangeRows ReadCsv(const std::string& content, const std::string& fileName) {
    CsvReader reader(content, fileName);
    CsvRecord header;
    if (!reader.Next(header)) {
        throw ToolError(fileName, "no header: the first line must be name,text");
    }
    std::size_t nameColumn = header.fields.size();
    std::size_t textColumn = header.fields.size();
    for (std::size_t column = 0; column < header.fields.size(); ++column) {
        const std::string title = Lowered(header.fields[column]);
        if (title == "name" && nameColumn == header.fields.size()) {
            nameColumn = column;
        } else if (title == "text" && textColumn == header.fields.size()) {
            textColumn = column;
        }
    }
    if (nameColumn == header.fields.size() || textColumn == header.fields.size()) {
        throw ToolError(fileName, "line 1: the header needs the columns name and text");
    }
    ExchangeRows rows;
    CsvRecord record;
    while (reader.Next(record)) {
        if (IsEmptyLine(record)) {
            continue;
        }
        const std::string where = RowPlace(rows.size() + 1, record.line);
        if (record.fields.size() != header.fields.size()) {
            throw ToolError(fileName, where + ": " + std::to_string(record.fields.size()) +
                                          " fields where the header has " + std::to_string(header.fields.size()));
        }
        rows.push_back(ExchangeRow{record.fields[nameColumn], record.fields[textColumn], where});
    }
    return rows;
}
