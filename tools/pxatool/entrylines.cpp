#include "entrylines.h"

void PrintEntryLine(std::ostream& out, const std::string& name, const AtlasEntry& entry) {
    out << name << '\t' << entry.x << '\t' << entry.y << '\t' << entry.width << '\t' << entry.height << '\t'
        << static_cast<unsigned>(entry.flag) << '\n';
}
