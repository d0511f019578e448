#include "editor.h"

#include <sstream>

#include "documentcommands.h"
#include "editorapp.h"
#include "exceptions.h"
#include "mainwindow.h"

int RunEditor(HINSTANCE instance, const ModalUi& ui) {
    EditorApp app;
    app.ui = ui;
    try {
        BuildImageTypeLists(app.readableTypes, app.writableTypes);
        app.instance = instance;
        CreateWindows(app);
        NewDocument(app);
        RunMessageLoop(app);
        ReleaseApp(app);
    } catch (const Exception& failure) {
        ReleaseApp(app);
        ui.messageBox(nullptr, ExceptionReport(failure).c_str(), nullptr, MB_OK);
    }
    return 0;
}

std::string ExceptionReport(const Exception& failure) {
    std::ostringstream report;
    report << "Caught exception from " << failure.file << ":" << failure.line << "\n\n" << failure.message << "\n";
    return report.str();
}
