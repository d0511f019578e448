// The writing half of poformat.h.
#include "poformat.h"

namespace {

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

// The table's CR LF as PO's "\n".
std::string PoLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' || i + 1 >= text.size() || text[i + 1] != '\n') {
            out += text[i];
        }
    }
    return out;
}

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

// A header field's value on its one line.
std::string FieldValue(const std::string& value) {
    std::string out;
    for (const char c : value) {
        out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
    return Escaped(out);
}

void AppendField(std::string& out, const char* field, const std::string& value) {
    out += "\"";
    out += field;
    out += ": " + FieldValue(value) + "\\n\"\n";
}

void AppendHeader(std::string& out, const PoHeader& header) {
    const bool placeholders = header.isTemplate;
    if (placeholders) {
        out += "#, fuzzy\n";
    }
    out += "msgid \"\"\nmsgstr \"\"\n";
    AppendField(out, "Project-Id-Version", header.projectId);
    AppendField(out, "POT-Creation-Date", header.date);
    AppendField(out, "PO-Revision-Date", placeholders ? "YEAR-MO-DA HO:MI+ZONE" : header.date);
    AppendField(out, "Last-Translator", placeholders ? "FULL NAME <EMAIL@ADDRESS>" : "");
    AppendField(out, "Language-Team", placeholders ? "LANGUAGE <LL@li.org>" : "");
    AppendField(out, "Language", header.language);
    AppendField(out, "MIME-Version", "1.0");
    AppendField(out, "Content-Type", "text/plain; charset=UTF-8");
    AppendField(out, "Content-Transfer-Encoding", "8bit");
    AppendField(out, "X-Generator", header.generator);
}

}  // namespace

std::string WritePo(const ExchangeFile& file, const PoHeader& header) {
    std::string out;
    AppendHeader(out, header);
    for (const ExchangeRow& row : file.rows) {
        const std::string text = PoLineBreaks(row.text);
        out += '\n';
        if (row.state == RowState::Fuzzy) {
            out += "#, fuzzy\n";
        }
        AppendKeyword(out, "msgctxt", row.name);
        AppendKeyword(out, "msgid", file.withSource ? PoLineBreaks(row.source) : text);
        AppendKeyword(out, "msgstr", text);
    }
    return out;
}
