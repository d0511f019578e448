#include "dialog_answerer.h"

#include <commdlg.h>
#include <dlgs.h>

namespace {

DialogAnswerer* g_activeAnswerer = nullptr;

struct DialogSearch {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    if (std::string(className) != "#32770" || !IsWindowVisible(window)) {
        return TRUE;
    }
    if (!search->caption->empty() && WindowText(window) != *search->caption) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
    char className[64] = {};
    GetClassNameA(child, className, sizeof(className));
    if (std::string(className) == "Static") {
        std::string text = WindowText(child);
        if (!text.empty()) {
            auto* texts = reinterpret_cast<std::string*>(param);
            if (!texts->empty()) {
                *texts += '\n';
            }
            *texts += text;
        }
    }
    return TRUE;
}

}  // namespace

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string MenuText(HWND window, UINT command) {
    char text[64] = "";
    GetMenuStringA(GetMenu(window), command, text, sizeof(text), MF_BYCOMMAND);
    return text;
}

bool TitleMarked(HWND window) {
    const std::string title = WindowText(window);
    return title.size() >= 2 && title.compare(title.size() - 2, 2, " *") == 0;
}

DialogAnswerer::DialogAnswerer() {
    g_activeAnswerer = this;
    timer_ = SetTimer(nullptr, 0, 50, onTimer);
}

DialogAnswerer::~DialogAnswerer() {
    KillTimer(nullptr, timer_);
    g_activeAnswerer = nullptr;
}

void DialogAnswerer::expect(Step step) { steps_.push_back(std::move(step)); }

void DialogAnswerer::pressButton(const std::string& caption, int buttonId) {
    expect({caption, [buttonId](HWND dialog) {
                HWND button = GetDlgItem(dialog, buttonId);
                if (button != nullptr) {
                    SendMessageA(button, BM_CLICK, 0, 0);
                } else {
                    // Message boxes accept their button ids as commands even when
                    // the button itself has another control id.
                    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
                }
            }});
}

void DialogAnswerer::answerFileDialog(const std::string& caption, const std::string& fileName) {
    expect({caption, [fileName](HWND dialog) {
                // Old-style dialogs have the edit control edt1; Explorer-style ones
                // a combo box cmb13 with the edit control inside.
                HWND edit = GetDlgItem(dialog, edt1);
                if (edit == nullptr) {
                    HWND combo = GetDlgItem(dialog, cmb13);
                    edit = combo != nullptr ? FindWindowExA(combo, nullptr, "Edit", nullptr) : nullptr;
                    if (edit == nullptr) {
                        edit = combo;
                    }
                }
                if (edit != nullptr) {
                    SetWindowTextA(edit, fileName.c_str());
                }
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }});
}

void CALLBACK DialogAnswerer::onTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_activeAnswerer != nullptr) {
        g_activeAnswerer->tick();
    }
}

void DialogAnswerer::tick() {
    if (nextStep_ >= steps_.size()) {
        return;
    }
    const Step& step = steps_[nextStep_];
    DialogSearch search{&step.caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) {
        return;
    }
    std::string text;
    EnumChildWindows(search.found, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    seenCaptions_.push_back(WindowText(search.found));
    seenTexts_.push_back(text);
    ++nextStep_;
    step.action(search.found);
}
