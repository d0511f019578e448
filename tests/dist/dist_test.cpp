// The zip for users, as unpacked by unpack-and-run.sh: what it holds, and
// each program started from the unpacked folder, so that it can find nothing
// but what came in the zip beside it.
#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>
#include <windows.h>

#include "programrunner.h"

namespace {

const std::string kFolder = UNPACKED_FOLDER "/" DIST_NAME;

struct ProcessWindowSearch {
    DWORD processId = 0;
    HWND window = nullptr;
};

BOOL CALLBACK FindVisibleWindowOfProcess(HWND window, LPARAM searchAddress) {
    ProcessWindowSearch& search = *reinterpret_cast<ProcessWindowSearch*>(searchAddress);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search.processId && IsWindowVisible(window)) {
        search.window = window;
        return FALSE;
    }
    return TRUE;
}

// Starts a windowed program, waits for its main window, closes that as the
// user would and returns the program's exit code; -1 when it did not start,
// showed no window or did not end.
int RunAndClose(const std::string& program) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, kFolder.c_str(),
                        &startup, &process)) {
        return -1;
    }
    const std::unique_ptr<void, decltype(&CloseHandle)> processHandle(process.hProcess, CloseHandle);
    const std::unique_ptr<void, decltype(&CloseHandle)> threadHandle(process.hThread, CloseHandle);
    ProcessWindowSearch search;
    search.processId = process.dwProcessId;
    for (int tries = 0; tries < 300 && search.window == nullptr; ++tries) {
        if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) {
            break;
        }
        EnumWindows(FindVisibleWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    }
    DWORD exitCode = 0;
    if (search.window == nullptr || !PostMessageA(search.window, WM_CLOSE, 0, 0) ||
        WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.hProcess, &exitCode)) {
        TerminateProcess(process.hProcess, 1);
        return -1;
    }
    return static_cast<int>(exitCode);
}

} // namespace

TEST(Distribution, HoldsTheProgramsTheLibraryTheReadmeAndTheLicences) {
    std::vector<std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(UNPACKED_FOLDER)) {
        if (item.is_regular_file()) {
            files.push_back(std::filesystem::relative(item.path(), UNPACKED_FOLDER).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<std::string> expected = {"FreeImage.dll", "PXAEditor.exe", "README.txt", "StringTableEditor.exe",
                                         "dattool.exe", "pxatool.exe"};
    for (const char* license : {"CLI11", "FreeImage", "GPL-2", "GPL-3", "Imath", "OpenJPEG", "gcc-runtime",
                                "libjpeg-turbo", "libpng", "libtiff", "libwebp", "mingw-w64-runtime",
                                "nlohmann-json", "zlib"}) {
        expected.push_back(std::string("licenses/") + license + ".txt");
    }
    for (std::string& file : expected) {
        file = DIST_NAME "/" + file;
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(files, expected);
}

TEST(Distribution, EveryProgramRunsFromTheUnpackedFolder) {
    for (const char* tool : {"pxatool", "dattool"}) {
        const ProgramRun version = RunProgram(kFolder + "/" + tool + ".exe", {"--version"});
        EXPECT_EQ(version.exitCode, 0) << tool << version.err;
        EXPECT_EQ(version.out, std::string(tool) + " " PXA_VERSION "\n");
    }
    // FreeImage.dll from the zip does the work of an atlas (written in the
    // test's own folder, not the unpacked one).
    const std::string pxatool = kFolder + "/pxatool.exe";
    EXPECT_EQ(RunProgram(pxatool, {"new", "smoke.pxa", "smoke.tga", "--size", "64x32", "--force"}).exitCode, 0);
    EXPECT_EQ(RunProgram(pxatool, {"info", "smoke.pxa", "smoke.tga"}).out.substr(0, 11), "size 64x32\n");

    for (const char* editor : {"PXAEditor.exe", "StringTableEditor.exe"}) {
        EXPECT_EQ(RunAndClose(kFolder + "/" + editor), 0) << editor;
    }
}
