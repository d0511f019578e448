# PXAEditor's windows, commands and dialogs, driven for real. The system's own
# dialogs have a program of their own: if one of them stayed open, the other
# tests' results would not be lost with it.
set(atlas_gui_support atlas_editor_fixture.cpp atlas_scripted_ui.cpp
  ${PROJECT_SOURCE_DIR}/tests/atlas/atlastestsupport.cpp)

pxa_add_test(NAME atlas_gui_tests
  SOURCES
    ${atlas_gui_support}
    atlas_document_commands_test.cpp
    atlas_draw_selected_test.cpp
    atlas_entry_commands_test.cpp
    atlas_entry_list_test.cpp
    atlas_main_window_test.cpp
    atlas_preview_test.cpp
    atlas_startup_test.cpp
    dialog_answerer_test.cpp
  LIBRARIES atlas_ui pxaeditor_resources gui_test_support atlas_core_internals)
target_include_directories(atlas_gui_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/atlas)

pxa_add_test(NAME atlas_dialog_tests
  SOURCES
    ${atlas_gui_support}
    atlas_real_dialogs_test.cpp
  LIBRARIES atlas_ui pxaeditor_resources gui_test_support atlas_core_internals)
target_include_directories(atlas_dialog_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/atlas)
