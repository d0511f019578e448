#include "charsetdecoder.h"

#include <windows.h>

#include "codepages_win32.h"

namespace {

struct NamedCodePage {
    const char* name;  // upper case
    unsigned codePage;
};

// The charsets gettext knows that Windows has a code page for. EUC-KR is
// read as its superset 949 and GB2312 as 936; EUC-JP is 20932, the one
// EUC-JP code page that MultiByteToWideChar converts (51932 needs MLang).
const NamedCodePage kCodePages[] = {
    {"ISO-8859-1", 28591},  {"ISO_8859-1", 28591},  {"LATIN1", 28591},      {"ISO-8859-2", 28592},
    {"ISO_8859-2", 28592},  {"LATIN2", 28592},      {"ISO-8859-3", 28593},  {"ISO_8859-3", 28593},
    {"ISO-8859-4", 28594},  {"ISO_8859-4", 28594},  {"ISO-8859-5", 28595},  {"ISO_8859-5", 28595},
    {"ISO-8859-6", 28596},  {"ISO_8859-6", 28596},  {"ISO-8859-7", 28597},  {"ISO_8859-7", 28597},
    {"ISO-8859-8", 28598},  {"ISO_8859-8", 28598},  {"ISO-8859-9", 28599},  {"ISO_8859-9", 28599},
    {"ISO-8859-13", 28603}, {"ISO_8859-13", 28603}, {"ISO-8859-15", 28605}, {"ISO_8859-15", 28605},
    {"KOI8-R", 20866},      {"KOI8-U", 21866},      {"CP437", 437},         {"CP850", 850},
    {"CP852", 852},         {"CP866", 866},         {"CP874", 874},         {"TIS-620", 874},
    {"CP1250", 1250},       {"WINDOWS-1250", 1250}, {"CP1251", 1251},       {"WINDOWS-1251", 1251},
    {"CP1252", 1252},       {"WINDOWS-1252", 1252}, {"CP1253", 1253},       {"WINDOWS-1253", 1253},
    {"CP1254", 1254},       {"WINDOWS-1254", 1254}, {"CP1255", 1255},       {"WINDOWS-1255", 1255},
    {"CP1256", 1256},       {"WINDOWS-1256", 1256}, {"CP1257", 1257},       {"WINDOWS-1257", 1257},
    {"CP1258", 1258},       {"WINDOWS-1258", 1258}, {"SHIFT_JIS", 932},     {"SHIFT-JIS", 932},
    {"SJIS", 932},          {"CP932", 932},         {"EUC-JP", 20932},      {"EUCJP", 20932},
    {"GB2312", 936},        {"GBK", 936},           {"CP936", 936},         {"GB18030", 54936},
    {"EUC-KR", 949},        {"EUCKR", 949},         {"CP949", 949},         {"UHC", 949},
    {"JOHAB", 1361},        {"BIG5", 950},          {"BIG-5", 950},         {"CP950", 950},
};

unsigned CodePageOf(const std::string& charset) {
    std::string upper = charset;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    for (const NamedCodePage& known : kCodePages) {
        if (upper == known.name) {
            return IsValidCodePage(known.codePage) ? known.codePage : 0;
        }
    }
    return 0;
}

}  // namespace

CharsetDecoder::CharsetDecoder(const std::string& charset) : codePage_(CodePageOf(charset)) {}

CharsetDecoder::operator bool() const { return codePage_ != 0; }

bool CharsetDecoder::toUtf8(const std::string& bytes, std::string& utf8) {
    std::string out;
    if (codePage_ == 0 || !RecodeText(bytes, codePage_, CP_UTF8, out)) {
        return false;
    }
    utf8 = std::move(out);
    return true;
}
