# PXAEditor's windows, commands and dialogs, driven for real. The system's own
# dialogs have a program of their own: if one of them stayed open, the other
# tests' results would not be lost with it.
add_library(atlas_gui_test_support STATIC atlas_editor_fixture.cpp atlas_scripted_ui.cpp)
target_include_directories(atlas_gui_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(atlas_gui_test_support PUBLIC atlas_ui atlas_test_support PRIVATE project_options)

pxa_add_test(NAME atlas_gui_tests
  SOURCES
    atlas_document_commands_test.cpp
    atlas_draw_selected_test.cpp
    atlas_entry_commands_test.cpp
    atlas_entry_list_test.cpp
    atlas_file_drop_test.cpp
    atlas_history_test.cpp
    atlas_main_window_test.cpp
    atlas_picture_test.cpp
    atlas_preview_test.cpp
    atlas_settings_test.cpp
    atlas_startup_test.cpp
    dialog_answerer_test.cpp
  LIBRARIES atlas_gui_test_support pxaeditor_resources)

# Its own program: its operator new fails the allocations it chooses.
pxa_add_test(NAME atlas_out_of_memory_tests
  SOURCES atlas_out_of_memory_test.cpp
  LIBRARIES atlas_gui_test_support pxaeditor_resources allocation_failure)

pxa_add_test(NAME atlas_dialog_tests
  SOURCES atlas_real_dialogs_test.cpp
  LIBRARIES atlas_gui_test_support pxaeditor_resources)
