// list: every entry on one line.
#include <cstdio>
#include <iostream>

#include "datcommands.h"
#include "encoding.h"
#include "listescape.h"
#include "tablefiles.h"
#include "tabletext.h"
#include "toolmain.h"

int ListCommand(const std::string& tablePath) {
    const StringTablePtr table = LoadTable(tablePath);
    for (const StringEntry* entry = StringTableNext(*table, nullptr); entry; entry = StringTableNext(*table, entry)) {
        char key[16];
        std::snprintf(key, sizeof key, "%08X", static_cast<unsigned>(entry->key));
        // A listing shows what it can: a surrogate without its partner
        // appears as U+FFFD (export refuses such a text instead).
        std::cout << key << '\t' << EscapeForLine(NameAsUtf8(*entry)) << '\t'
                  << EscapeForLine(Utf16ToUtf8Lossy(EntryText(*entry))) << '\n';
    }
    return kExitSuccess;
}
