# Compiler settings shared by every target of the project's own code.
option(PXA_WERROR "Treat warnings in project code as errors" OFF)
option(PXA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer (host only)" OFF)

add_library(project_options INTERFACE)
if(MSVC)
  target_compile_options(project_options INTERFACE /W4 $<$<BOOL:${PXA_WERROR}>:/WX>)
else()
  target_compile_options(project_options INTERFACE -Wall -Wextra $<$<BOOL:${PXA_WERROR}>:-Werror>)
endif()

if(PXA_SANITIZE AND NOT WIN32)
  # Applied to everything, third-party code included, so that containers and
  # gtest agree on the instrumented allocator.
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # ANSI Win32 programs: every text API resolves to its ...A variant.
  target_compile_definitions(project_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
endif()

# Copies FreeImage.dll beside a Windows executable that needs it.
function(pxa_copy_freeimage_dll target)
  if(WIN32)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_if_different "${FREEIMAGE_DLL}" "$<TARGET_FILE_DIR:${target}>"
      VERBATIM)
  endif()
endfunction()
