#include "safetextfile.h"

#include "safefile.h"
#include "toolerror.h"

void WriteFileSafely(const std::string& path, const std::string& content, const std::string& shownPath) {
    // Exports are copies of a document; nobody opens them through the recovery
    // of interrupted saves, so no journal is kept.
    switch (SaveFileContent(path, content, Journal::None).failedStep) {
    case FileStep::None: return;
    case FileStep::Create: throw ToolError(shownPath, "Unable to create file");
    case FileStep::Replace: throw ToolError(shownPath, "Unable to replace file");
    default: throw ToolError(shownPath, "Unable to write to file");
    }
}
