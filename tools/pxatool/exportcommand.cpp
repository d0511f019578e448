// export: the entries' rectangles for game engines and web frameworks.
#include "atlasexport.h"
#include "atlaspairfiles.h"
#include "exceptions.h"
#include "filepath.h"
#include "imagefile.h"
#include "paircommands.h"
#include "toolerror.h"
#include "toolmain.h"
#include "systemtext.h"

int ExportCommand(const PairPaths& paths, const std::string& out, const std::string& imageOut) {
    const std::optional<ExportFormat> format = exportFormatOf(out);
    if (!format) {
        throw ToolError(out, "Unknown export format: the file name must end in .json or .csv");
    }
    if (!imageOut.empty() && !namesImageFormat(imageOut)) {
        throw ToolError(imageOut, "Unknown image format: the file name needs an image extension such as .png");
    }
    const FilePair pair = OpenPair(paths.index, paths.image);
    const std::string imageName = FileNamePart(imageOut.empty() ? paths.image : imageOut);
    try {
        writeExport(pair, out, exportText(pair, *format, SystemTextToUtf8(imageName)), imageOut);
    } catch (const FileException& failure) {
        throw ToolError(failure.fileName, failure.message);
    }
    return kExitSuccess;
}
