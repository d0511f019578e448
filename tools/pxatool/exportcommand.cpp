// export: the entries' rectangles for game engines and web frameworks.
#include "atlasexport.h"
#include "atlaspairfiles.h"
#include "entryname.h"
#include "exceptions.h"
#include "filepath.h"
#include "imagefile.h"
#include "paircommands.h"
#include "rawfile.h"
#include "safefile.h"
#include "safetextfile.h"
#include "toolerror.h"
#include "toolmain.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

int ExportCommand(const PairPaths& paths, const std::string& out, const std::string& imageOut) {
    const std::string upperOut = upperCaseAscii(out);
    const bool json = EndsWith(upperOut, ".JSON");
    if (!json && !EndsWith(upperOut, ".CSV")) {
        throw ToolError(out, "Unknown export format: the file name must end in .json or .csv");
    }
    if (!imageOut.empty() && !namesImageFormat(imageOut)) {
        throw ToolError(imageOut, "Unknown image format: the file name needs an image extension such as .png");
    }
    const FilePair pair = OpenPair(paths.index, paths.image);
    const std::string imageName = FileNamePart(imageOut.empty() ? paths.image : imageOut);
    const std::string content =
        json ? AtlasJson(pair.entries(), imageName, pair.width(), pair.height()) : AtlasCsv(pair.entries());
    if (imageOut.empty()) {
        WriteFileSafely(out, content, out);
        return kExitSuccess;
    }
    // The rectangles and the image they describe go in place as one unit.
    // Nothing opens an export through the recovery of interrupted saves, so
    // no journal is kept for it.
    SaveUnit unit({out, imageOut}, FlushRule::Always, Journal::None);
    const StagedFile& text = unit.file(0);
    RawFile file;
    const bool opened = text.isCreated() && RawFileOpenForWriting(file, text.path().c_str());
    const bool written = opened && RawFileWrite(file, content.data(), content.size());
    if (!RawFileClose(file) || !written) {
        throw ToolError(out, text.isCreated() ? "Unable to write to file" : "Unable to create file");
    }
    try {
        pair.writeImageCopy(unit.file(1));
    } catch (const FileException& failure) {
        throw ToolError(imageOut, failure.message);
    }
    const SaveResult saved = unit.replaceTargets();
    if (!saved.succeeded()) {
        throw ToolError(saved.target, "Unable to replace file");
    }
    return kExitSuccess;
}
