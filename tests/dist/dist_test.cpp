// The zip for users, as unpacked by unpack-and-run.sh: what it holds, and
// each program started from the unpacked folder, where it finds nothing but
// what came in the zip beside it.
#include <algorithm>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>
#include <windows.h>

#include "programrunner.h"

namespace {

const std::string kFolder = UNPACKED_FOLDER "/" DIST_NAME;

BOOL CALLBACK FindVisibleWindow(HWND candidate, LPARAM found) {
    *reinterpret_cast<HWND*>(found) = IsWindowVisible(candidate) ? candidate : nullptr;
    return !IsWindowVisible(candidate);
}

// Starts a windowed program, closes its main window as the user would once it
// shows and returns the exit code; -1 when no window showed or it did not end.
int RunAndClose(const std::string& program) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, kFolder.c_str(),
                        &startup, &process)) {
        return -1;
    }
    const std::unique_ptr<void, decltype(&CloseHandle)> owned[] = {{process.hProcess, CloseHandle},
                                                                   {process.hThread, CloseHandle}};
    HWND window = nullptr;
    for (int tries = 0; tries < 300 && !window && WaitForSingleObject(process.hProcess, 100) == WAIT_TIMEOUT; ++tries) {
        EnumThreadWindows(process.dwThreadId, FindVisibleWindow, reinterpret_cast<LPARAM>(&window));
    }
    DWORD exitCode = 0;
    if (window && PostMessageA(window, WM_CLOSE, 0, 0) &&
        WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(process.hProcess, &exitCode)) {
        return static_cast<int>(exitCode);
    }
    TerminateProcess(process.hProcess, 1);
    return -1;
}

}  // namespace

TEST(Distribution, HoldsTheProgramsTheLibraryTheReadmeAndTheLicences) {
    std::vector<std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(UNPACKED_FOLDER)) {
        if (item.is_regular_file()) {
            files.push_back(std::filesystem::relative(item.path(), UNPACKED_FOLDER).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<std::string> expected;
    for (const char* file :
         {"FreeImage.dll", "PXAEditor.exe", "README.txt", "StringTableEditor.exe", "dattool.exe", "licenses/CLI11.txt",
          "licenses/FreeImage.txt", "licenses/GPL-2.txt", "licenses/GPL-3.txt", "licenses/Imath.txt",
          "licenses/OpenJPEG.txt", "licenses/gcc-runtime.txt", "licenses/libjpeg-turbo.txt", "licenses/libpng.txt",
          "licenses/libtiff.txt", "licenses/libwebp.txt", "licenses/mingw-w64-runtime.txt", "licenses/zlib.txt",
          "pxatool.exe"}) {
        expected.push_back(DIST_NAME "/" + std::string(file));
    }
    EXPECT_EQ(files, expected);
}

TEST(Distribution, EveryProgramRunsFromTheUnpackedFolder) {
    for (const char* tool : {"pxatool", "dattool"}) {
        const ProgramRun version = RunProgram(kFolder + "/" + tool + ".exe", {"--version"});
        EXPECT_EQ(version.out, std::string(tool) + " " PXA_VERSION "\n") << version.exitCode << version.err;
    }
    // FreeImage.dll from the zip does an atlas's work (in the test's folder).
    const std::string pxatool = kFolder + "/pxatool.exe";
    EXPECT_EQ(RunProgram(pxatool, {"new", "smoke.pxa", "smoke.tga", "--size", "64x32", "--force"}).exitCode, 0);
    EXPECT_EQ(RunProgram(pxatool, {"info", "smoke.pxa", "smoke.tga"}).out.substr(0, 11), "size 64x32\n");
    for (const char* editor : {"PXAEditor.exe", "StringTableEditor.exe"}) {
        EXPECT_EQ(RunAndClose(kFolder + "/" + editor), 0) << editor;
    }
}
