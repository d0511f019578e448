// The Win32 helpers both editors share: settings in the registry, the
// recent files on a menu and the message font at a DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include "dpi.h"
#include "recentfilesmenu.h"
#include "settingsstore.h"

namespace {

const char kTestKey[] = "Software\\PXATools common_ui tests";

class CommonUiSettings : public testing::Test {
protected:
    void SetUp() override { settings_.removeAll(); }
    void TearDown() override { settings_.removeAll(); }
    void writeRaw(const char* name, DWORD type, const std::string& bytes) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    SettingsStore settings_{kTestKey};
};

TEST_F(CommonUiSettings, ValuesReadBackAsWrittenAndOtherTypesReadAsAbsent) {
    EXPECT_FALSE(settings_.readInteger("Number"));
    settings_.writeInteger("Number", -5);
    settings_.writeString("Text", "C:\\a b");
    settings_.writeStringList("List", {"x", "y z"});
    EXPECT_EQ(settings_.readInteger("Number"), -5);
    EXPECT_EQ(settings_.readString("Text"), std::string("C:\\a b"));
    EXPECT_EQ(settings_.readStringList("List"), (std::vector<std::string>{"x", "y z"}));

    writeRaw("Number", REG_SZ, std::string("5\0", 2));
    writeRaw("Text", REG_DWORD, std::string(4, '\1'));
    writeRaw("List", REG_BINARY, "x");
    writeRaw("Unended", REG_SZ, "no zero");
    EXPECT_FALSE(settings_.readInteger("Number"));
    EXPECT_FALSE(settings_.readString("Text"));
    EXPECT_TRUE(settings_.readStringList("List").empty());
    EXPECT_EQ(settings_.readString("Unended"), std::string("no zero"));

    const SettingsStore none;
    none.writeInteger("Number", 1);
    EXPECT_FALSE(none.readInteger("Number"));
}

TEST(RecentFilesMenu, ShowsNumberedItemsAndOneSeparatorAboveTheGivenItem) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "&Open...");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, 2, "E&xit");
    RecentFilesMenu recent(menu, 2, 100);
    const std::string longPath = "C:\\" + std::string(80, 'f') + "\\name.DAT";
    const std::vector<std::vector<std::string>> shown = {{"C:\\a&b.DAT", longPath}, {"D:\\c.DAT"}, {}};
    const std::vector<std::vector<std::string>> expected = {
        {"&Open...", "", "&1 C:\\a&&b.DAT", "&2 C:\\...\\name.DAT", "", "E&xit"},
        {"&Open...", "", "&1 D:\\c.DAT", "", "E&xit"},
        {"&Open...", "", "E&xit"}};
    for (size_t i = 0; i < shown.size(); ++i) {
        recent.show(shown[i]);
        std::vector<std::string> texts;
        for (int position = 0; position < GetMenuItemCount(menu); ++position) {
            char text[100] = {};
            GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
            texts.push_back(text);
        }
        EXPECT_EQ(texts, expected[i]);
        EXPECT_EQ(recent.indexOf(101), shown[i].size() > 1 ? 1 : -1);
    }
    DestroyMenu(menu);
}

TEST(Dpi, LayoutsAndTheMessageFontScaleFromNinetySixDpi) {
    EXPECT_EQ(ScaleForDpi(190, 144), 285);
    EXPECT_EQ(UnscaleForDpi(285, 144), 190);
    const LOGFONTW at96 = MessageLogFont(96);
    const LOGFONTW at192 = MessageLogFont(192);
    EXPECT_NE(at96.lfHeight, 0);
    EXPECT_EQ(at192.lfHeight, 2 * at96.lfHeight);
    EXPECT_EQ(std::wstring(at192.lfFaceName), std::wstring(at96.lfFaceName));
    EXPECT_TRUE(CreateMessageFont(144));
}

}  // namespace
