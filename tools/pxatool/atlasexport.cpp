#include "atlasexport.h"

#include <nlohmann/json.hpp>

#include "csvfield.h"
#include "encoding.h"
#include "toolplatform.h"

namespace {

nlohmann::ordered_json SizeObject(std::uint32_t width, std::uint32_t height) { return {{"w", width}, {"h", height}}; }

}  // namespace

std::string AtlasJson(const EntryTable& entries, const std::string& imageName, std::uint32_t width,
                      std::uint32_t height) {
    nlohmann::ordered_json frames = nlohmann::ordered_json::object();
    for (const auto& [name, entry] : entries) {
        // One code page, one character per byte: no two entries share a frame name.
        frames[Windows1252ToUtf8(name)] = {
            {"frame", {{"x", entry.x}, {"y", entry.y}, {"w", entry.width}, {"h", entry.height}}},
            {"rotated", false},
            {"trimmed", false},
            {"spriteSourceSize", {{"x", 0}, {"y", 0}, {"w", entry.width}, {"h", entry.height}}},
            {"sourceSize", SizeObject(entry.width, entry.height)},
        };
    }
    const nlohmann::ordered_json meta = {
        {"image", SystemTextToUtf8(imageName)}, {"size", SizeObject(width, height)}, {"scale", "1"}};
    return nlohmann::ordered_json{{"frames", frames}, {"meta", meta}}.dump(2) + "\n";
}

std::string AtlasCsv(const EntryTable& entries) {
    std::string out = "name,x,y,width,height\r\n";
    for (const auto& [name, entry] : entries) {
        AppendCsvField(out, Windows1252ToUtf8(name));
        out += "," + std::to_string(entry.x) + "," + std::to_string(entry.y) + "," + std::to_string(entry.width) + "," +
               std::to_string(entry.height) + "\r\n";
    }
    return out;
}
