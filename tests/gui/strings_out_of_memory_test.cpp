// Running out of memory in a command: a message, the document as it was
// before the command, and the editor goes on. Every allocation a command
// makes is made to fail in turn (allocation_failure.h).
#include <functional>

#include "allocation_failure.h"
#include "documentcommands.h"
#include "file_drop.h"
#include "stringtableeditor_resource.h"
#include "strings_editor_fixture.h"

namespace {

using StringsOutOfMemory = StringsEditorTest;

TEST_F(StringsOutOfMemory, ACommandLeavesTheDocumentAsItWasAndSaysSo) {
    const std::string start = WriteTable("start.DAT", {{"A", L"b"}, {"B", L"a"}});
    const std::string other = WriteTable("other.DAT", {{"X", L"x"}, {"Y", L"y"}});
    // Rows, texts, the table, the title and the sort order, in one string.
    const auto seen = [this] {
        std::string all = WindowText(MainWindow()) + "|" + std::to_string(g_editor.entryList.sortColumn);
        for (const std::string& name : RowNames()) {
            all += "|" + name;
        }
        for (const Text& text : RowTexts()) {
            all += "|" + std::string(text.begin(), text.end());
        }
        for (const std::string& name : TableNames()) {
            all += "|" + name;
        }
        return all;
    };
    // What the test itself prepares (answers, selection) comes first; only
    // the command's own message runs with an allocation to fail.
    struct Case {
        const char* name;
        std::function<void()> prepare;
        std::function<void()> act;
    };
    HDROP drop = nullptr;
    const std::string imported = folder_.path("import.csv");
    WriteBytes(imported, "name,text\nA,new\nC,c\n");
    const Case cases[] = {
        {"drop", [&] { drop = MakeDrop({other}); },
         [&] { SendMessageA(MainWindow(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0); }},
        {"open", [&] { g_script.fileAnswers.push_back({other}); }, [&] { Command(ID_FILE_OPEN); }},
        {"insert",
         [&] {
             g_script.editAnswers.push_back({true, "NEW", L"n"});
         },
         [&] { Command(ID_EDIT_INSERT_STRING); }},
        {"edit",
         [&] {
             FocusRow(0);
             g_script.editAnswers.push_back({true, "A2", L"t"});
         },
         [&] { Command(ID_EDIT_EDIT_STRING); }},
        {"delete", [&] { SelectRows({0}); }, [&] { Command(ID_EDIT_DELETE_STRING); }},
        {"sort", [] {}, [&] { ClickHeader(1); }},
        {"import", [&] { g_script.fileAnswers.push_back({imported}); }, [&] { Command(ID_FILE_IMPORT); }},
        {"save as", [&] { g_script.fileAnswers.push_back({folder_.path("copy.DAT")}); },
         [&] { Command(ID_FILE_SAVE_AS); }},
    };
    for (const Case& c : cases) {
        std::string after;  // the command's work when nothing fails
        for (long failing = -1;; ++failing) {
            CloseDocument();
            g_editor.entryList.sortColumn = 0;
            g_script = StringsScript();  // an answer the last run failed before taking goes
            Open(start);
            g_script = StringsScript();
            const std::string before = seen();
            c.prepare();
            FailAllocation(failing);
            c.act();
            FailAllocation(-1);
            if (failing == -1) {
                after = seen();
                ASSERT_NE(after, before) << c.name;
                continue;
            }
            if (!AllocationFailed()) {
                break;  // the command made fewer allocations
            }
            bool toldMemory = false;
            for (const MessageBoxCall& box : g_script.messageBoxes) {
                toldMemory = toldMemory || box.text.find("memory") != std::string::npos;
            }
            // A failure the command got over (a recent file not remembered)
            // may go unreported; any other leaves the document as it was.
            if (toldMemory) {
                EXPECT_EQ(seen(), before) << c.name << ", allocation " << failing;
            } else {
                EXPECT_EQ(seen(), after) << c.name << ", allocation " << failing;
            }
            EXPECT_TRUE(RowsMatchTable()) << c.name << ", allocation " << failing;
            ASSERT_LT(failing, 1000) << c.name;
        }
    }
    g_script = StringsScript();
}

}  // namespace
