#include "editor.h"

#include <sstream>

#include "commandrun.h"
#include "documentcommands.h"
#include "editorsettings.h"
#include "editorapp.h"
#include "exceptions.h"
#include "mainwindow.h"

namespace {

// One path is an index, as "Open with" and file associations pass it; two are
// an index and its image. Any other number is ignored.
void openFromCommandLine(EditorApp& app, const std::vector<std::string>& arguments) {
    if (arguments.empty() || arguments.size() > 2) {
        return;
    }
    ShowMainWindow(app);  // a failure's message or a dialog appears over the window
    if (arguments.size() == 1) {
        OpenIndex(app, arguments[0]);
    } else {
        OpenPair(app, arguments[0], arguments[1]);
    }
}

}  // namespace

int RunEditor(HINSTANCE instance, const ModalUi& ui, const std::vector<std::string>& arguments,
              const std::string& settingsKey) {
    EditorApp app;
    app.ui = ui;
    app.settings = SettingsStore(settingsKey);
    try {
        BuildImageTypeLists(app.readableTypes, app.writableTypes);
        app.instance = instance;
        CreateWindows(app);
        LoadEditorSettings(app);
        NewDocument(app);
        RunCommand(app, [&] { openFromCommandLine(app, arguments); });
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
