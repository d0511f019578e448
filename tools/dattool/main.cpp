// dattool: text tables (.DAT) from the command line.
#include "datcommands.h"
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
    const CLI::Validator exchangeFile(
        [](const std::string& fileName) {
            ExchangeFormat format;
            return FormatFromFileName(fileName, format) ? std::string()
                                                        : fileName + ": the extension must be .csv, .json, .po or .pot";
        },
        "FILE.csv|.json|.po|.pot", "exchange file");

    std::string table;
    CLI::App* list = app.add_subcommand("list",
                                        "One line per entry in file order: KEY NAME TEXT, tab-separated, "
                                        "with \\\\, \\t, \\r and \\n escaped.");
    list->add_option("FILE", table, "the table (.DAT)")->required();
    actions[list] = [&] { return ListCommand(table); };

    std::string exchange;
    ExportOptions exportOptions;
    CLI::App* exportCommand = app.add_subcommand(
        "export",
        "Write the entries to CSV, JSON or PO (by OUT's extension). With --source, a translator's file: for each "
        "entry of SOURCE, its name, its text as the source and FILE's text of that name (in PO: msgctxt, msgid, "
        "msgstr); with --template or OUT.pot, FILE's texts as the sources of empty translations. PO files write "
        "the table's CR LF as \n and need --language, except templates.");
    exportCommand->add_option("FILE", table, "the table (.DAT)")->required();
    exportCommand->add_option("OUT", exchange, "the file to write: .csv, .json, .po or .pot")
        ->required()
        ->check(exchangeFile);
    CLI::Option* sourceOption = exportCommand->add_option("--source", exportOptions.sourcePath,
                                                          "the table (.DAT) of source texts that FILE translates");
    exportCommand->add_flag("--template", exportOptions.isTemplate, "write FILE's texts as sources to translate")
        ->excludes(sourceOption);
    exportCommand->add_option("--language", exportOptions.language,
                              "the PO header's Language: the translation's language code, such as de or pt_BR");
    exportCommand->add_flag("--bom", exportOptions.byteOrderMark,
                            "start a CSV file with UTF-8's byte order mark, for Excel");
    actions[exportCommand] = [&] { return ExportCommand(table, exchange, exportOptions); };

    ImportOptions importOptions;
    CLI::App* importCommand = app.add_subcommand(
        "import",
        "Build a table from CSV, JSON or PO (by IN's extension), inserting each row in turn, and write it to FILE. "
        "Rows of a file with sources (PO; CSV and JSON with source) that are fuzzy or untranslated keep the text "
        "FILE had for their name, or are left out; the counts are printed. A PO file's \n becomes CR LF.");
    importCommand->add_option("IN", exchange, "the file to read: .csv, .json, .po or .pot")
        ->required()
        ->check(exchangeFile);
    importCommand->add_option("FILE", table, "the table (.DAT) to write")->required();
    std::string namesFrom;
    importCommand
        ->add_option("--names-from", namesFrom,
                     "PO only: take the names from msgctxt (the default) or from msgid, for catalogues whose "
                     "entries have no msgctxt")
        ->check(CLI::IsMember({"msgctxt", "msgid"}));
    actions[importCommand] = [&] {
        importOptions.poNamesGiven = !namesFrom.empty();
        importOptions.poNames = namesFrom == "msgid" ? PoNames::FromMsgid : PoNames::FromContext;
        return ImportCommand(exchange, table, importOptions);
    };

    CLI::App* check = app.add_subcommand("check",
                                         "Report unreadable files, repeated names, wrong keys, keys shared "
                                         "by different names and every entry that export or import would "
                                         "refuse; exit 1 when any are found.");
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
