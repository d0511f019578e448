// The application object of PXAEditor: its windows, image types and document.
#pragma once

#include <windows.h>

#include <array>
#include <exception>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "filepair.h"
#include "imagetypes.h"
#include "mainlayout.h"
#include "memoryreserve.h"
#include "modalui.h"
#include "picturestate.h"
#include "recentfiles.h"
#include "recentfilesmenu.h"
#include "settingsstore.h"
#include "uniquegdi.h"

struct EditorApp {
    EditorApp() = default;
    // Tears everything down (ReleaseApp) if that has not happened yet.
    ~EditorApp();
    EditorApp(const EditorApp&) = delete;
    EditorApp& operator=(const EditorApp&) = delete;

    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HWND entryList = nullptr;
    HWND renderer = nullptr;
    HWND propertiesBox = nullptr;
    HWND pictureBox = nullptr;
    std::array<HWND, 4> propertyLabels{};  // "X:", "Y:", "Width:", "Height:"
    std::array<HWND, 4> propertyValues{};  // the shown entry's x, y, width, height
    HWND statusBar = nullptr;

    // The layout at the window's DPI (windowlayout.h).
    UINT dpi = 96;
    UniqueFont font;  // the system's message font at that DPI
    TextSizes textSizes;
    int listWidth = 400;  // the splitter's place, in pixels, where the window has room for it
    MainLayout layout{};
    PictureState picture;  // what the picture area shows (renderer.h, atlasview.h)
    bool draggingSplitter = false;
    int splitterGrip = 0;  // where in the bar the mouse took it
    std::vector<ImageType> readableTypes;
    std::vector<ImageType> writableTypes;
    std::unique_ptr<FilePair> document;

    // Message boxes and dialogs.
    ModalUi ui = SystemModalUi();
    // What a command that has changed the document may still spend to show
    // the change (memoryreserve.h): the largest list's names and sort keys.
    MemoryReserve memoryReserve{16u << 20};
    // An exception that left a command. It must not unwind through the
    // system's code that called the window procedure, so the procedure keeps
    // it here, ends the message loop, and the loop throws it again.
    std::exception_ptr pendingFailure;
    // What is remembered between runs (editorsettings.h); without a key, nothing.
    SettingsStore settings;
    RecentFiles recentFiles;                          // index files, most recent first
    std::map<std::string, std::string> recentImages;  // the image each was used with
    RecentFilesMenu recentMenu;
    // A selectionStatusMessage is on its way (documentstatus.h).
    bool selectionStatusPending = false;
};

// The EditorApp whose pointer a window of this program carries, or null.
EditorApp* AppOfWindow(HWND window);
