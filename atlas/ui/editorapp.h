// The application object of PXAEditor: its windows, image types and document.
#pragma once

#include <windows.h>

#include <array>
#include <exception>
#include <memory>
#include <vector>

#include "filepair.h"
#include "imagetypes.h"
#include "modalui.h"

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
    std::vector<ImageType> readableTypes;
    std::vector<ImageType> writableTypes;
    std::unique_ptr<FilePair> document;

    // Message boxes and dialogs.
    ModalUi ui = SystemModalUi();
    // An exception that left a command. It must not unwind through the
    // system's code that called the window procedure, so the procedure keeps
    // it here, ends the message loop, and the loop throws it again.
    std::exception_ptr pendingFailure;
};

// The EditorApp whose pointer a window of this program carries, or null.
EditorApp* AppOfWindow(HWND window);
