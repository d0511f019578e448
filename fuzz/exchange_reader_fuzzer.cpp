// Reads the fuzzer's bytes as an exchange file (CSV, JSON or PO, by the first
// byte) with ReadExchangeFile. Whatever it accepts must come back row for row
// when written and read again, and import must judge its rows without
// failing; whatever it refuses must say why.
#include <cstddef>
#include <cstdint>
#include <string>

#include "exchangeformat.h"
#include "fuzzsupport.h"
#include "tableexchange.h"

namespace {

bool SameRows(const ExchangeFile& first, const ExchangeFile& second) {
    if (first.withSource != second.withSource || first.rows.size() != second.rows.size()) {
        return false;
    }
    for (std::size_t i = 0; i < first.rows.size(); ++i) {
        const ExchangeRow& a = first.rows[i];
        const ExchangeRow& b = second.rows[i];
        if (a.name != b.name || a.source != b.source || a.text != b.text || a.state != b.state) {
            return false;
        }
    }
    return true;
}

// A PO file writes the table's CR LF as "\n" and a lone CR as "\r", so a
// lone CR just before a CR LF does not come back as it was; export refuses
// texts with a lone CR first.
bool HasLoneCarriageReturn(const ExchangeFile& file) {
    for (const ExchangeRow& row : file.rows) {
        for (const std::string* text : {&row.source, &row.text}) {
            for (std::size_t i = 0; i < text->size(); ++i) {
                if ((*text)[i] == '\r' && (i + 1 == text->size() || (*text)[i + 1] != '\n')) {
                    return true;
                }
            }
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const ExchangeFormat format = static_cast<ExchangeFormat>(data[0] % 3);
    ExchangeReadOptions options;
    options.poNames = data[0] & 4 ? PoNames::FromMsgid : PoNames::FromContext;
    const std::string content(reinterpret_cast<const char*>(data) + 1, size - 1);

    ExchangeFile file;
    std::string error;
    if (!ReadExchangeFile(format, content, options, file, error)) {
        FUZZ_EXPECT(!error.empty());
        return 0;
    }
    ExchangeWriteOptions writeOptions;
    writeOptions.byteOrderMark = data[0] & 8;
    std::string written;
    FUZZ_EXPECT(WriteExchangeFile(format, file, writeOptions, written));
    // Names read from msgids come back from the msgctxt that the writer makes of them.
    ExchangeReadOptions again;
    ExchangeFile reread;
    FUZZ_EXPECT(ReadExchangeFile(format, written, again, reread, error));
    if (format != ExchangeFormat::Po || (options.poNames == PoNames::FromContext && !HasLoneCarriageReturn(file))) {
        FUZZ_EXPECT(SameRows(file, reread));
    }

    const ImportResult imported = ImportRows(file, nullptr);
    FUZZ_EXPECT(imported.refused.empty() == (imported.table != nullptr));
    return 0;
}
