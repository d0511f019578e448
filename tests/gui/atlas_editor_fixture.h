// PXAEditor's real windows for each test, hidden, with scripted dialogs, and
// ways to read back what they show.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "atlas_scripted_ui.h"
#include "atlastestsupport.h"
#include "editorapp.h"

// A rectangle in its parent's client coordinates.
struct Placement {
    int x;
    int y;
    int width;
    int height;
};
bool operator==(const Placement& a, const Placement& b);
std::ostream& operator<<(std::ostream& out, const Placement& placement);

Placement PlacementOf(HWND window);

class AtlasEditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Sends a menu command as the menu or an accelerator would.
    void command(WORD id);
    std::string title() const;
    std::vector<std::string> listItems() const;
    std::string propertyValue(int index) const;
    bool isGreyed(UINT commandId) const;
    // Extract File(s), Rename File and Delete File(s) all greyed (true) or
    // all enabled (false); fails when they differ.
    ::testing::AssertionResult entryCommandsAre(bool greyed) const;

    // Writes an index and a blank (transparent black) TGA atlas under `stem`
    // (stem.pxa, stem.tga) and returns the two paths.
    struct PairPaths {
        std::string index;
        std::string image;
    };
    PairPaths writePair(const std::string& stem, const std::vector<IndexRecordSpec>& records, std::uint32_t width = 64,
                        std::uint32_t height = 64);
    // Opens the pair through the Open command, both dialogs answered.
    void openPair(const PairPaths& pair);
    // Changes the document as an editing command would.
    void modifyDocument();

    // A PNG of pattern pixels in the test's folder; returns its path.
    std::string writeImage(const std::string& name, std::uint32_t width, std::uint32_t height, std::uint32_t seed = 1);
    // Insert File(s) with these files chosen in the dialog (one folder).
    void insertFiles(const std::vector<std::string>& paths);
    // Sets an item's state as a click would (LVM_SETITEMSTATE): the list
    // sends its real notifications.
    void setItemState(int item, UINT state, UINT mask);
    std::vector<std::string> itemsWithState(UINT flags) const;
    std::vector<std::string> propertyValues() const;
    bool previewIsShown() const;

    TestFolder folder;
    std::unique_ptr<EditorApp> app;
};
