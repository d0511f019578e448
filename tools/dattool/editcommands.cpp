// set and delete: one edit as the editor makes it, then saved.
#include <new>
#include <vector>

#include "datcommands.h"
#include "listescape.h"
#include "namekey.h"
#include "tablefiles.h"
#include "tabletext.h"
#include "toolerror.h"
#include "toolmain.h"

namespace {

std::vector<StringEntry*> EntriesNamed(const StringTable& table, const std::string& name) {
    std::vector<StringEntry*> found;
    for (StringEntry* entry = StringTableNext(table, nullptr); entry; entry = StringTableNext(table, entry)) {
        if (CompareNamesIgnoringCase(entry->name, name.c_str()) == 0) {
            found.push_back(entry);
        }
    }
    return found;
}

}  // namespace

int SetCommand(const std::string& tablePath, const std::string& name, const std::string& text, bool escaped) {
    std::string utf8Text = text;
    if (escaped && !UnescapeLine(text, utf8Text)) {
        throw ToolError(tablePath, "the text has a backslash that is not one of \\\\, \\t, \\r, \\n");
    }
    TableRow row;
    const std::string problem = ConvertRow(name, utf8Text, row);
    if (!problem.empty()) {
        throw ToolError(tablePath, problem);
    }
    StringTablePtr table = LoadTable(tablePath);
    const std::vector<StringEntry*> existing = EntriesNamed(*table, row.name);
    if (existing.size() > 1) {
        throw ToolError(tablePath,
                        std::to_string(existing.size()) + " entries are named " + name + "; dattool check lists them");
    }
    // As the editor edits: the name takes the spelling given and the entry
    // moves to its key's place.
    const std::basic_string<TextUnit> units = AsTextUnits(row.text);
    const bool stored = existing.empty()
                            ? StringTableInsert(*table, row.name.c_str(), units.c_str()) != nullptr
                            : StringTableReplace(*table, existing.front(), row.name.c_str(), units.c_str());
    if (!stored) {
        throw std::bad_alloc();
    }
    SaveTable(*table, tablePath);
    return kExitSuccess;
}

int DeleteCommand(const std::string& tablePath, const std::string& name) {
    std::string tableName;
    const std::string problem = ConvertName(name, tableName);
    if (!problem.empty()) {
        throw ToolError(tablePath, problem);
    }
    StringTablePtr table = LoadTable(tablePath);
    const std::vector<StringEntry*> existing = EntriesNamed(*table, tableName);
    if (existing.empty()) {
        throw ToolError(tablePath, "No entry named " + name);
    }
    for (StringEntry* entry : existing) {
        StringTableRemove(*table, entry);
    }
    SaveTable(*table, tablePath);
    return kExitSuccess;
}
