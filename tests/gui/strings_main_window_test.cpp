#include "mainwindow.h"

#include <gtest/gtest.h>

#include "dialog_answerer.h"
#include "stringtableeditor_resource.h"

namespace {

TEST(StringsMainWindow, StartsHiddenWithTheProgramTitleAndMenu) {
  HWND window = CreateMainWindow(GetModuleHandleA(nullptr));
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(WindowText(window), "VRN DAT Editor 1.00 Beta 1");
  char className[32] = {};
  GetClassNameA(window, className, sizeof(className));
  EXPECT_STREQ(className, "DAT_EDITOR");
  HMENU menu = GetMenu(window);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), 3);
  DestroyWindow(window);
  EXPECT_FALSE(IsWindow(window));
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

}  // namespace
