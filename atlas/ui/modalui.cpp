#include "modalui.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>

#include "systemdialogs.h"

namespace {

DWORD systemFileDialogError() { return CommDlgExtendedError(); }

struct ItemListReleaser {
    void operator()(ITEMIDLIST* items) const { CoTaskMemFree(items); }
};

// The folder browser needs COM on this thread, apartment-threaded; each
// successful initialisation, also a repeated one, is balanced.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

// Selects the starting folder (lpData) once the browser is up.
int CALLBACK selectStartingFolder(HWND browser, UINT message, LPARAM, LPARAM folder) {
    if (message == BFFM_INITIALIZED && folder != 0) {
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, folder);
    }
    return 0;
}

bool systemBrowseForFolder(HWND owner, const char* title, std::string& folder) {
    ComApartment com;
    char displayName[MAX_PATH] = "";  // required by the call, not used
    BROWSEINFOA browse = {};
    browse.hwndOwner = owner;
    browse.pszDisplayName = displayName;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    browse.lpfn = selectStartingFolder;
    browse.lParam = folder.empty() ? 0 : reinterpret_cast<LPARAM>(folder.c_str());
    const std::unique_ptr<ITEMIDLIST, ItemListReleaser> items(SHBrowseForFolderA(&browse));
    if (!items) {
        return false;
    }
    // A folder without a file-system path (BIF_RETURNONLYFSDIRS should make
    // it unchoosable, but Wine lets it through) is no answer: an empty folder
    // would put the files wherever the current directory happens to be.
    char path[MAX_PATH] = "";
    if (!SHGetPathFromIDListA(items.get(), path) || path[0] == '\0') {
        return false;
    }
    folder = path;
    return true;
}

void systemContextMenu(HMENU popup, int x, int y, HWND owner) { TrackPopupMenu(popup, 0, x, y, 0, owner, nullptr); }

}  // namespace

ModalUi SystemModalUi() {
    return {SystemMessageBox,      SystemOpenFileDialog,  SystemSaveFileDialog,
            systemFileDialogError, systemBrowseForFolder, systemContextMenu};
}
