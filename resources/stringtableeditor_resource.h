// Resource and command ids of StringTableEditor.
#pragma once

#define IDR_MAIN_MENU 101
#define IDD_EDIT_STRING 102
#define IDI_APPLICATION_ICON 103
#define IDD_FIND 104
#define IDR_ACCELERATORS 105

#define ID_FILE_NEW 40009
#define ID_FILE_OPEN 40010
#define ID_FILE_CLOSE 40011
#define ID_FILE_SAVE 40012
#define ID_FILE_SAVE_AS 40013
#define ID_FILE_EXIT 40014
#define ID_HELP_ABOUT 40015
#define ID_EDIT_INSERT_STRING 40021
#define ID_EDIT_EDIT_STRING 40023
#define ID_EDIT_DELETE_STRING 40024
#define ID_EDIT_SELECT_ALL 40025
#define ID_EDIT_INVERT_SELECTION 40027
#define ID_EDIT_FIND 40028
#define ID_EDIT_FIND_NEXT 40029
#define ID_EDIT_UNDO 40030
#define ID_EDIT_REDO 40031
// The recent files on the File menu take the ids from here on
// (RecentFilesMenu::kReservedCommands of them).
#define ID_FILE_RECENT_FIRST 40100

#define IDC_STRING_NAME 1001
#define IDC_STRING_TEXT 1003
#define IDC_STRING_HINT 1004
#define IDC_STRING_COUNT 1005
#define IDC_FIND_TEXT 1101
#define IDC_FIND_IN_NAMES 1102
#define IDC_FIND_IN_TEXTS 1103
#define IDC_FIND_IN_BOTH 1104
