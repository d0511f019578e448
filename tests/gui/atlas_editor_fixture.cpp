#include "atlas_editor_fixture.h"

#include <commctrl.h>

#include <ostream>

#include "documentcommands.h"
#include "documentstatus.h"
#include "entrylist.h"
#include "mainwindow.h"
#include "pxaeditor_resource.h"

bool operator==(const Placement& a, const Placement& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

std::ostream& operator<<(std::ostream& out, const Placement& placement) {
    return out << placement.width << "x" << placement.height << " at (" << placement.x << ", " << placement.y << ")";
}

Placement PlacementOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void AtlasEditorTest::SetUp() {
    ResetScript();
    app = std::make_unique<EditorApp>();
    app->ui = ScriptedModalUi();
    BuildImageTypeLists(app->readableTypes, app->writableTypes);
    app->instance = GetModuleHandleA(nullptr);
    CreateWindows(*app);
    NewDocument(*app);
    RefreshDocumentStatus(*app);
}

void AtlasEditorTest::TearDown() {
    EXPECT_EQ(Script().unansweredDialogs, 0) << "a dialog was opened that the test did not expect";
    for (const MessageBoxCall& box : Script().messageBoxes) {
        EXPECT_EQ(box.owner, app->mainWindow) << "every message box belongs to the window: " << box.text;
    }
    app.reset();
    // Drop what the test left in the queue, a WM_QUIT included.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void AtlasEditorTest::command(WORD id) { SendMessageA(app->mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

std::string AtlasEditorTest::title() const {
    char text[MAX_PATH] = "";
    GetWindowTextA(app->mainWindow, text, MAX_PATH);
    return text;
}

std::vector<std::string> AtlasEditorTest::listItems() const {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(app->entryList, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        items.push_back(ListItemText(app->entryList, i));
    }
    return items;
}

std::string AtlasEditorTest::propertyValue(int index) const {
    char text[64] = "";
    GetWindowTextA(app->propertyValues[static_cast<std::size_t>(index)], text, sizeof(text));
    return text;
}

bool AtlasEditorTest::isGreyed(UINT commandId) const {
    return (GetMenuState(GetSubMenu(GetMenu(app->mainWindow), 1), commandId, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

::testing::AssertionResult AtlasEditorTest::entryCommandsAre(bool greyed) const {
    const bool extract = isGreyed(ID_EDIT_EXTRACT_FILES);
    const bool rename = isGreyed(ID_EDIT_RENAME_FILE);
    const bool remove = isGreyed(ID_EDIT_DELETE_FILES);
    if (extract == greyed && rename == greyed && remove == greyed) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "greyed: Extract " << extract << ", Rename " << rename << ", Delete "
                                         << remove;
}

AtlasEditorTest::PairPaths AtlasEditorTest::writePair(const std::string& stem,
                                                      const std::vector<IndexRecordSpec>& records, std::uint32_t width,
                                                      std::uint32_t height) {
    PairPaths pair{folder.path(stem + ".pxa"), folder.path(stem + ".tga")};
    writeFileBytes(pair.index, indexBytes(records));
    writeBlankAtlas(pair.image, width, height);
    return pair;
}

void AtlasEditorTest::openPair(const PairPaths& pair) {
    Script().fileAnswers.push_back({pair.index});
    Script().fileAnswers.push_back({pair.image});
    command(ID_FILE_OPEN);
}

void AtlasEditorTest::modifyDocument() {
    const std::string image = folder.path("modification.png");
    writePatternPng(image, 4, 4, 1);
    std::vector<std::string> paths = {image};
    app->document->insertFiles(paths);
    ASSERT_TRUE(app->document->isModified());
}

std::string AtlasEditorTest::writeImage(const std::string& name, std::uint32_t width, std::uint32_t height,
                                        std::uint32_t seed) {
    const std::string path = folder.path(name);
    writePatternPng(path, width, height, seed);
    return path;
}

void AtlasEditorTest::insertFiles(const std::vector<std::string>& paths) {
    std::string answer;
    if (paths.size() == 1) {
        answer = paths[0];
    } else {
        const std::string::size_type separator = paths[0].find_last_of('\\');
        answer = paths[0].substr(0, separator);
        for (const std::string& path : paths) {
            answer += '\0' + path.substr(separator + 1);
        }
    }
    Script().fileAnswers.push_back({answer});
    command(ID_EDIT_INSERT_FILES);
}

void AtlasEditorTest::setItemState(int item, UINT state, UINT mask) {
    LVITEMA record = {};
    record.state = state;
    record.stateMask = mask;
    SendMessageA(app->entryList, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&record));
}

std::vector<std::string> AtlasEditorTest::itemsWithState(UINT flags) const {
    std::vector<std::string> items;
    for (int item = NextListItem(app->entryList, -1, flags); item != -1;
         item = NextListItem(app->entryList, item, flags)) {
        items.push_back(ListItemText(app->entryList, item));
    }
    return items;
}

std::vector<std::string> AtlasEditorTest::propertyValues() const {
    return {propertyValue(0), propertyValue(1), propertyValue(2), propertyValue(3)};
}

bool AtlasEditorTest::previewIsShown() const { return (GetWindowLongA(app->renderer, GWL_STYLE) & WS_VISIBLE) != 0; }
