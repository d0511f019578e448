// export and import: a table to and from CSV, JSON or PO.
#include <ctime>
#include <iostream>
#include <new>

#include "datcommands.h"
#include "exchangeformat.h"
#include "tablecheck.h"
#include "tableexchange.h"
#include "tableexport.h"
#include "tablefiles.h"
#include "tabletext.h"
#include "textfiles.h"
#include "toolerror.h"
#include "toolmain.h"
#include "folderlisting.h"
#include "toolsystemtext.h"

namespace {

ExchangeFormat FormatOf(const std::string& fileName) {
    ExchangeFormat format = ExchangeFormat::Csv;
    if (!FormatFromFileName(fileName, format)) {
        throw UsageError(fileName, "the extension must be .csv, .json, .po or .pot");
    }
    return format;
}

bool EndsWithPot(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) {
        return false;
    }
    std::string extension = fileName.substr(dot);
    for (char& c : extension) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return extension == ".pot";
}

void CheckExportOptions(ExchangeFormat format, const std::string& outputPath, ExportOptions& options) {
    options.isTemplate = options.isTemplate || EndsWithPot(outputPath);
    if (options.isTemplate && !options.sourcePath.empty()) {
        throw UsageError(outputPath,
                         "a template (--template or .pot) has the table's own texts as sources, not "
                         "those of --source");
    }
    if (options.byteOrderMark && format != ExchangeFormat::Csv) {
        throw UsageError(outputPath, "--bom is for CSV files");
    }
    if (format == ExchangeFormat::Po && !options.isTemplate && options.language.empty()) {
        throw UsageError(outputPath, "a PO file names its language: give --language (such as de or pt_BR)");
    }
    if (!options.language.empty() && !IsLanguageCode(options.language)) {
        throw UsageError(outputPath, "--language takes a language code such as de, pt_BR or sr@latin");
    }
}

void ReportRefusedEntries(const std::vector<EntryProblem>& problems, const std::string& tablePath) {
    TableProblemLines lines;
    for (const EntryProblem& problem : problems) {
        std::string line;
        lines.append(problem, line);
        std::cerr << ErrorLine(kToolName, tablePath, line) << '\n';
    }
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string CurrentUtcTime() {
    const std::time_t now = std::time(nullptr);
    char text[32] = "";
    if (const std::tm* utc = std::gmtime(&now)) {
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M+0000", utc);
    }
    return text;
}

void PrintCount(const char* what, std::size_t count) { std::cout << what << ' ' << count << '\n'; }

}  // namespace

int ExportCommand(const std::string& tablePath, const std::string& outputPath, const ExportOptions& given) {
    const ExchangeFormat format = FormatOf(outputPath);
    ExportOptions options = given;
    CheckExportOptions(format, outputPath, options);
    const bool paired = !options.sourcePath.empty();
    const StringTablePtr table = LoadTable(tablePath);
    const StringTablePtr source = paired ? LoadTable(options.sourcePath) : nullptr;

    ExchangeWriteOptions writeOptions;
    writeOptions.byteOrderMark = options.byteOrderMark;
    writeOptions.header.projectId = FileNameOf(paired ? options.sourcePath : tablePath);
    writeOptions.header.language = options.language;
    writeOptions.header.generator = std::string(kToolName) + " " + ToolVersion();
    writeOptions.header.date = CurrentUtcTime();
    writeOptions.header.isTemplate = options.isTemplate;
    TableExport made;
    if (!ExportTable(format, *table, source.get(), writeOptions, made)) {
        throw std::bad_alloc();
    }
    ReportRefusedEntries(made.tableProblems, tablePath);
    ReportRefusedEntries(made.sourceProblems, options.sourcePath);
    const std::size_t refused = made.tableProblems.size() + made.sourceProblems.size();
    if (refused > 0) {
        std::cerr << ErrorLine(kToolName, outputPath,
                               "Not written: " + std::to_string(refused) + " entries were refused")
                  << '\n';
        return kExitFailed;
    }
    WriteWholeFile(outputPath, made.content);
    const PairCounts& counts = made.counts;
    if (paired) {
        PrintCount("translated", counts.translated);
        PrintCount("fuzzy", counts.fuzzy);
        PrintCount("untranslated", counts.untranslated);
        PrintCount("obsolete", counts.obsolete);
    }
    return kExitSuccess;
}

int ImportCommand(const std::string& inputPath, const std::string& tablePath, const ImportOptions& options) {
    const ExchangeFormat format = FormatOf(inputPath);
    if (options.poNamesGiven && format != ExchangeFormat::Po) {
        throw UsageError(inputPath, "--names-from is for PO files");
    }
    ExchangeReadOptions readOptions;
    readOptions.poNames = options.poNames;
    ExchangeFile file;
    std::string error;
    if (!ReadExchangeFile(format, ReadWholeFile(inputPath), readOptions, file, error)) {
        throw ToolError(inputPath, error);
    }
    // Fuzzy and untranslated rows keep the text that the table they
    // replace has for their name.
    const StringTablePtr replaced =
        NeedsReplacedTable(file) && PathExists(NativePath(tablePath)) ? LoadTable(tablePath) : nullptr;
    const ImportResult result = ImportRows(file, replaced.get());
    if (!result.refused.empty()) {
        for (const ExchangeProblem& problem : result.refused) {
            std::cerr << ErrorLine(kToolName, inputPath, problem.where + ": " + problem.reason) << '\n';
        }
        std::cerr << ErrorLine(kToolName, tablePath,
                               "Not written: " + std::to_string(result.refused.size()) + " rows were refused")
                  << '\n';
        return kExitFailed;
    }
    if (!result.table) {
        throw std::bad_alloc();
    }
    SaveTable(*result.table, tablePath);
    if (file.withSource) {
        PrintCount("translated", result.counts.translated);
        PrintCount("fuzzy", result.counts.fuzzy);
        PrintCount("untranslated", result.counts.untranslated);
        PrintCount("kept", result.counts.kept);
    }
    return kExitSuccess;
}
