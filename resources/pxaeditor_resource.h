// Resource and command ids of PXAEditor.
#pragma once

#define IDI_APPLICATION_ICON 101
#define IDR_MAIN_MENU 102
#define IDR_ACCELERATORS 103

#define ID_FILE_OPEN 40001
#define ID_FILE_SAVE 40002
#define ID_FILE_SAVE_AS 40003
#define ID_FILE_NEW 40004
#define ID_FILE_EXIT 40005
#define ID_HELP_ABOUT 40006
#define ID_EDIT_INSERT_FILES 40007
#define ID_EDIT_DELETE_FILES 40008
#define ID_EDIT_RENAME_FILE 40009
#define ID_EDIT_EXTRACT_FILES 40010
#define ID_EDIT_SELECT_ALL 57642
#define ID_EDIT_UNDO 40020
#define ID_EDIT_REDO 40021
// The recent documents of the File menu take this id and the 8 after it.
#define ID_FILE_RECENT_FIRST 40100
