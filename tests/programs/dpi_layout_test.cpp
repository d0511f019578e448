// Both editors started on a screen at 150 % (SCREEN_DPI, the LogPixels of
// the Wine prefix this program runs in): their windows take that DPI, and no
// control overlaps another or sticks out of the window that holds it.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

BOOL CALLBACK findVisibleWindow(HWND candidate, LPARAM found) {
    if (IsWindowVisible(candidate)) {
        *reinterpret_cast<HWND*>(found) = candidate;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK collectChild(HWND child, LPARAM children) {
    reinterpret_cast<std::vector<HWND>*>(children)->push_back(child);
    return TRUE;
}

std::string describe(HWND window) {
    char className[64] = "";
    char text[64] = "";
    GetClassNameA(window, className, sizeof(className));
    GetWindowTextA(window, text, sizeof(text));
    return std::string(className) + " \"" + text + "\"";
}

RECT clientOnScreen(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

UINT dpiOf(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    const FARPROC address = GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void (*)()>(address));
    return getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
}

// A program started with one argument or none, its main window shown; closed
// at the end.
class RunningProgram {
public:
    RunningProgram(const char* path, const std::string& argument) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started = {};
        std::string commandLine = std::string("\"") + path + "\"" + (argument.empty() ? "" : " \"" + argument + "\"");
        if (!CreateProcessA(path, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
            return;
        }
        process_.reset(started.hProcess);
        UniqueHandle thread(started.hThread);
        for (int tries = 0; tries < 300 && window_ == nullptr; ++tries) {
            WaitForInputIdle(started.hProcess, 100);
            EnumThreadWindows(started.dwThreadId, findVisibleWindow, reinterpret_cast<LPARAM>(&window_));
        }
        Sleep(500);  // the first layouts after showing
    }
    ~RunningProgram() {
        if (window_ != nullptr) {
            PostMessageA(window_, WM_CLOSE, 0, 0);
        }
        if (process_ && WaitForSingleObject(process_.get(), 30000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.get(), 1);
        }
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    HWND window() const { return window_; }

private:
    UniqueHandle process_;
    HWND window_ = nullptr;
};

}  // namespace

TEST(DpiLayout, TheScreenIsAtTheScaleOfThePrefix) {
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), SCREEN_DPI);
    ReleaseDC(nullptr, screen);
}

// StringTableEditor with a table open, so that its list is shown.
TEST(DpiLayout, NoControlOverlapsAnotherOrLeavesItsWindow) {
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    const std::string table = std::string(folder) + "dpi-layout.dat";
    std::ofstream(table, std::ios::binary).write("\0\0\0\0", 4);  // no entries
    const std::pair<const char*, std::string> programs[] = {{PXA_EDITOR, ""}, {STRING_TABLE_EDITOR, table}};
    for (const auto& [path, document] : programs) {
        SCOPED_TRACE(path);
        const RunningProgram program(path, document);
        ASSERT_NE(program.window(), nullptr) << "no window showed";
        EXPECT_EQ(dpiOf(program.window()), static_cast<UINT>(SCREEN_DPI)) << "the program is DPI-aware";
        std::vector<HWND> all;
        EnumChildWindows(program.window(), collectChild, reinterpret_cast<LPARAM>(&all));
        std::map<HWND, std::vector<HWND>> childrenOf;
        for (HWND child : all) {
            if (IsWindowVisible(child)) {
                childrenOf[GetParent(child)].push_back(child);
            }
        }
        ASSERT_GE(childrenOf[program.window()].size(), 2u);
        for (const auto& family : childrenOf) {
            const RECT inside = clientOnScreen(family.first);
            for (std::size_t i = 0; i < family.second.size(); ++i) {
                RECT child = {};
                GetWindowRect(family.second[i], &child);
                RECT united = {};
                UnionRect(&united, &child, &inside);
                EXPECT_TRUE(EqualRect(&united, &inside))
                    << describe(family.second[i]) << " leaves " << describe(family.first);
                for (std::size_t j = i + 1; j < family.second.size(); ++j) {
                    RECT other = {};
                    GetWindowRect(family.second[j], &other);
                    RECT common = {};
                    EXPECT_FALSE(IntersectRect(&common, &child, &other))
                        << describe(family.second[i]) << " overlaps " << describe(family.second[j]);
                }
            }
        }
    }
}
