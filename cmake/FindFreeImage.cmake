# Finds FreeImage and defines the imported target FreeImage::FreeImage.
#
# Set FREEIMAGE_ROOT to the folder that holds include/FreeImage.h and the
# library (lib/ for the import library, bin/ for FreeImage.dll on Windows):
# the Makefile passes the prefix that deps/freeimage/build.sh made for the
# build's target, and only that folder is searched. Without it a FreeImage
# installed on the system is used.
# On Windows FREEIMAGE_DLL is the DLL that executables need beside them.

# A new FREEIMAGE_ROOT (the cached build is keyed by its recipe) must not keep
# finding the files of the previous one.
if(NOT "${FREEIMAGE_ROOT}" STREQUAL "${FREEIMAGE_ROOT_USED}")
  unset(FREEIMAGE_INCLUDE_DIR CACHE)
  unset(FREEIMAGE_LIBRARY CACHE)
  unset(FREEIMAGE_DLL CACHE)
  set(FREEIMAGE_ROOT_USED "${FREEIMAGE_ROOT}" CACHE INTERNAL "FREEIMAGE_ROOT of the last search")
endif()

set(_freeimage_hints)
if(FREEIMAGE_ROOT)
  set(_freeimage_hints HINTS "${FREEIMAGE_ROOT}" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
elseif(DEFINED ENV{FREEIMAGE_ROOT})
  set(_freeimage_hints HINTS "$ENV{FREEIMAGE_ROOT}" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
endif()

find_path(FREEIMAGE_INCLUDE_DIR FreeImage.h ${_freeimage_hints} PATH_SUFFIXES include Dist)
find_library(FREEIMAGE_LIBRARY NAMES FreeImage freeimage ${_freeimage_hints} PATH_SUFFIXES lib Dist)
if(WIN32)
  find_file(FREEIMAGE_DLL FreeImage.dll ${_freeimage_hints} PATH_SUFFIXES bin lib Dist)
endif()

include(FindPackageHandleStandardArgs)
if(WIN32)
  find_package_handle_standard_args(FreeImage REQUIRED_VARS FREEIMAGE_LIBRARY FREEIMAGE_INCLUDE_DIR FREEIMAGE_DLL)
else()
  find_package_handle_standard_args(FreeImage REQUIRED_VARS FREEIMAGE_LIBRARY FREEIMAGE_INCLUDE_DIR)
endif()

if(FreeImage_FOUND AND NOT TARGET FreeImage::FreeImage)
  if(WIN32)
    add_library(FreeImage::FreeImage SHARED IMPORTED)
    set_target_properties(FreeImage::FreeImage PROPERTIES
      IMPORTED_IMPLIB "${FREEIMAGE_LIBRARY}"
      IMPORTED_LOCATION "${FREEIMAGE_DLL}")
  else()
    add_library(FreeImage::FreeImage UNKNOWN IMPORTED)
    set_target_properties(FreeImage::FreeImage PROPERTIES IMPORTED_LOCATION "${FREEIMAGE_LIBRARY}")
  endif()
  set_target_properties(FreeImage::FreeImage PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${FREEIMAGE_INCLUDE_DIR}")
endif()

mark_as_advanced(FREEIMAGE_INCLUDE_DIR FREEIMAGE_LIBRARY FREEIMAGE_DLL)
