// dattool: text tables (.DAT) from the command line.
#include "datcommands.h"
#include "exchangeformat.h"
#include "toolmain.h"

int main(int argc, char** argv) {
    CLI::App app(
        "Text tables (.DAT) from the command line. Names are Windows-1252 in the file and UTF-8 here; "
        "texts are UTF-16 in the file and UTF-8 here.",
        kToolName);
    // "/x" is a path, not an option, on every system (subcommands copy this).
    app.allow_windows_style_options(false);
    app.require_subcommand(1);
    CommandActions actions;
    const CLI::Validator exchangeFile(CheckExchangeFileName, "FILE.csv|.json|.po", "exchange file");

    std::string table;
    CLI::App* list = app.add_subcommand("list",
                                        "One line per entry in file order: KEY NAME TEXT, tab-separated, "
                                        "with \\\\, \\t, \\r and \\n escaped.");
    list->add_option("FILE", table, "the table (.DAT)")->required();
    actions[list] = [&] { return ListCommand(table); };

    std::string exchange;
    CLI::App* exportCommand =
        app.add_subcommand("export", "Write the entries to CSV, JSON or PO (by OUT's extension).");
    exportCommand->add_option("FILE", table, "the table (.DAT)")->required();
    exportCommand->add_option("OUT", exchange, "the file to write: .csv, .json or .po")
        ->required()
        ->check(exchangeFile);
    actions[exportCommand] = [&] { return ExportCommand(table, exchange); };

    CLI::App* importCommand = app.add_subcommand("import",
                                                 "Build a table from CSV, JSON or PO (by IN's extension), "
                                                 "inserting each row in turn, and write it to FILE.");
    importCommand->add_option("IN", exchange, "the file to read: .csv, .json or .po")->required()->check(exchangeFile);
    importCommand->add_option("FILE", table, "the table (.DAT) to write")->required();
    actions[importCommand] = [&] { return ImportCommand(exchange, table); };

    CLI::App* check = app.add_subcommand("check",
                                         "Report unreadable files, repeated names, wrong keys and keys "
                                         "shared by different names; exit 1 when any are found.");
    check->add_option("FILE", table, "the table (.DAT)")->required();
    actions[check] = [&] { return CheckCommand(table); };

    std::string name;
    std::string text;
    bool escaped = false;
    CLI::App* set =
        app.add_subcommand("set", "Give NAME the TEXT (a new entry, or the existing one edited), then save.");
    set->add_option("FILE", table, "the table (.DAT)")->required();
    set->add_option("NAME", name, "the entry's name")->required();
    set->add_option("TEXT", text, "its text")->required();
    set->add_flag("-e,--escapes", escaped, "read \\\\, \\t, \\r and \\n in TEXT as in list's output");
    actions[set] = [&] { return SetCommand(table, name, text, escaped); };

    CLI::App* remove = app.add_subcommand("delete", "Delete the entry of that name (ASCII case ignored), then save.");
    remove->add_option("FILE", table, "the table (.DAT)")->required();
    remove->add_option("NAME", name, "the entry's name")->required();
    actions[remove] = [&] { return DeleteCommand(table, name); };

    // Texts need all of Unicode, so arguments are read as UTF-8 everywhere.
    return RunTool(kToolName, app, actions, argc, argv, true);
}
