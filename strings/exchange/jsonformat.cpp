#include "jsonformat.h"

#include <nlohmann/json.hpp>

#include "toolerror.h"

namespace {

std::string StringMember(const nlohmann::json& object, const char* member, const std::string& where,
                         const std::string& fileName) {
    const auto found = object.find(member);
    if (found == object.end() || !found->is_string()) {
        throw ToolError(fileName, where + ": needs \"" + member + "\" as a string");
    }
    return found->get<std::string>();
}

}  // namespace

std::string WriteJson(const ExchangeRows& rows) {
    nlohmann::json array = nlohmann::json::array();
    for (const ExchangeRow& row : rows) {
        array.push_back({{"name", row.name}, {"text", row.text}});
    }
    return array.dump(2) + "\n";
}

ExchangeRows ReadJson(const std::string& content, const std::string& fileName) {
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(content);
    } catch (const nlohmann::json::parse_error& error) {
        throw ToolError(fileName, std::string("not JSON: ") + error.what());
    }
    if (!document.is_array()) {
        throw ToolError(fileName, "the JSON must be an array of {\"name\": ..., \"text\": ...} objects");
    }
    ExchangeRows rows;
    for (const nlohmann::json& element : document) {
        const std::string where = RowPlace(rows.size() + 1);
        if (!element.is_object()) {
            throw ToolError(fileName, where + ": not an object");
        }
        rows.push_back(ExchangeRow{StringMember(element, "name", where, fileName),
                                   StringMember(element, "text", where, fileName), where});
    }
    return rows;
}
