#include "exchangeformat.h"

#include <cctype>

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
        if (std::tolower(static_cast<unsigned char>(fileName[start + i])) != extension[i]) {
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

std::string CheckExchangeFileName(const std::string& fileName) {
    ExchangeFormat ignored;
    return FormatFromFileName(fileName, ignored) ? std::string()
                                                 : fileName + ": the extension must be .csv, .json or .po";
}

std::string WriteRows(ExchangeFormat format, const ExchangeRows& rows) {
    switch (format) {
    case ExchangeFormat::Csv: return WriteCsv(rows);
    case ExchangeFormat::Json: return WriteJson(rows);
    case ExchangeFormat::Po: return WritePo(rows);
    }
    return std::string();
}

ExchangeRows ReadRows(ExchangeFormat format, const std::string& content, const std::string& fileName) {
    switch (format) {
    case ExchangeFormat::Csv: return ReadCsv(content, fileName);
    case ExchangeFormat::Json: return ReadJson(content, fileName);
    case ExchangeFormat::Po: return ReadPo(content, fileName);
    }
    return ExchangeRows();
}
