#include "modalui.h"

#include "editstringdialog.h"
#include "finddialog.h"
#include "systemdialogs.h"

ModalUi SystemModalUi() {
    return {SystemMessageBox, SystemOpenFileDialog, SystemSaveFileDialog, EditStringDialog, FindDialog};
}
