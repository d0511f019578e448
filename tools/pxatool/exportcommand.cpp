// export: the entries' rectangles for game engines and web frameworks.
#include "atlasexport.h"
#include "atlaspairfiles.h"
#include "entryname.h"
#include "filepath.h"
#include "paircommands.h"
#include "safetextfile.h"
#include "toolerror.h"
#include "toolmain.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

int ExportCommand(const PairPaths& paths, const std::string& out) {
    const std::string upperOut = upperCaseAscii(out);
    const bool json = EndsWith(upperOut, ".JSON");
    if (!json && !EndsWith(upperOut, ".CSV")) {
        throw ToolError(out, "Unknown export format: the file name must end in .json or .csv");
    }
    const FilePair pair = OpenPair(paths.index, paths.image);
    const std::string imageName = FileNamePart(paths.image);
    WriteFileSafely(
        out, json ? AtlasJson(pair.entries(), imageName, pair.width(), pair.height()) : AtlasCsv(pair.entries()), out);
    return kExitSuccess;
}
