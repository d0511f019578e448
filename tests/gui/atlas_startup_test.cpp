// The program from its entry point: a normal run, a pair named on the command
// line, and the report that ends it when its windows cannot be made.
#include <gtest/gtest.h>

#include "atlas_scripted_ui.h"
#include "atlastestsupport.h"
#include "editor.h"
#include "exceptions.h"

namespace {

// Refuses to create windows of one class on this thread while alive.
class RefuseWindowClass {
public:
    explicit RefuseWindowClass(const char* className) {
        refusedClass = className;
        hook_ = SetWindowsHookExA(WH_CBT, refuse, nullptr, GetCurrentThreadId());
    }
    ~RefuseWindowClass() { UnhookWindowsHookEx(hook_); }
    RefuseWindowClass(const RefuseWindowClass&) = delete;
    RefuseWindowClass& operator=(const RefuseWindowClass&) = delete;

    bool isActive() const { return hook_ != nullptr; }

private:
    static LRESULT CALLBACK refuse(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) {
            char name[64] = "";
            GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof(name));
            if (_stricmp(name, refusedClass) == 0) {
                return 1;
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static const char* refusedClass;
    HHOOK hook_;
};

const char* RefuseWindowClass::refusedClass = "";

BOOL CALLBACK collectEditorWindow(HWND window, LPARAM found) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) == "PXAEditor") {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

std::vector<HWND> editorWindowsOfThisThread() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), collectEditorWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// What the running program showed, seen from inside its message loop.
struct RunningWindow {
    bool found = false;
    bool visible = false;
    std::string title;
};
RunningWindow runningWindow;

void CALLBACK closeTheEditor(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const std::vector<HWND> windows = editorWindowsOfThisThread();
    if (windows.empty()) {
        return;
    }
    char title[MAX_PATH] = "";
    GetWindowTextA(windows[0], title, MAX_PATH);
    runningWindow = {true, IsWindowVisible(windows[0]) != FALSE, title};
    PostMessageA(windows[0], WM_CLOSE, 0, 0);
}

}  // namespace

TEST(AtlasStartup, ReportNamesTheThrowSiteAndTheMessage) {
    const Exception failure("mainwindow.cpp", 42, "Unable to create main window");
    EXPECT_EQ(ExceptionReport(failure), "Caught exception from mainwindow.cpp:42\n\nUnable to create main window\n");
    const BadFileException corrupt("indexfile.cpp", 7, "C:\\a.pxa");
    EXPECT_EQ(ExceptionReport(corrupt), "Caught exception from indexfile.cpp:7\n\nBad or corrupted file:\nC:\\a.pxa\n");
}

TEST(AtlasStartup, RunsUntilTheWindowIsClosedAndReturnsZero) {
    ResetScript();
    runningWindow = RunningWindow();
    SetTimer(nullptr, 0, 100, closeTheEditor);
    EXPECT_EQ(RunEditor(GetModuleHandleA(nullptr), ScriptedModalUi()), 0);
    EXPECT_TRUE(runningWindow.found);
    EXPECT_TRUE(runningWindow.visible);
    EXPECT_EQ(runningWindow.title, "PXA Editor - [Unnamed]");
    EXPECT_TRUE(Script().messageBoxes.empty());
    EXPECT_TRUE(editorWindowsOfThisThread().empty());
}

TEST(AtlasStartup, AWindowThatCannotBeCreatedEndsTheProgramWithTheReport) {
    ResetScript();
    {
        RefuseWindowClass refuse("Static");
        ASSERT_TRUE(refuse.isActive());
        EXPECT_EQ(RunEditor(GetModuleHandleA(nullptr), ScriptedModalUi()), 0);
    }
    ASSERT_EQ(Script().messageBoxes.size(), 1u);
    const MessageBoxCall& report = Script().messageBoxes[0];
    EXPECT_EQ(report.owner, nullptr);
    EXPECT_FALSE(report.hasCaption);
    EXPECT_EQ(report.type, static_cast<UINT>(MB_OK));
    const std::string prefix = "Caught exception from mainwindow.cpp:";
    const std::string suffix = "\n\nUnable to create main window\n";
    EXPECT_EQ(report.text.rfind(prefix, 0), 0u) << report.text;
    ASSERT_GT(report.text.size(), prefix.size() + suffix.size()) << report.text;
    EXPECT_EQ(report.text.substr(report.text.size() - suffix.size()), suffix);
    const std::string line = report.text.substr(prefix.size(), report.text.size() - prefix.size() - suffix.size());
    EXPECT_EQ(line.find_first_not_of("0123456789"), std::string::npos) << line;
    EXPECT_TRUE(editorWindowsOfThisThread().empty()) << "the tear-down destroyed what was made";
}

// Two paths are a pair; one is an index, opened with the image of its name
// beside it ("Open with"); any other number is ignored.
TEST(AtlasStartup, OpensThePairOrTheIndexNamedOnTheCommandLineAsOpenWould) {
    TestFolder folder;
    const std::string index = folder.path("my sprites.pxa");
    const std::string image = folder.path("my sprites.tga");
    writeFileBytes(index, indexBytes({}));
    writeBlankAtlas(image, 64, 64);
    struct Case {
        std::vector<std::string> arguments;
        std::string title;
        std::vector<std::string> messages;
    };
    const Case cases[] = {{{index, image}, "PXA Editor - [" + index + "]", {}},
                          {{folder.path("missing.pxa"), image}, "PXA Editor - [Unnamed]", {"Unable to open file"}},
                          {{index}, "PXA Editor - [" + index + "]", {}},
                          {{index, image, image}, "PXA Editor - [Unnamed]", {}}};
    for (const Case& c : cases) {
        ResetScript();
        SetTimer(nullptr, 0, 100, closeTheEditor);
        EXPECT_EQ(RunEditor(GetModuleHandleA(nullptr), ScriptedModalUi(), c.arguments), 0);
        EXPECT_EQ(runningWindow.title, c.title);
        EXPECT_EQ(Script().messageBoxTexts(), c.messages);
    }
}
