// pxatool: atlas pairs from the command line.
#include "atlassizeoption.h"
#include "paircommands.h"
#include "toolmain.h"

namespace {

CLI::App* AddPairCommand(CLI::App& app, const char* name, const char* description, PairPaths& paths) {
    CLI::App* command = app.add_subcommand(name, description);
    command->add_option("INDEX", paths.index, "the index file (.pxa)")->required();
    command->add_option("IMAGE", paths.image, "the atlas image (.tga or any format FreeImage handles)")->required();
    return command;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app("Atlas pairs (index file and atlas image) from the command line.", kToolName);
    // "/x" is a path, not an option, on every system (subcommands copy this).
    app.allow_windows_style_options(false);
    app.require_subcommand(1);
    CommandActions actions;
    PairPaths paths;

    AtlasSize size;
    std::string sizeText = "256x256";
    const CLI::Validator sizeCheck([&](std::string& text) { return ParseAtlasSize(text, size); }, "WxH", "size");
    bool force = false;
    CLI::App* create = AddPairCommand(app, "new", "Create and save a new empty pair.", paths);
    create->add_option("--size", sizeText, "atlas size WIDTHxHEIGHT (default 256x256)")->check(sizeCheck);
    create->add_flag("--force", force, "overwrite existing files");
    actions[create] = [&] { return NewCommand(paths, size, force); };

    CLI::App* list =
        AddPairCommand(app, "list", "One line per entry: NAME X Y WIDTH HEIGHT FLAG, tab-separated.", paths);
    actions[list] = [&] { return ListCommand(paths); };

    CLI::App* info = AddPairCommand(app, "info", "Atlas size, entry count, free rectangles, used percent.", paths);
    actions[info] = [&] { return InfoCommand(paths); };

    std::vector<std::string> files;
    InsertOptions insertOptions;
    CLI::App* insert = AddPairCommand(app, "insert",
                                      "Pack image files into the atlas, replacing entries of the same "
                                      "name, save, and print the placed entries.",
                                      paths);
    insert
        ->add_option("FILE", files,
                     "image files, or folders whose image files are inserted in name order (those that cannot be "
                     "read are skipped and named, and the exit status is 1)")
        ->required();
    insert->add_flag("--recursive", insertOptions.recursive, "take the image files in the folders' subfolders too");
    insert->add_flag("--dry-run", insertOptions.dryRun, "print where the entries would go, but save nothing");
    CLI::Option* lastWins = insert->add_flag("--last-wins", insertOptions.lastWins,
                                             "of files that would get the same entry name, insert only the last");
    insert
        ->add_flag("--path-names", insertOptions.pathNames,
                   "name entries by their path below the folder given, folders joined by dots (SUB.FILE.PNG)")
        ->excludes(lastWins);
    actions[insert] = [&] { return InsertCommand(paths, files, insertOptions); };

    std::string folder;
    std::vector<std::string> names;
    CLI::App* extract =
        AddPairCommand(app, "extract", "Write entries to image files named like them in a folder.", paths);
    extract->add_option("DIR", folder, "an existing folder")->required();
    extract->add_option("NAME", names, "entries to extract (all when none are named)");
    extract->add_flag("--force", force, "overwrite existing files instead of skipping them");
    actions[extract] = [&] { return ExtractCommand(paths, folder, names, force); };

    std::string oldName;
    std::string newName;
    CLI::App* rename = AddPairCommand(app, "rename", "Give an entry a new name, then save.", paths);
    rename->add_option("OLD", oldName, "the entry's name")->required();
    rename->add_option("NEW", newName, "its new name")->required();
    actions[rename] = [&] { return RenameCommand(paths, oldName, newName); };

    CLI::App* remove = AddPairCommand(app, "remove", "Delete entries and clear their cells, then save.", paths);
    remove->add_option("NAME", names, "entries to delete")->required();
    actions[remove] = [&] { return RemoveCommand(paths, names); };

    CLI::App* check = AddPairCommand(app, "check",
                                     "Report overlapping cells, repeated names, cells outside the "
                                     "atlas and empty entries; exit 1 when any are found.",
                                     paths);
    actions[check] = [&] { return CheckCommand(paths); };

    std::string exportFile;
    CLI::App* exportRects = AddPairCommand(app, "export",
                                           "Write the entries' rectangles for game engines and web "
                                           "frameworks: JSON frames or CSV, by the extension.",
                                           paths);
    exportRects->add_option("OUT", exportFile, "the file to write (.json or .csv)")->required();
    std::string exportImage;
    exportRects->add_option("--image", exportImage,
                            "also write the atlas to this file, in the format its extension names (such as .png "
                            "for web engines), and name it in the JSON's meta.image");
    actions[exportRects] = [&] { return ExportCommand(paths, exportFile, exportImage); };

    CLI::App* compact = AddPairCommand(app, "compact",
                                       "Pack every entry anew from an empty atlas, as insert would, "
                                       "save, and print the size and used percent before and after.",
                                       paths);
    CLI::Option* compactSize = compact
                                   ->add_option("--size", sizeText,
                                                "atlas size to start from, WIDTHxHEIGHT, growing as insert grows "
                                                "it (default: the smallest size that holds every entry, never "
                                                "larger than the atlas is when it holds them)")
                                   ->check(sizeCheck);
    actions[compact] = [&] {
        return CompactCommand(paths, compactSize->count() != 0 ? std::optional<AtlasSize>(size) : std::nullopt);
    };

    // Names and paths are bytes of the system code page, as in the editor.
    return RunTool(kToolName, app, actions, argc, argv, false);
}
