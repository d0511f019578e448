# Runs the cross-built Windows test programs under Wine, in a private prefix of
# the build tree that uses the null graphics driver (no X server needed).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(PXA_WINE_ARCH win64)
else()
  set(PXA_WINE_ARCH win32)
endif()
set(PXA_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine/prefix" CACHE PATH "Private Wine prefix for the tests")
configure_file("${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in" "${CMAKE_BINARY_DIR}/wine/wine-run.sh"
  @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine/wine-run.sh")
