#include "atlasexport.h"

#include <nlohmann/json.hpp>

#include "csvfield.h"
#include "encoding.h"
#include "entryname.h"
#include "exceptions.h"
#include "filepair.h"
#include "rawfile.h"
#include "safefile.h"

namespace {

nlohmann::ordered_json sizeObject(std::uint32_t width, std::uint32_t height) { return {{"w", width}, {"h", height}}; }

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

[[noreturn]] void failExport(const std::string& fileName, const std::string& message) {
    THROW_AT_SITE(FileException, message, fileName);
}

void writeTextAlone(const std::string& textFile, const std::string& text) {
    switch (SaveFileContent(textFile, text, Journal::None).failedStep) {
    case FileStep::None: return;
    case FileStep::Create: failExport(textFile, "Unable to create file");
    case FileStep::Replace: failExport(textFile, "Unable to replace file");
    default: failExport(textFile, "Unable to write to file");
    }
}

}  // namespace

std::string atlasJson(const EntryTable& entries, const std::string& imageName, std::uint32_t width,
                      std::uint32_t height) {
    nlohmann::ordered_json frames = nlohmann::ordered_json::object();
    for (const auto& [name, entry] : entries) {
        // One code page, one character per byte: no two entries share a frame name.
        frames[Windows1252ToUtf8(name)] = {
            {"frame", {{"x", entry.x}, {"y", entry.y}, {"w", entry.width}, {"h", entry.height}}},
            {"rotated", false},
            {"trimmed", false},
            {"spriteSourceSize", {{"x", 0}, {"y", 0}, {"w", entry.width}, {"h", entry.height}}},
            {"sourceSize", sizeObject(entry.width, entry.height)},
        };
    }
    const nlohmann::ordered_json meta = {{"image", imageName}, {"size", sizeObject(width, height)}, {"scale", "1"}};
    return nlohmann::ordered_json{{"frames", frames}, {"meta", meta}}.dump(2) + "\n";
}

std::string atlasCsv(const EntryTable& entries) {
    std::string out = "name,x,y,width,height\r\n";
    for (const auto& [name, entry] : entries) {
        AppendCsvField(out, Windows1252ToUtf8(name));
        out += "," + std::to_string(entry.x) + "," + std::to_string(entry.y) + "," + std::to_string(entry.width) + "," +
               std::to_string(entry.height) + "\r\n";
    }
    return out;
}

std::optional<ExportFormat> exportFormatOf(const std::string& fileName) {
    const std::string upper = upperCaseAscii(fileName);
    if (endsWith(upper, ".JSON")) {
        return ExportFormat::Json;
    }
    if (endsWith(upper, ".CSV")) {
        return ExportFormat::Csv;
    }
    return std::nullopt;
}

std::string exportText(const FilePair& pair, ExportFormat format, const std::string& imageName) {
    return format == ExportFormat::Json ? atlasJson(pair.entries(), imageName, pair.width(), pair.height())
                                        : atlasCsv(pair.entries());
}

void writeExport(const FilePair& pair, const std::string& textFile, const std::string& text,
                 const std::string& imageFile) {
    if (imageFile.empty()) {
        writeTextAlone(textFile, text);
        return;
    }
    SaveUnit unit({textFile, imageFile}, FlushRule::Always, Journal::None);
    const StagedFile& staged = unit.file(0);
    RawFile file;
    const bool opened = staged.isCreated() && RawFileOpenForWriting(file, staged.path().c_str());
    const bool written = opened && RawFileWrite(file, text.data(), text.size());
    if (!RawFileClose(file) || !written) {
        failExport(textFile, staged.isCreated() ? "Unable to write to file" : "Unable to create file");
    }
    try {
        pair.writeImageCopy(unit.file(1));
    } catch (const FileException& failure) {
        failExport(imageFile, failure.message);
    }
    const SaveResult saved = unit.replaceTargets();
    if (!saved.succeeded()) {
        failExport(saved.target, "Unable to replace file");
    }
}
