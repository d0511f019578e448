#include "entrylines.h"

#include "entryname.h"
#include "toolerror.h"
#include "systemtext.h"
#include "toolsystemtext.h"

std::string EntryNameArgument(const std::string& text, const std::string& file) {
    std::string name;
    std::string problem;
    if (!SystemTextToWindows1252(text, name, problem)) {
        throw ToolError(file, "No entry can be named " + text + ": " + problem);
    }
    return upperCaseAscii(name);
}

std::string EntryNameText(const std::string& name) {
    std::string text;
    return Windows1252ToSystemText(name, text) ? text : name;
}

void PrintEntryLine(std::ostream& out, const std::string& name, const AtlasEntry& entry) {
    out << EntryNameText(name) << '\t' << entry.x << '\t' << entry.y << '\t' << entry.width << '\t' << entry.height
        << '\t' << static_cast<unsigned>(entry.flag) << '\n';
}
