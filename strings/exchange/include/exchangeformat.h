// The exchange files of string tables: CSV, JSON and gettext PO, read and
// written whole. Every function reports by its result and none throws; a
// failure to get memory is reported as "out of memory".
#pragma once

#include <string>

#include "exchangerow.h"

enum class ExchangeFormat { Csv, Json, Po };

// By extension, letter case ignored: .csv, .json, .po or .pot. False for any
// other name.
bool FormatFromFileName(const std::string& fileName, ExchangeFormat& format);

// Where a PO entry's name comes from: its msgctxt (as dattool writes it), or
// its msgid (for catalogues of programs, whose entries mostly have no msgctxt).
enum class PoNames { FromContext, FromMsgid };

struct ExchangeReadOptions {
    PoNames poNames = PoNames::FromContext;
};

// Reads the rows of a whole file. False, with `error` naming the line ("line
// 3: ..."), for a file that is not of the format or not of the shape of an
// exchange file; `file` is left as it was then.
//
// - CSV: UTF-8 (a byte order mark is skipped) or UTF-16 with its byte order
//   mark; fields separated by the first comma, semicolon or tab of the header
//   line; the header names the columns "name" and "text" and perhaps "source"
//   (any order, any letter case; other columns are ignored).
// - JSON: an array of objects with string members "name" and "text" and
//   perhaps "source" (other members are ignored); a member repeated in any
//   object is refused.
// - PO: gettext's syntax as its own tools read it, in the charset the header
//   declares (converted by the system: iconv on POSIX, the code page on
//   Windows; a charset it cannot convert is refused by name). The text is the
//   msgstr, the source the msgid; a "\n" becomes CR LF, the table's line break.
//   Entries flagged fuzzy, and those with an empty msgstr for a msgid that is
//   not empty, are marked so; plural entries and entries without the name's
//   field are refused.
// Rows of a file with sources whose text is empty and source is not are
// untranslated.
bool ReadExchangeFile(ExchangeFormat format, const std::string& content, const ExchangeReadOptions& options,
                      ExchangeFile& file, std::string& error);

// What the header of a PO file says beyond the constants (UTF-8, 8bit).
struct PoHeader {
    std::string projectId;    // Project-Id-Version
    std::string language;     // Language; empty in a template
    std::string generator;    // X-Generator
    std::string date;         // "YYYY-MM-DD HH:MM+0000": POT-Creation-Date, and PO-Revision-Date of a translation
    bool isTemplate = false;  // the placeholders of a .pot for the translator's fields, flagged fuzzy
};

struct ExchangeWriteOptions {
    bool byteOrderMark = false;  // CSV only: starts the file with UTF-8's byte order mark
    PoHeader header;
};

// The whole file. A file without sources has the columns (members) name and
// text, and a PO entry with msgid = msgstr = the text; with sources, name,
// source and text, and msgid = the source. In PO the table's CR LF is
// written as "\n" (a lone CR or LF as "\r" or "\n", which do not come back as
// they were: export refuses them first), and fuzzy rows are flagged. False
// only when memory runs out.
bool WriteExchangeFile(ExchangeFormat format, const ExchangeFile& file, const ExchangeWriteOptions& options,
                       std::string& content);
