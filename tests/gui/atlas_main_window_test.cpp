#include "mainwindow.h"

#include <gtest/gtest.h>

#include "dialog_answerer.h"
#include "pxaeditor_resource.h"

namespace {

class AtlasMainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window = CreateMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    if (IsWindow(window)) {
      DestroyWindow(window);
    }
    // Drop the WM_QUIT a close may have posted, so the next test starts clean.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  HWND window = nullptr;
};

TEST_F(AtlasMainWindow, StartsHiddenWithTheUntitledCaptionAndClass) {
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(WindowText(window), "PXA Editor - [Unnamed]");
  char className[32] = {};
  GetClassNameA(window, className, sizeof(className));
  EXPECT_STREQ(className, "PXAEditor");
}

TEST_F(AtlasMainWindow, MenuComesFromTheResourceWithEntryCommandsGreyed) {
  HMENU menu = GetMenu(window);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), 3);
  HMENU edit = GetSubMenu(menu, 1);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(GetMenuState(edit, ID_EDIT_DELETE_FILES, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(edit, ID_EDIT_RENAME_FILE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(edit, ID_EDIT_EXTRACT_FILES, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(edit, ID_EDIT_INSERT_FILES, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(AtlasMainWindow, CloseDestroysTheWindowAndEndsTheMessageLoop) {
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 0u);
}

}  // namespace
