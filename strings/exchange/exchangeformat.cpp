#include "exchangeformat.h"

#include <new>

#include "csvformat.h"
#include "jsonformat.h"
#include "poformat.h"

namespace {

bool HasExtension(const std::string& fileName, const std::string& extension) {
    if (fileName.size() <= extension.size()) {
        return false;
    }
    const std::size_t start = fileName.size() - extension.size();
    for (std::size_t i = 0; i < extension.size(); ++i) {
        char c = fileName[start + i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != extension[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool FormatFromFileName(const std::string& fileName, ExchangeFormat& format) {
    if (HasExtension(fileName, ".csv")) {
        format = ExchangeFormat::Csv;
    } else if (HasExtension(fileName, ".json")) {
        format = ExchangeFormat::Json;
    } else if (HasExtension(fileName, ".po") || HasExtension(fileName, ".pot")) {
        format = ExchangeFormat::Po;
    } else {
        return false;
    }
    return true;
}

bool ReadExchangeFile(ExchangeFormat format, const std::string& content, const ExchangeReadOptions& options,
                      ExchangeFile& file, std::string& error) {
    try {
        switch (format) {
        case ExchangeFormat::Csv: return ReadCsv(content, file, error);
        case ExchangeFormat::Json: return ReadJson(content, file, error);
        case ExchangeFormat::Po: return ReadPo(content, options.poNames, file, error);
        }
    } catch (const std::bad_alloc&) {
    }
    error = "out of memory";
    return false;
}

bool WriteExchangeFile(ExchangeFormat format, const ExchangeFile& file, const ExchangeWriteOptions& options,
                       std::string& content) {
    try {
        switch (format) {
        case ExchangeFormat::Csv: content = WriteCsv(file, options.byteOrderMark); return true;
        case ExchangeFormat::Json: content = WriteJson(file); return true;
        case ExchangeFormat::Po: content = WritePo(file, options.header); return true;
        }
    } catch (const std::bad_alloc&) {
    }
    return false;
}
