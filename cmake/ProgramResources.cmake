# What the resource scripts of both programs are built from besides
# themselves: the project's version, the application manifests and icons
# drawn at build time.

# PXA_VERSION_MAJOR ... PXA_VERSION_TWEAK: the four parts of the version of
# project(VERSION ...), 0 where it gives none.
macro(pxa_version_parts)
  foreach(part MAJOR MINOR PATCH TWEAK)
    if("${PROJECT_VERSION_${part}}" STREQUAL "")
      set(PXA_VERSION_${part} 0)
    else()
      set(PXA_VERSION_${part} ${PROJECT_VERSION_${part}})
    endif()
  endforeach()
endmacro()

# ${PROJECT_BINARY_DIR}/resources/projectversion.h, for VERSIONINFO.
function(pxa_configure_version_header)
  pxa_version_parts()
  configure_file(${PROJECT_SOURCE_DIR}/resources/projectversion.h.in
    ${PROJECT_BINARY_DIR}/resources/projectversion.h @ONLY)
endfunction()

# pxa_configure_manifest(PROGRAM DESCRIPTION OUTPUT): the application
# manifest of one program (resources/application.manifest.in).
function(pxa_configure_manifest program description output)
  pxa_version_parts()
  set(PXA_MANIFEST_PROGRAM ${program})
  set(PXA_MANIFEST_DESCRIPTION ${description})
  configure_file(${PROJECT_SOURCE_DIR}/resources/application.manifest.in ${output} @ONLY)
endfunction()

# pxa_draw_icon(NAME GENERATOR_SOURCE OUTPUT): the .ico file OUTPUT drawn by a
# small program, so that the repository holds the drawing rather than an
# image nobody can regenerate. In a cross build the program must run on the
# build machine, so it is compiled with the build machine's own C++ compiler
# rather than the target's.
function(pxa_draw_icon name generator_source output)
  set(drawing_header ${PROJECT_SOURCE_DIR}/resources/icondrawing.h)
  if(CMAKE_CROSSCOMPILING)
    find_program(PXA_BUILD_MACHINE_CXX NAMES c++ g++ clang++ REQUIRED
      DOC "C++ compiler of the build machine, for generators run during the build")
    set(generator ${CMAKE_CURRENT_BINARY_DIR}/${name}_generator)
    add_custom_command(OUTPUT ${generator}
      COMMAND ${PXA_BUILD_MACHINE_CXX} -std=c++17 -O1 -I${PROJECT_SOURCE_DIR}/resources -o ${generator}
        ${generator_source}
      DEPENDS ${generator_source} ${drawing_header}
      COMMENT "Building the ${name} generator with the build machine's compiler"
      VERBATIM)
  else()
    add_executable(${name}_generator ${generator_source})
    target_include_directories(${name}_generator PRIVATE ${PROJECT_SOURCE_DIR}/resources)
    set(generator ${name}_generator)
  endif()
  add_custom_command(OUTPUT ${output}
    COMMAND ${generator} ${output}
    DEPENDS ${generator}
    COMMENT "Drawing ${output}"
    VERBATIM)
endfunction()

# pxa_add_program_resources(TARGET SCRIPT PROGRAM DESCRIPTION ICON_GENERATOR):
# the object library TARGET of the resource script SCRIPT, with the
# program's manifest, its icon (PROGRAM.ico, drawn by ICON_GENERATOR) and the
# version header beside it in the build tree. Resources must be linked into
# each executable directly (the linker would drop them from a static
# library), hence an object library.
function(pxa_add_program_resources target script program description icon_generator)
  string(TOLOWER ${program} file_stem)
  set(icon ${CMAKE_CURRENT_BINARY_DIR}/${file_stem}.ico)
  set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${file_stem}.manifest)
  pxa_draw_icon(${file_stem}_icon ${icon_generator} ${icon})
  pxa_configure_manifest(${program} "${description}" ${manifest})
  pxa_configure_version_header()
  add_library(${target} OBJECT ${script})
  set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS "${icon};${manifest}")
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_BINARY_DIR}/resources
    ${PROJECT_SOURCE_DIR}/resources)
endfunction()
