# Runs the cross-built Windows test programs under Wine, in a private prefix of
# the build tree that uses the null graphics driver (no X server needed).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(PXA_WINE_ARCH win64)
else()
  set(PXA_WINE_ARCH win32)
endif()
set(PXA_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine/prefix" CACHE PATH "Private Wine prefix for the tests")

# pxa_wine_runner(SCRIPT PREFIX DPI): a script that runs one program under
# Wine in PREFIX, a prefix whose screen has DPI dots per inch.
function(pxa_wine_runner script prefix dpi)
  set(PXA_WINE_PREFIX "${prefix}")
  set(PXA_WINE_DPI ${dpi})
  configure_file("${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in" "${script}"
    @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endfunction()

pxa_wine_runner("${CMAKE_BINARY_DIR}/wine/wine-run.sh" "${PXA_WINE_PREFIX}" 96)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine/wine-run.sh")
