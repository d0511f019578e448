// Memory running out in the middle of a command, at each of its allocations in
// turn (allocation_failure.h): the program goes on, and either the command
// did nothing and says so (memory, or a file that could not be written
// without it), or, memory failing only once it had changed the document, it
// finished with the memory kept in reserve for that.
#include "atlas_editor_fixture.h"

#include <commctrl.h>

#include <functional>

#include "allocation_failure.h"
#include "commandrun.h"
#include "documentcommands.h"
#include "file_drop.h"
#include "filepairtestseam.h"
#include "pxaeditor_resource.h"

namespace {

const char notChanged[] = "There is not enough memory to complete the command. The document has not been changed.";

// What a command can change: the entries with their places, the modified
// bits, the names, and what the list and the title show.
struct Outcome {
    EntryTable entries;
    std::uint32_t modified;
    std::string index;
    std::vector<std::string> items;
    std::string title;
};

bool operator==(const Outcome& a, const Outcome& b) {
    return a.entries == b.entries && a.modified == b.modified && a.index == b.index && a.items == b.items &&
           a.title == b.title;
}

class AtlasOutOfMemory : public AtlasEditorTest {
protected:
    void SetUp() override {
        AtlasEditorTest::SetUp();
        base = writePair("base", {{"A.PNG", {1, 1, 4, 4, 1}}, {"B.PNG", {7, 1, 4, 4, 1}}});
        other = writePair("other", {{"C.PNG", {1, 1, 4, 4, 1}}});
        image = writeImage("new.png", 5, 5);
    }

    // The base pair open, its first two items selected, the script empty.
    void start() {
        ResetScript();
        OpenPair(*app, base.index, base.image);
        setItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        setItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        FinishCommand(*app);
    }

    Outcome outcome() const {
        std::vector<std::string> names;
        for (const auto& entry : app->document->entries()) {
            names.push_back(entry.first);
        }
        EXPECT_EQ(listItems().size(), names.size()) << "the list shows the document";
        return {app->document->entries(), modifiedBitsOf(*app->document), app->document->indexFileName(), listItems(),
                title()};
    }

    PairPaths base;
    PairPaths other;
    std::string image;
};

// The end of an in-place edit of the first item, as the list reports it.
void endLabelEdit(HWND mainWindow, HWND list, char* text) {
    NMLVDISPINFOA edit = {};
    edit.hdr.hwndFrom = list;
    edit.hdr.code = LVN_ENDLABELEDITA;
    edit.item.iItem = 0;
    edit.item.pszText = text;
    SendMessageA(mainWindow, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&edit));
}

}  // namespace

TEST_F(AtlasOutOfMemory, EveryCommandEndsWholeOrUndoneWhereverMemoryRunsOut) {
    const std::string out = folder.path("out");
    CreateDirectoryA(out.c_str(), nullptr);
    char newName[] = "renamed.png";
    HDROP drop = nullptr;
    // Each answers its dialogs first; only running the command may fail.
    struct Command {
        const char* name;
        std::function<void()> prepare;
        std::function<void()> run;
    };
    const Command commands[] = {
        {"Insert File(s)", [&] { Script().fileAnswers = {{image}}; }, [&] { command(ID_EDIT_INSERT_FILES); }},
        {"drop", [&] { drop = MakeDrop({image}); },
         [&] { SendMessageA(app->mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0); }},
        {"Delete File(s)", [] {}, [&] { command(ID_EDIT_DELETE_FILES); }},
        {"rename", [] {}, [&] { endLabelEdit(app->mainWindow, app->entryList, newName); }},
        {"Undo", [&] { command(ID_EDIT_DELETE_FILES); }, [&] { command(ID_EDIT_UNDO); }},
        {"Redo",
         [&] {
             command(ID_EDIT_DELETE_FILES);
             command(ID_EDIT_UNDO);
         },
         [&] { command(ID_EDIT_REDO); }},
        {"Open",
         [&] {
             Script().fileAnswers = {{other.index}, {other.image}};
         },
         [&] { command(ID_FILE_OPEN); }},
        {"New", [] {}, [&] { command(ID_FILE_NEW); }},
        {"Save as",
         [&] {
             Script().fileAnswers = {{folder.path("saved.pxa")}, {folder.path("saved.tga")}};
         },
         [&] { command(ID_FILE_SAVE_AS); }},
        {"Extract File(s)",
         [&] {
             Script().folderAnswers = {{true, out}};
             Script().messageBoxAnswers = {IDYES, IDYES};
         },
         [&] { command(ID_EDIT_EXTRACT_FILES); }},
    };
    for (const Command& c : commands) {
        start();
        c.prepare();
        const Outcome before = outcome();
        c.run();
        const Outcome done = outcome();
        long ranOut = 0;
        for (long failing = 0;; ++failing) {
            start();
            c.prepare();
            {
                AllocationFailureScope outOfMemory(failing);
                c.run();
            }
            if (!AllocationFailed()) {
                break;
            }
            SCOPED_TRACE(std::string(c.name) + ", allocation " + std::to_string(failing));
            ASSERT_TRUE(IsWindow(app->mainWindow));
            ASSERT_FALSE(app->pendingFailure);
            // Told of a failure: memory, or a file that could not be written for it.
            const bool told = !Script().messageBoxes.empty() && Script().messageBoxes.back().type == MB_ICONERROR;
            const std::string& text = told ? Script().messageBoxes.back().text : std::string();
            ranOut += text == notChanged || text == "Unable to undo" || text == "Unable to redo" ? 1 : 0;
            EXPECT_TRUE(outcome() == (told ? before : done)) << (told ? "not undone" : "not whole");
        }
        EXPECT_GT(ranOut, 0) << c.name << ": memory never ran out before the change";
    }
}
