// Answers the modal dialogs that code under test opens on this thread.
//
// A modal dialog or message box runs its own message loop, so the test cannot
// act while it is open. DialogAnswerer installs a thread timer whose callback
// runs inside that nested loop, finds the dialog window (class "#32770") of
// this thread and carries out the next scripted step on it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class DialogAnswerer {
public:
    // One scripted answer, used once. `action` receives the dialog window and
    // should end the dialog (press a button).
    struct Step {
        std::string caption;  // empty: any dialog of this thread
        std::function<void(HWND dialog)> action;
    };

    DialogAnswerer();
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    void expect(Step step);
    // Presses the button with this id (IDOK, IDYES, ...), as a click would.
    void pressButton(const std::string& caption, int buttonId);
    // Types `fileName` into a common file dialog and presses its OK button.
    void answerFileDialog(const std::string& caption, const std::string& fileName);

    // The texts of the dialogs answered so far (caption, then the static text
    // of a message box), in order.
    const std::vector<std::string>& seenCaptions() const { return seenCaptions_; }
    const std::vector<std::string>& seenTexts() const { return seenTexts_; }
    bool allStepsDone() const { return nextStep_ == steps_.size(); }

private:
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
    void tick();

    UINT_PTR timer_ = 0;
    std::vector<Step> steps_;
    size_t nextStep_ = 0;
    std::vector<std::string> seenCaptions_;
    std::vector<std::string> seenTexts_;
};

// The text of a window or control.
std::string WindowText(HWND window);
// The text of the item of `command` in the window's menu bar.
std::string MenuText(HWND window, UINT command);
// Whether the window's title ends in the " *" of unsaved changes.
bool TitleMarked(HWND window);
